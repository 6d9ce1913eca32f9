// The simulation-mode window: scene switching, view control, shortcuts, mouse and stepping,
// driven through the real window callbacks.
#include "Support/Shell/ShellFixture.h"

#include "Framework/Shell.h"
#include "Framework/Test.h"
#include "Tests/TestEntries.h"

#include <cstdio>
#include <filesystem>
#include <tuple>

namespace
{

// The shell running a host without gravity, with one box (half size 1) at the view centre (0, 20).
class ShellWithBox : public ShellTest
{
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        ::Test* test = new ::Test;
        test->GetWorld()->SetGravity(b2Vec2_zero);
        box = AddBox(test->GetWorld(), b2_dynamicBody, b2Vec2(0.0f, 20.0f), 1.0f);
        delete getTest();
        setTest(test);
        WorldToPixel(box->GetPosition(), x, y);
    }

    b2Body* box = nullptr;
    int x = 0;  // (x, y): the window pixel at the box's centre
    int y = 0;
};

}  // namespace

// View keys act at once and a restart keeps the view; the registry keys choose a row, wrapping
// around at either end, that starts in the default view at the end of the frame.
TEST_F(ShellTest, ViewKeysActAtOnceRestartKeepsTheViewAndASwitchAtTheEndOfAFrameResetsIt)
{
    EXPECT_STREQ(getTestEntry().name, "Vexa");
    Frame();
    Frame();
    for (unsigned char key : {'x', 'z'})
    {
        for (int i = 0; i < 100; ++i)
        {
            Press(key);
        }
        EXPECT_FLOAT_EQ(getViewZoom(), key == 'x' ? 0.02f : 20.0f);
    }
    PressSpecial(GLUT_KEY_HOME);
    EXPECT_FLOAT_EQ(getViewZoom(), 1.0f);

    Press('z');
    PressSpecial(GLUT_KEY_UP);
    PressSpecial(GLUT_KEY_LEFT);
    Press('r');
    EXPECT_EQ(getTest()->stepCount, 0);
    EXPECT_FLOAT_EQ(getViewZoom(), 1.1f);
    EXPECT_EQ(getSettings()->viewCenter, b2Vec2(-0.5f, 20.5f));

    Press('[');
    EXPECT_EQ(*getTestSelection(), getTestCount() - 1);
    Press(']');
    Press(']');
    EXPECT_EQ(*getTestSelection(), 1);
    EXPECT_EQ(getTestIndex(), 0);
    Frame();
    EXPECT_EQ(getTestIndex(), 1);
    EXPECT_STREQ(getTestEntry().name, g_testEntries[1].name);
    EXPECT_FLOAT_EQ(getViewZoom(), 1.0f);
    EXPECT_EQ(getSettings()->viewCenter, b2Vec2(0.0f, 20.0f));
}

TEST_F(ShellTest, ViewShowsFiftyMetresTimesZoomVerticallyWhateverTheWindowShapeAndPansWithRightDrags)
{
    for (auto size : {std::make_pair(1136, 688), std::make_pair(500, 900), std::make_pair(1600, 300)})
    {
        Resize(size.first, size.second);
        for (float zoom : {1.0f, 0.5f, 3.0f})
        {
            setViewZoom(zoom);
            UpdateProjection();
            int tw = 0;
            int th = 0;
            getViewportDimensions(tw, th);
            EXPECT_NEAR(ConvertScreenToWorld(0, 0).y - ConvertScreenToWorld(0, th).y, 50.0f * zoom, 1e-3f * zoom);
            b2Vec2 centre = ConvertScreenToWorld(tw / 2, th / 2);
            EXPECT_NEAR(centre.x, getSettings()->viewCenter.x, 1e-3f);
            EXPECT_NEAR(centre.y, getSettings()->viewCenter.y, 1e-3f);
        }
    }

    // A right drag keeps the grabbed point under the cursor.
    b2Vec2 grabbed = ConvertScreenToWorld(300, 200);
    Click(GLUT_RIGHT_BUTTON, GLUT_DOWN, 300, 200);
    MouseMotion(350, 260);
    MouseMotion(420, 180);
    b2Vec2 underCursor = ConvertScreenToWorld(420, 180);
    EXPECT_NEAR(underCursor.x, grabbed.x, 1e-3f);
    EXPECT_NEAR(underCursor.y, grabbed.y, 1e-3f);
    Click(GLUT_RIGHT_BUTTON, GLUT_UP, 420, 180);

    b2Vec2 centre = getSettings()->viewCenter;
    MouseMotion(100, 100);
    EXPECT_EQ(getSettings()->viewCenter, centre);
}

