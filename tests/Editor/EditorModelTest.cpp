// The editor's model without a window: its state after construction, the keys that switch edit
// methods and overlays, messages, names, and what happens to its selections when objects or the
// whole host go away.
#include "Editor/EditorModelScene.h"

#include "Physics/Create.h"
#include "Physics/JointKinds.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{

class EditorModel : public ::testing::Test, public EditorModelScene
{
};

// Switching keeps every selection; A selects the selected bodies' fixtures, in body mode only.
TEST_F(EditorModel, EditMethodKeysKeepSelectionsAndASelectsTheSelectedBodiesFixtures)
{
    b2Body* body = addBody(b2Vec2(0.0f, 0.0f));
    addBox(body, 1.0f, 1.0f);
    addCircle(body, 1.0f, b2Vec2(3.0f, 0.0f));
    addBody(b2Vec2(0.0f, 0.0f));
    addBox(addBody(b2Vec2(10.0f, 0.0f)), 1.0f, 1.0f);
    clickAt(b2Vec2(0.0f, 0.0f));
    press('f');
    EXPECT_EQ(editor.getEditMethod(), EM_FIXTURES);
    EXPECT_TRUE(state().candidateBodies.empty());
    EXPECT_EQ(state().selectedBodies.size(), 2u);
    press('a');
    EXPECT_TRUE(state().selectedFixtures.empty());
    press('v', false, true);  // Ctrl+V pastes; it never switches to vertices
    EXPECT_EQ(editor.getEditMethod(), EM_FIXTURES);
    press('v');
    EXPECT_EQ(editor.getEditMethod(), EM_VERTICES);
    press('j');
    EXPECT_EQ(editor.getEditMethod(), EM_JOINTS);
    press('b');
    EXPECT_EQ(state().selectionCenter, body->GetPosition());
    press('a');
    EXPECT_EQ(state().selectedFixtures.size(), 2u);
    EXPECT_EQ(state().selectedBodies.size(), 2u);
}

// The console hears every message, but of the keys only those the editor does not know.
TEST_F(EditorModel, OverlayKeysCycleAndWrapAndOnlyUnknownKeysAndMessagesReachTheConsole)
{
    testing::internal::CaptureStdout();
    EXPECT_EQ(editor.infoMode(), 2);
    press('H', true);
    EXPECT_EQ(editor.helpPage(), maxHelpPage);
    press('h');
    EXPECT_EQ(editor.helpPage(), 0);
    press('h');
    EXPECT_EQ(editor.helpPage(), 1);
    press('i');
    EXPECT_EQ(editor.infoMode(), 0);
    pressEach("ii");
    EXPECT_EQ(editor.infoMode(), 2);
    press('w');
    EXPECT_TRUE(editor.showsWorldInfo());

    pressEach("gtrsxylLmocM+-");
    press(127);
    press(3, false, true);
    press('q');
    editor.addMessage("first", k_refusalColour);
    editor.addMessage("second", k_successColour);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Unhandled key down: 113\nfirst\nsecond\n");
    // Without a selection only measuring starts; the keys after it wait for it to end.
    EXPECT_EQ(state().state, CS_MEASURE);
    ASSERT_EQ(editor.messages().size(), 2u);
    EXPECT_EQ(editor.messages()[1].text, "second");
}

