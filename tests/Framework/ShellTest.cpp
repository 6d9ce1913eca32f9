// The simulation-mode window: what a frame draws, scene switching, view control, shortcuts, stepping,
// and the mouse shared between the scene and the panel, driven through the real window callbacks.
#include "Support/Shell/PixelReference.h"
#include "Support/Shell/ShellFixture.h"

#include "Framework/PanelHost.h"
#include "Framework/Settings.h"
#include "Framework/Shell.h"
#include "Framework/Test.h"
#include "Framework/TestEntry.h"
#include "Tests/TestEntries.h"

#include <GL/gl.h>
#include <imgui.h>
#include <imgui_internal.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
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

// Window pixel in the "Shapes" check box, the first control of the panel's "Draw" group below its
// title, as the last frame laid it out.
void ShapesCheckBox(int& x, int& y)
{
    const char* const group = "Default panel/Draw_";  // child windows are named after their parent
    const ImVector<ImGuiWindow*>& windows = ImGui::GetCurrentContext()->Windows;
    ImGuiWindow* const* draw = std::find_if(windows.begin(), windows.end(), [group](const ImGuiWindow* window) {
        return std::strncmp(window->Name, group, std::strlen(group)) == 0;
    });
    ASSERT_NE(draw, windows.end());
    const ImVec2 start = (*draw)->DC.CursorStartPos;
    const float half = 0.5f * ImGui::GetFrameHeight();
    x = static_cast<int>(start.x + half);
    y = static_cast<int>(start.y + ImGui::GetTextLineHeightWithSpacing() + half);
}

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
    for (auto [width, height] : {std::make_pair(1136, 688), std::make_pair(500, 900), std::make_pair(1600, 300)})
    {
        Resize(width, height);
        for (float zoom : {1.0f, 0.5f, 3.0f})
        {
            setViewZoom(zoom);
            UpdateProjection();
            EXPECT_NEAR(ConvertScreenToWorld(0, 0).y - ConvertScreenToWorld(0, height).y, 50.0f * zoom, 1e-3f * zoom);
            // The drawing area is the window less the panel at its right.
            const b2Vec2 centre = ConvertScreenToWorld((width - k_panelWidth) / 2, height / 2);
            EXPECT_LT(b2Distance(centre, getSettings()->viewCenter), 1e-3f);
        }
    }

    // A right drag keeps the grabbed point under the cursor.
    const b2Vec2 grabbed = ConvertScreenToWorld(300, 200);
    Click(GLUT_RIGHT_BUTTON, GLUT_DOWN, 300, 200);
    MouseMotion(350, 260);
    MouseMotion(420, 180);
    EXPECT_LT(b2Distance(ConvertScreenToWorld(420, 180), grabbed), 1e-3f);
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
    EXPECT_NEAR(getTest()->bomb->GetLinearVelocity().x, 30.0f * (spawn.x - release.x), 1e-3f);
}

TEST_F(ShellTest, ClicksBetweenFramesReachPanelControlsAndTheWheelScrollsThePanelNeverTheScene)
{
    // Clicks earlier tests left waiting would otherwise reach the panel first.
    ResetPanelMouse();
    Frame();
    int x = 0;
    int y = 0;
    ShapesCheckBox(x, y);
    const int before = getSettings()->drawShapes;

    Click(GLUT_LEFT_BUTTON, GLUT_DOWN, x, y);
    Click(GLUT_LEFT_BUTTON, GLUT_UP, x, y);
    Frame();
    Frame();
    EXPECT_EQ(getSettings()->drawShapes, before == 0 ? 1 : 0);

    Click(GLUT_LEFT_BUTTON, GLUT_DOWN, x, y);
    Frame();
    Click(GLUT_LEFT_BUTTON, GLUT_UP, x, y);
    Frame();
    EXPECT_EQ(getSettings()->drawShapes, before) << "a slow click toggles it back";

    // The wheel, in a window too short for the whole panel.
    Resize(1136, 300);
    Frame();
    ImGuiWindow* panel = ImGui::FindWindowByName("Default panel");
    ASSERT_NE(panel, nullptr);
    ASSERT_GT(panel->ScrollMax.y, 0.0f);
    const int panelX = 1136 - k_panelWidth / 2;
    PassiveMotion(panelX, 150);
    Click(4, GLUT_DOWN, panelX, 150);
    Click(4, GLUT_UP, panelX, 150);
    Frame();
    Frame();
    EXPECT_GT(panel->Scroll.y, 0.0f);

    // Over the scene as well: the scene zooms with keys.
    for (int button : {3, 4})
    {
        EXPECT_TRUE(PanelTakesMouse(button, GLUT_DOWN, 300, 150));
        EXPECT_TRUE(PanelTakesMouse(button, GLUT_UP, 300, 150));
    }
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

// Every scene stepped with every drawing option on, against the picture the program drew of it
// before world drawing was batched: batching changes how many calls draw a frame, never its pixels.
TEST_F(ShellTest, EveryCatalogueSceneDrawsItsReferencePictureBesideThePanel)
{
    Resize(520, 300);
    Settings& settings = *getSettings();
    settings.drawAABBs = 1;
    settings.drawCOMs = 1;
    settings.drawContactPoints = 1;
    settings.drawContactNormals = 1;
    for (int row = 0; row < getTestCount(); ++row)
    {
        // Scenes scatter their bodies with rand().
        std::srand(1);
        *getTestSelection() = row;
        Frame();
        Frame();
        Frame();
        SCOPED_TRACE(getTestEntry().name);
        // Tiles prints how long building it took, which differs from run to run: there the pixels
        // in the colour of the overlay text are left out.
        const unsigned char textColour[3] = {230, 153, 153};
        const bool timed = std::string(getTestEntry().name) == "Tiles";
        EXPECT_EQ(DifferingPixels("Framework/frames/scene-" + std::to_string(row) + ".picture", ReadDrawingArea(),
                                  timed ? textColour : nullptr),
                  0);
    }

    // The panel covers the strip right of the drawing area.
    unsigned char panel[4] = {};
    glReadBuffer(GL_BACK);
    glReadPixels(520 - k_panelWidth + 100, 4, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, panel);
    EXPECT_GT(panel[0] + panel[1] + panel[2], 0);
}
