// Editor mode through the real window callbacks: entering and leaving it, the view while editing,
// and saving and loading scene files by the name typed into the panel.
#include "EditorModeFixture.h"

#include "Framework/DefaultPanel.h"
#include "Framework/Test.h"
#include "Tests/Car.h"
#include "Tests/TestEntries.h"
#include "WorldDoc/WorldDoc.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <vector>

namespace
{

// The first dynamic body of the world that has fixtures and no joints; null when there is none.
b2Body* FreeDynamicBody(b2World* world)
{
    for (b2Body* body = world->GetBodyList(); body != nullptr; body = body->GetNext())
    {
        if (body->GetType() == b2_dynamicBody && body->GetFixtureList() != nullptr && body->GetJointList() == nullptr)
        {
            return body;
        }
    }
    return nullptr;
}

// Every name a scene file holds, tagged with its kind and sorted, then its body count.
std::vector<std::string> NamesInFile(const std::string& file)
{
    WorldDoc doc(false);
    std::unique_ptr<b2World> world(doc.readFromFile(file.c_str()));
    std::vector<std::string> kinds[3];
    doc.getAllBodyNames(kinds[0]);
    doc.getAllFixtureNames(kinds[1]);
    doc.getAllJointNames(kinds[2]);
    std::vector<std::string> names;
    for (int kind = 0; kind < 3; ++kind)
    {
        for (const std::string& name : kinds[kind])
        {
            names.push_back(std::string("bfj").substr(kind, 1) + " " + name);
        }
    }
    std::sort(names.begin(), names.end());
    names.push_back(std::to_string(world ? world->GetBodyCount() : -1) + " bodies");
    return names;
}

}  // namespace

class EditorFrontEndTest : public EditorModeTest
{
protected:
    // Ctrl+S and Ctrl+L with `name` in the panel's file field.
    void SaveAs(const std::string& name)
    {
        SetFileName(name);
        EditorKey(19, GLUT_ACTIVE_CTRL);
    }

    void LoadFrom(const std::string& name)
    {
        SetFileName(name);
        EditorKey(12, GLUT_ACTIVE_CTRL);
    }
};

// Entering also ends a grab made in the simulation, without leaving the grab's anchor body behind.
TEST_F(EditorFrontEndTest, ExactlyCtrlEEntersEndingAGrabAndLeavesToResumeFromTheEditedWorldOnEveryScene)
{
    for (int modifiers : {GLUT_ACTIVE_CTRL | GLUT_ACTIVE_SHIFT, GLUT_ACTIVE_CTRL | GLUT_ACTIVE_ALT})
    {
        HoldModifiers(modifiers);
        Press(5);
        EXPECT_EQ(nullptr, g_editor);
    }
    for (int row : {1, 10, 20, 29, 42})
    {
        SCOPED_TRACE(g_testEntries[row].name);
        SwitchScene(row);
        ::Test* test = getTest();
        b2World* world = test->GetWorld();
        b2Body* body = FreeDynamicBody(world);
        ASSERT_NE(nullptr, body);
        const int steps = test->stepCount;
        const int bodies = world->GetBodyCount();
        const int joints = world->GetJointCount();
        // In the middle of the view, away from the panel.
        getSettings()->viewCenter = body->GetWorldCenter();
        int x = 0;
        int y = 0;
        WorldToPixel(body->GetWorldCenter(), x, y);
        Click(GLUT_LEFT_BUTTON, GLUT_DOWN, x, y);
        ASSERT_NE(nullptr, test->mouseJoint);

        ToggleEditor();
        ASSERT_NE(nullptr, g_editor);
        EXPECT_EQ(test, g_editor->getTest());
        EXPECT_TRUE(IsEditorPanelOpen() && !IsDefaultPanelOpen());
        EXPECT_EQ(nullptr, test->mouseJoint);
        EXPECT_EQ(bodies, world->GetBodyCount());
        EXPECT_EQ(joints, world->GetJointCount());
        // The release now reaches the editor, which has nothing to end.
        Editor_Mouse(GLUT_LEFT_BUTTON, GLUT_UP, x, y);

        // Not exactly Ctrl: the keys are the editor's own, and neither "s" nor "l" touches a file.
        SetFileName("untouched.json");
        EditorKey(5, GLUT_ACTIVE_CTRL | GLUT_ACTIVE_SHIFT);
        EditorKey('s');
        EditorKey(19, GLUT_ACTIVE_CTRL | GLUT_ACTIVE_ALT);
        ASSERT_NE(nullptr, g_editor);
        EXPECT_FALSE(std::filesystem::exists("untouched.json"));

        const b2Vec2 before = body->GetPosition();
        Editor_DisplayFunc();
        Editor_DisplayFunc();
        EXPECT_EQ(steps, test->stepCount) << "the world does not step while it is edited";
        EXPECT_EQ(before, body->GetPosition());
        const b2Vec2 moved = before + b2Vec2(3.0f, 2.0f);
        body->SetTransform(moved, body->GetAngle());
        g_editor->worldChanged();

        EditorKey('e', GLUT_ACTIVE_CTRL);
        ASSERT_EQ(nullptr, g_editor);
        EXPECT_TRUE(IsDefaultPanelOpen() && !IsEditorPanelOpen());
        ASSERT_EQ(test, getTest());
        Frame();
        EXPECT_EQ(steps + 1, test->stepCount);
        EXPECT_LT((body->GetPosition() - moved).Length(), 1.0f);
    }
}