TEST_F(EditorModel, ObjectsDestroyedThroughTheHostLeaveEverySet)
{
    b2Body* ground = addBody(b2Vec2(0.0f, 0.0f), b2_staticBody);
    b2Body* wheel = addBody(b2Vec2(0.0f, 0.0f));
    b2Body* arm = addBody(b2Vec2(6.0f, 0.0f));
    addCircle(wheel, 1.0f);
    b2Joint* axle = addRevolute(ground, wheel, b2Vec2(0.0f, 0.0f));
    b2Joint* hinge = addRevolute(ground, arm, b2Vec2(6.0f, 0.0f));
    const b2GearJointDef gear = Physics::CouplingGear(axle, hinge);
    ASSERT_NE(Physics::CreateJoint(world(), gear), nullptr);

    clickAt(b2Vec2(0.0f, 0.0f));
    click(1);  // ground and wheel share the origin: tell them apart
    press('a');
    editor.setEditMethod(EM_VERTICES);  // leaves telling apart
    editor.setEditMethod(EM_JOINTS);
    clickAt(b2Vec2(6.0f, 0.0f));
    ASSERT_EQ(state().selectedJoints, std::set<b2Joint*>{hinge});
    ASSERT_EQ(state().selectedFixtures.size(), 1u);

    // The hinge goes and takes the gear that couples it; then the wheel with its rim and axle.
    ASSERT_TRUE(host.DestroyJoint(hinge));
    EXPECT_TRUE(state().selectedJoints.empty());
    ASSERT_TRUE(host.DestroyBody(wheel));
    EXPECT_EQ(state().selectedBodies, std::set<b2Body*>{ground});
    EXPECT_EQ(state().disambiguationBodies, std::set<b2Body*>{ground});
    EXPECT_TRUE(state().selectedFixtures.empty());
    EXPECT_NE(editor.lastSelectedBody(), wheel);
    editor.setEditMethod(EM_BODIES);
    moveMouse(b2Vec2(0.0f, 0.0f));
    EXPECT_EQ(state().candidateBodies, std::set<b2Body*>{ground});
}

// Loading a scene edits another host before the old one (and its fixtures) is deleted.
TEST_F(EditorModel, NamesAndVertexMoveOutlinesStayWithTheHostTheyWereMadeIn)
{
    b2Body* body = addBody(b2Vec2(0.0f, 0.0f));
    host.names.bodyNames[body] = "crate";
    EXPECT_EQ(editor.getBodyByName("crate"), body);
    addBox(body, 2.0f, 2.0f);
    press('v');
    clickAt(b2Vec2(2.0f, 2.0f));
    drag("g", b2Vec2(2.0f, 2.0f), b2Vec2(3.0f, 3.0f), "\x1b");
    ASSERT_FALSE(state().validVertexDisplays.empty());

    ::Test other;
    editor.setTest(&other);
    EXPECT_EQ(editor.getNameOfBody(body), "");
    EXPECT_EQ(editor.getWorld(), other.GetWorld());
    EXPECT_TRUE(state().validVertexDisplays.empty());
    EXPECT_TRUE(state().invalidVertexDisplays.empty());
    editor.setTest(&host);
    EXPECT_EQ(editor.getNameOfBody(body), "crate");
}

TEST(EditorHost, AnEditorOutlivesItsHost)
{
    auto host = std::make_unique<::Test>();
    Editor editor(host.get());
    b2BodyDef def;
    b2Body* body = host->GetWorld()->CreateBody(&def);
    host->names.bodyNames[body] = "gone";
    editor.setDisplayArea(b2Vec2(-50.0f, -50.0f), b2Vec2(50.0f, 50.0f), 1000, 1000);
    editor.handleMouseMove(b2Vec2(500.0f, 500.0f), b2Vec2_zero);
    editor.handleMouseButtonDown(0);
    ASSERT_EQ(editor.controlState().selectedBodies.size(), 1u);

    host.reset();
    EXPECT_EQ(editor.getTest(), nullptr);
    EXPECT_EQ(editor.getWorld(), nullptr);
    EXPECT_TRUE(editor.controlState().selectedBodies.empty());
    EXPECT_EQ(editor.getBodyByName("gone"), nullptr);
    // Input keeps working on nothing.
    editor.handleMouseMove(b2Vec2(500.0f, 500.0f), b2Vec2_zero);
    editor.handleMouseButtonDown(0);
    editor.handleKeyDown('j');
    EXPECT_TRUE(editor.controlState().candidateJoints.empty());
    EXPECT_FALSE(editor.panelInfo().jointApplicable);
}

}  // namespace