TEST_F(ShellWithBox, SnapshotKeysNeedExactlyCtrlAndLoadingReplacesTheSceneOnlyFromAFile)
{
    std::remove("snapshot.json");
    Frame();
    // Each press in turn, its modifiers and key: whether the snapshot file exists after it, and
    // whether the running scene was replaced by a loaded one, which has not stepped yet.
    const std::tuple<int, unsigned char, bool, bool> presses[] = {
        {GLUT_ACTIVE_CTRL, 12, false, false},  // nothing to load yet: the scene keeps running
        {GLUT_ACTIVE_CTRL | GLUT_ACTIVE_SHIFT, 19, false, false},
        {GLUT_ACTIVE_CTRL | GLUT_ACTIVE_ALT, 19, false, false},
        {GLUT_ACTIVE_CTRL, 19, true, false},
        {GLUT_ACTIVE_CTRL | GLUT_ACTIVE_SHIFT, 12, true, false},
        {GLUT_ACTIVE_CTRL, 12, true, true},
    };
    for (const auto& [modifiers, key, saved, loaded] : presses)
    {
        HoldModifiers(modifiers);
        Press(key);
        SCOPED_TRACE(::testing::Message() << "key " << int(key) << ", modifiers " << modifiers);
        EXPECT_EQ(std::filesystem::exists("snapshot.json"), saved);
        EXPECT_EQ(getTest()->stepCount, loaded ? 0 : 1);
    }
    EXPECT_EQ(getTest()->GetWorld()->GetBodyCount(), 1) << "the host saves and loads no body of its own";
    EXPECT_EQ(getTestIndex(), 0);
}

TEST_F(ShellWithBox, LeftClickGrabsADynamicBodyReleaseLetsGoAndShiftClickAimsABomb)
{
    Click(GLUT_LEFT_BUTTON, GLUT_DOWN, x, y);
    ASSERT_NE(getTest()->mouseJoint, nullptr);
    MouseMotion(x + 40, y);
    EXPECT_GT(getTest()->mouseJoint->GetTarget().x, box->GetPosition().x);
    Click(GLUT_LEFT_BUTTON, GLUT_UP, x + 40, y);
    EXPECT_EQ(getTest()->mouseJoint, nullptr);

    // Dragged onto the panel (the window is 1136 pixels wide) and released there: the release still
    // ends the grab.
    Click(GLUT_LEFT_BUTTON, GLUT_DOWN, x, y);
    ASSERT_NE(getTest()->mouseJoint, nullptr);
    MouseMotion(1136 - 20, y);
    Click(GLUT_LEFT_BUTTON, GLUT_UP, 1136 - 20, y);
    EXPECT_EQ(getTest()->mouseJoint, nullptr);

    // With Shift the click aims a bomb instead.
    HoldModifiers(GLUT_ACTIVE_SHIFT);
    Click(GLUT_LEFT_BUTTON, GLUT_DOWN, x, y);
    EXPECT_EQ(getTest()->mouseJoint, nullptr);
    EXPECT_TRUE(getTest()->bombSpawning);
    b2Vec2 spawn = getTest()->bombSpawnPoint;

    HoldModifiers(0);
    b2Vec2 release = ConvertScreenToWorld(x - 50, y);
    Click(GLUT_LEFT_BUTTON, GLUT_UP, x - 50, y);
    ASSERT_NE(getTest()->bomb, nullptr);
    EXPECT_FALSE(getTest()->bombSpawning);
    b2Vec2 expected = 30.0f * (spawn - release);
    EXPECT_NEAR(getTest()->bomb->GetLinearVelocity().x, expected.x, 1e-3f);
}

TEST_F(ShellWithBox, ZeroHertzStepsNothingPauseFreezesStepsAndSingleStepTakesExactlyOne)
{
    box->SetLinearVelocity(b2Vec2(1.0f, 0.0f));
    *getSettingsHz() = 0.0f;
    Frame();
    EXPECT_EQ(getTest()->stepCount, 0);
    EXPECT_EQ(box->GetPosition(), b2Vec2(0.0f, 20.0f)) << "no division by zero";

    *getSettingsHz() = 60.0f;
    Frame();
    ASSERT_EQ(getTest()->stepCount, 1);
    Press('p');
    Frame();
    Frame();
    EXPECT_EQ(getTest()->stepCount, 1);
    SingleStep(0);
    Frame();
    EXPECT_EQ(getTest()->stepCount, 2);
    EXPECT_EQ(getSettings()->singleStep, 0);
    Frame();
    EXPECT_EQ(getTest()->stepCount, 2);
    Pause(0);
    Frame();
    EXPECT_EQ(getTest()->stepCount, 3);
}