// Undo builds a deleted body and its joints anew; every other object keeps its identity, so the
// scene's own pointers (the wheel joint its keys drive) still hold.
TEST_F(EditorFrontEndTest, ASceneKeyStillWorksAfterUndoingADeletionElsewhere)
{
    for (int row = 0; row < getTestCount() && dynamic_cast<Car*>(getTest()) == nullptr; ++row)
    {
        SwitchScene(row);
    }
    ASSERT_NE(nullptr, dynamic_cast<Car*>(getTest()));
    b2World* world = getTest()->GetWorld();
    b2Body* car = nullptr;
    b2Body* plank = nullptr;
    for (b2Joint* j = world->GetJointList(); j != nullptr; j = j->GetNext())
    {
        car = j->GetType() == e_wheelJoint ? j->GetBodyA() : car;
        plank = j->GetType() == e_revoluteJoint && j->GetBodyB()->GetType() == b2_dynamicBody ? j->GetBodyB() : plank;
    }
    ASSERT_TRUE(car != nullptr && plank != nullptr);
    const int joints = world->GetJointCount();

    ToggleEditor();
    getSettings()->viewCenter = plank->GetWorldCenter();
    LeftClickAt(plank->GetWorldCenter());
    ASSERT_EQ(g_editor->controlState().selectedBodies, std::set<b2Body*>{plank});
    EditorKey(127);
    EditorKey(127);
    ASSERT_LT(world->GetJointCount(), joints);
    EditorKey(26, GLUT_ACTIVE_CTRL);
    EXPECT_EQ(joints, world->GetJointCount());
    ToggleEditor();

    const float start = car->GetPosition().x;
    Press('a');
    for (int i = 0; i < 120; ++i)
    {
        Frame();
    }
    EXPECT_LT(car->GetPosition().x, start - 1.0f) << "the car did not drive";
}

