// The editor's model without a window: the keys that switch edit methods and overlays, messages,
// names, and its host changing or going away.
#include "Editor/EditorModelScene.h"

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

// Loading a scene edits another host before the old one (and its fixtures) is deleted; a host may
// also go while the editor is still on it.
TEST_F(EditorModel, NamesAndOutlinesStayWithTheHostTheyWereMadeInAndTheEditorOutlivesItsHost)
{
    b2Body* body = addBody(b2Vec2(0.0f, 0.0f));
    host.names.bodyNames[body] = "crate";
    EXPECT_EQ(editor.getBodyByName("crate"), body);
    addBox(body, 2.0f, 2.0f);
    press('v');
    clickAt(b2Vec2(2.0f, 2.0f));
    drag("g", b2Vec2(2.0f, 2.0f), b2Vec2(3.0f, 3.0f), "\x1b");
    ASSERT_FALSE(state().validVertexDisplays.empty());

    auto other = std::make_unique<::Test>();
    editor.setTest(other.get());
    EXPECT_EQ(editor.getNameOfBody(body), "");
    EXPECT_EQ(editor.getWorld(), other->GetWorld());
    EXPECT_TRUE(state().validVertexDisplays.empty());
    EXPECT_TRUE(state().invalidVertexDisplays.empty());
    b2BodyDef def;
    other->names.bodyNames[other->GetWorld()->CreateBody(&def)] = "gone";
    editor.setEditMethod(EM_BODIES);
    clickAt(b2Vec2_zero);
    ASSERT_EQ(state().selectedBodies.size(), 1u);

    other.reset();
    EXPECT_EQ(editor.getTest(), nullptr);
    EXPECT_EQ(editor.getWorld(), nullptr);
    EXPECT_TRUE(state().selectedBodies.empty());
    EXPECT_EQ(editor.getBodyByName("gone"), nullptr);
    // Input keeps working on nothing.
    clickAt(b2Vec2_zero);
    press('j');
    EXPECT_TRUE(state().candidateJoints.empty());
    EXPECT_FALSE(editor.panelInfo().jointApplicable);
    editor.setTest(&host);
    EXPECT_EQ(editor.getNameOfBody(body), "crate");
}

}  // namespace
