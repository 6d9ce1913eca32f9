// Copy and paste: copies that follow the mouse until a click drops them, names left behind, clipboards
// of one edit method pasted in another, and clipboard elements the physics library would refuse.
#include "Editor/EditorModelScene.h"

#include <gtest/gtest.h>

namespace
{

class Clipboard : public ::testing::Test, public EditorModelScene
{
protected:
    // Copies the fixtures of `source` and pastes them in body mode onto `target`.
    void pasteFixtures(b2Body* source, b2Body* target)
    {
        selectBodies({source}, true);
        editor.copy();
        selectBodies({target});
        editor.paste();
    }
};

TEST_F(Clipboard, PastedBodiesAreUnnamedCopiesThatFollowTheMouseAndFixturesGoOntoTheOneSelectedBody)
{
    b2Body* crate = addBox(addBody(b2Vec2(0.0f, 0.0f)), 1.0f, 0.5f, b2Vec2(0.5f, 0.0f))->GetBody();
    b2Body* ball = addCircle(addBody(b2Vec2(10.0f, 0.0f), b2_staticBody), 0.7f, b2Vec2(0.5f, 0.0f))->GetBody();
    b2Body* other = addCircle(addBody(b2Vec2(-10.0f, 0.0f)), 0.7f)->GetBody();
    host.names.bodyNames[crate] = "crate";
    selectBodies({crate, ball});
    editor.copy();
    for (int paste = 1; paste <= 3; ++paste)
    {
        moveMouse(b2Vec2(20.0f, 20.0f));
        editor.paste();
        EXPECT_EQ(world()->GetBodyCount(), 3 + 2 * paste);
        ASSERT_EQ(state().state, CS_TRANSLATE);
        EXPECT_EQ(state().startMouseWorld, b2Vec2(20.0f, 20.0f));
        ASSERT_EQ(state().selectedBodies.size(), 2u);
        EXPECT_EQ(state().selectedBodies.count(crate) + state().selectedBodies.count(ball), 0u);

        // Dropped where the mouse took them: (5, -3) from where they were copied.
        clickAt(b2Vec2(25.0f, 17.0f));
        EXPECT_EQ(state().state, 0);
        for (b2Body* copy : state().selectedBodies)
        {
            const b2Body* source = copy->GetType() == b2_staticBody ? ball : crate;
            EXPECT_EQ(copy->GetPosition(), source->GetPosition() + b2Vec2(5.0f, -3.0f));
            EXPECT_EQ(copy->GetFixtureList()->GetType(), source->GetFixtureList()->GetType());
            EXPECT_EQ(editor.getNameOfBody(copy), "");
        }
    }
    EXPECT_EQ(host.names.bodyNames.size(), 1u);

    // Body mode: onto the one selected body, selected, without following the mouse.
    pasteFixtures(crate, ball);
    ASSERT_EQ(fixturesOf(ball).size(), 2u);
    EXPECT_EQ(state().state, 0);
    ASSERT_EQ(state().selectedFixtures.size(), 1u);
    b2Fixture* pasted = *state().selectedFixtures.begin();
    EXPECT_EQ(pasted->GetBody(), ball);
    // In the body's own coordinates, as on the body it came from.
    EXPECT_EQ(static_cast<b2PolygonShape*>(pasted->GetShape())->m_centroid, b2Vec2(0.5f, 0.0f));

    // Two bodies selected: nowhere to go.
    selectBodies({ball, other});
    std::string before = snapshot();
    editor.paste();
    EXPECT_EQ(snapshot(), before);

    // Fixture mode with one body selected: pasted and following the mouse.
    selectBodies({other});
    editor.setEditMethod(EM_FIXTURES);
    editor.paste();
    EXPECT_EQ(fixturesOf(other).size(), 2u);
    EXPECT_EQ(state().state, CS_TRANSLATE);
    press(27);

    // A body clipboard pastes nothing in fixture mode.
    selectBodies({crate});
    editor.copy();
    editor.setEditMethod(EM_FIXTURES);
    before = snapshot();
    editor.paste();
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(state().state, 0);
}

TEST_F(Clipboard, CopyReportsWhatItCannotCopyAndJointsLeaveTheClipboardAlone)
{
    b2Body* a = addBox(addBody(b2Vec2(0.0f, 0.0f)), 1.0f, 1.0f)->GetBody();
    b2Body* b = addBox(addBody(b2Vec2(2.0f, 0.0f)), 1.0f, 1.0f)->GetBody();
    addRevolute(a, b, b2Vec2(1.0f, 0.0f));

    editor.paste();
    EXPECT_EQ(lastMessage(), "Nothing to paste");
    EXPECT_EQ(editor.messages().back().colour.g, k_refusalColour.g);
    editor.copy();
    EXPECT_EQ(lastMessage(), "No selection to copy");
    editor.setEditMethod(EM_VERTICES);
    editor.copy();
    EXPECT_EQ(lastMessage(), "No selection to copy");
    clickAt(b2Vec2(1.0f, 1.0f));
    ASSERT_FALSE(state().selectedVertices.empty());
    editor.copy();
    EXPECT_EQ(lastMessage(), "Copy not supported for vertices");

    selectBodies({a});
    editor.copy();
    editor.setEditMethod(EM_JOINTS);
    clickAt(b2Vec2(1.0f, 0.0f));
    ASSERT_EQ(state().selectedJoints.size(), 1u);
    const size_t messages = editor.messages().size();
    editor.copy();
    EXPECT_EQ(editor.messages().size(), messages);
    editor.setEditMethod(EM_BODIES);
    editor.paste();
    EXPECT_EQ(world()->GetBodyCount(), 3);
    EXPECT_EQ(world()->GetJointCount(), 1);
}

TEST_F(Clipboard, AnElementTheLibraryWouldRefuseIsLeftOutWholeAndTheRestPastes)
{
    // A circle further out than scene files may place anything, though the world holds it.
    b2Body* plate = addBody(b2Vec2(0.0f, 0.0f), b2_staticBody);
    addBox(plate, 1.0f, 1.0f);
    addCircle(plate, 0.5f, b2Vec2(2.0e9f, 0.0f));
    b2Body* ball = addCircle(addBody(b2Vec2(10.0f, 0.0f)), 0.5f)->GetBody();

    pasteFixtures(plate, ball);
    EXPECT_EQ(fixturesOf(ball).size(), 2u);
    EXPECT_EQ(lastMessage().rfind("Could not paste fixture ", 0), 0u) << lastMessage();
    EXPECT_EQ(editor.messages().back().colour.g, k_refusalColour.g);

    // A body pastes with all of its fixtures or not at all.
    selectBodies({plate, ball});
    editor.copy();
    editor.paste();
    EXPECT_EQ(world()->GetBodyCount(), 3);
    EXPECT_EQ(lastMessage().rfind("Could not paste body ", 0), 0u) << lastMessage();
    ASSERT_EQ(state().selectedBodies.size(), 1u);
    EXPECT_EQ(fixturesOf(*state().selectedBodies.begin()).size(), 2u);
    EXPECT_EQ(state().state, CS_TRANSLATE);
}

}  // namespace