// The default scene holds every body type, shape and joint kind, with names on bodies, fixtures and
// joints, several of them shared.
TEST_F(EditorFrontEndTest, ScenesSavedAndLoadedKeepEveryNameAndBodyAndFailuresKeepTheSceneAndTheFileAndSayWhy)
{
    std::filesystem::copy_file(VEXA_SOURCE_DIR "/data/vexa.json", "vexa.json",
                               std::filesystem::copy_options::overwrite_existing);
    Restart(0);
    ToggleEditor();
    ::Test* scene = getTest();
    const int bodies = scene->GetWorld()->GetBodyCount();
    const std::vector<std::string> names = NamesInFile("vexa.json");
    EXPECT_GT(names.size(), 10u);
    SaveAs("cycle.json");
    ExpectLastMessage("Saved scene to file: cycle.json", k_successColour);
    EXPECT_EQ(names, NamesInFile("cycle.json"));

    // Loads and saves that fail keep the scene being edited and the file it was saved to.
    WriteFile("garbage.json", "{ this is not a scene");
    for (const std::string name : {"missing.json", "garbage.json"})
    {
        LoadFrom(name);
        ExpectLastMessage("Could not load scene from file: " + name, k_errorColour);
        EXPECT_EQ(scene, getTest());
        EXPECT_EQ(scene, g_editor->getTest());
    }
    LoadFrom("");
    ExpectLastMessage("Enter a file name", k_errorColour);
    EditorKey(19, GLUT_ACTIVE_CTRL);
    ExpectLastMessage("Enter a file name", k_errorColour);
    EXPECT_EQ(scene, getTest());
    const std::string saved = ReadFile("cycle.json");
    SaveAs("no-such-directory/cycle.json");
    ExpectLastMessage("Could not save scene to file: no-such-directory/cycle.json", k_errorColour);
    EXPECT_EQ(saved, ReadFile("cycle.json"));

    // Another registry row started while editing, then the file loaded in its place: the editor
    // edits each new scene with nothing selected, and the row (and so the title) stays.
    const auto selectABody = [this]() {
        b2Body* body = FreeDynamicBody(getTest()->GetWorld());
        ASSERT_NE(nullptr, body);
        LeftClickAt(body->GetWorldCenter());
        ASSERT_FALSE(g_editor->controlState().selectedBodies.empty());
    };
    selectABody();
    SwitchScene(29);
    EXPECT_TRUE(g_editor->controlState().selectedBodies.empty());
    Editor_DisplayFunc();
    EXPECT_EQ(getTest(), g_editor->getTest());
    ::Test* replaced = getTest();
    selectABody();
    LoadFrom("cycle.json");
    ExpectLastMessage("Loaded scene from file: cycle.json", k_successColour);
    ASSERT_NE(replaced, getTest());
    EXPECT_EQ(getTest(), g_editor->getTest());
    EXPECT_EQ(29, getTestIndex());
    EXPECT_TRUE(g_editor->controlState().selectedBodies.empty());
    EXPECT_NE(nullptr, g_editor->getJointByName("seesaw hinge")) << "the editor knows the names it loaded";

    // Reading builds polygons with their vertices in the reader's order, so the file settles
    // after the first cycle and then stays the same.
    EXPECT_EQ(bodies, getTest()->GetWorld()->GetBodyCount());
    Editor_DisplayFunc();
    EditorKey(19, GLUT_ACTIVE_CTRL);
    const std::string settled = ReadFile("cycle.json");
    EditorKey(12, GLUT_ACTIVE_CTRL);
    EditorKey(19, GLUT_ACTIVE_CTRL);
    EXPECT_EQ(settled, ReadFile("cycle.json"));

    // Leave, let the loaded world run, come back: the names and bodies are still the world's.
    ToggleEditor();
    Frame();
    ToggleEditor();
    EXPECT_STREQ("vexa.json", EditorPanel().fileName) << "each visit starts with the default name";
    SaveAs("again.json");
    EXPECT_EQ(names, NamesInFile("again.json"));

    // A file that loads with an object left out loads, and says how many were left out.
    WriteFile("partial.json", R"({"body": [{}, {"type": 9}]})");
    LoadFrom("partial.json");
    EXPECT_EQ(1, getTest()->GetWorld()->GetBodyCount());
    ExpectLastMessage("1 object of the file could not be loaded (see the console)", k_errorColour);
}

TEST_F(EditorFrontEndTest, RightDragPansCtrlRightDragZoomsAndTheDisplayAreaFollows)
{
    ToggleEditor();
    int tw = 0;
    int th = 0;
    PointAt(300, 300);
    const b2Vec2 grabbed = ConvertScreenToWorld(300, 300);
    Editor_Mouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, 300, 300);
    Editor_MouseMotion(360, 250);
    const b2Vec2 underCursor = ConvertScreenToWorld(360, 250);
    EXPECT_NEAR(grabbed.x, underCursor.x, 1e-3f);
    EXPECT_NEAR(grabbed.y, underCursor.y, 1e-3f);
    Editor_Mouse(GLUT_RIGHT_BUTTON, GLUT_UP, 360, 250);

    HoldModifiers(GLUT_ACTIVE_CTRL);
    Editor_Mouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, 300, 300);
    Editor_MouseMotion(300, 290);
    EXPECT_FLOAT_EQ(1.03f, getViewZoom()) << "dragging up zooms out by 3 %";
    Editor_MouseMotion(300, 280);
    EXPECT_FLOAT_EQ(1.03f * 1.03f, getViewZoom());
    Editor_MouseMotion(300, 290);
    EXPECT_FLOAT_EQ(1.03f, getViewZoom()) << "dragging down zooms in";
    Editor_Mouse(GLUT_RIGHT_BUTTON, GLUT_UP, 300, 290);
    HoldModifiers(0);
    getViewportDimensions(tw, th);
    EXPECT_NEAR(50.0f * 1.03f * tw / th, g_editor->pixelToWorld(static_cast<float>(tw)), 1e-3f);

    // Motion without a button held no longer moves the view.
    const b2Vec2 center = getSettings()->viewCenter;
    Editor_MouseMotion(200, 200);
    EXPECT_EQ(center, getSettings()->viewCenter);

    Editor_KeyboardSpecial(GLUT_KEY_HOME, 10, 10);
    KeyboardSpecialUp(GLUT_KEY_HOME, 10, 10);
    EXPECT_EQ(b2Vec2(0.0f, 20.0f), getSettings()->viewCenter);
    EXPECT_FLOAT_EQ(1.03f, getViewZoom()) << "Home keeps the zoom while editing";

    Editor_Resize(800, 600);
    getViewportDimensions(tw, th);
    EXPECT_NEAR(50.0f * 1.03f * tw / th, g_editor->pixelToWorld(static_cast<float>(tw)), 1e-3f);
}
