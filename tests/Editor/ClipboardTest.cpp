// Copies of the selection without a display. Copy and paste: copies that follow the mouse until a
// click drops them, one copy pasted many times, names left behind, clipboards of one edit method
// pasted in another, the messages, and clipboard elements the physics library would refuse.
// Mirrored duplication: copies reflected about the cursor's vertical line with their shapes,
// containers that still hold what falls into them, revolute joints whose copies move as the
// mirror image of their sources within reflected limits, and copies that cannot be made.
#include "Editor/EditorModelScene.h"

#include "Framework/Test.h"
#include "Physics/ShapeGeometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace
{

class Copies : public ::testing::Test, public EditorModelScene
{
protected:
    // Body mode with exactly these bodies selected; with `fixtures`, their fixtures in fixture mode.
    void select(const std::vector<b2Body*>& bodies, bool fixtures = false)
    {
        editor.setEditMethod(EM_BODIES);
        for (size_t i = 0; i < bodies.size(); ++i)
        {
            clickAt(bodies[i]->GetPosition(), 0, i > 0);
        }
        ASSERT_EQ(state().selectedBodies, std::set<b2Body*>(bodies.begin(), bodies.end()));
        if (fixtures)
        {
            press('a');
            editor.setEditMethod(EM_FIXTURES);
        }
    }

    // Copies the fixtures of `source` and pastes them in body mode onto `target`.
    void pasteFixtures(b2Body* source, b2Body* target)
    {
        select({source}, true);
        editor.copy();
        select({target});
        editor.paste();
    }

    static int fixtureCount(const b2Body* body)
    {
        int count = 0;
        for (const b2Fixture* f = body->GetFixtureList(); f != nullptr; f = f->GetNext())
        {
            ++count;
        }
        return count;
    }

    void placeCursor(float x)
    {
        press('c');
        clickAt(b2Vec2(x, -40.0f));
    }

    // The body made last, which the library keeps first in its list.
    b2Body* newest() { return world()->GetBodyList(); }

    static std::vector<b2Vec2> worldPoints(const b2Fixture* fixture)
    {
        std::vector<b2Vec2> points = Physics::GetGeometry(fixture).points;
        for (b2Vec2& p : points)
        {
            p = fixture->GetBody()->GetWorldPoint(p);
        }
        return points;
    }
};

using Clipboard = Copies;
using Mirror = Copies;

TEST_F(Clipboard, PastedBodiesAreUnnamedCopiesThatFollowTheMouseAndOneCopyPastesAgain)
{
    b2Body* crate = addBody(b2Vec2(0.0f, 0.0f));
    addBox(crate, 1.0f, 0.5f);
    b2Body* ball = addBody(b2Vec2(10.0f, 0.0f), b2_staticBody);
    addCircle(ball, 0.7f, b2Vec2(0.5f, 0.0f));
    host.names.bodyNames[crate] = "crate";
    select({crate, ball});
    editor.copy();
    for (int paste = 1; paste <= 3; ++paste)
    {
        moveMouse(b2Vec2(20.0f, 20.0f));
        editor.paste();
        EXPECT_EQ(world()->GetBodyCount(), 2 + 2 * paste);
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
}

TEST_F(Clipboard, FixturesPasteOntoTheOneSelectedBodyAndBodiesOnlyInBodyMode)
{
    b2Body* source = addBody(b2Vec2(0.0f, 0.0f));
    addBox(source, 1.0f, 0.5f, b2Vec2(0.5f, 0.0f));
    b2Body* target = addBody(b2Vec2(10.0f, 0.0f));
    addCircle(target, 0.7f);
    b2Body* other = addBody(b2Vec2(-10.0f, 0.0f));
    addCircle(other, 0.7f);
    // Body mode: onto the one selected body, selected, without following the mouse.
    pasteFixtures(source, target);
    ASSERT_EQ(fixtureCount(target), 2);
    EXPECT_EQ(state().state, 0);
    ASSERT_EQ(state().selectedFixtures.size(), 1u);
    b2Fixture* pasted = *state().selectedFixtures.begin();
    EXPECT_EQ(pasted->GetBody(), target);
    // In the body's own coordinates, as on the body it came from.
    EXPECT_EQ(static_cast<b2PolygonShape*>(pasted->GetShape())->m_centroid, b2Vec2(0.5f, 0.0f));

    // Two bodies selected: nowhere to go.
    select({target, other});
    std::string before = snapshot();
    editor.paste();
    EXPECT_EQ(snapshot(), before);

    // Fixture mode with one body selected: pasted and following the mouse.
    select({other});
    editor.setEditMethod(EM_FIXTURES);
    editor.paste();
    EXPECT_EQ(fixtureCount(other), 2);
    EXPECT_EQ(state().state, CS_TRANSLATE);
    press(27);

    // A body clipboard pastes nothing in fixture mode.
    select({source});
    editor.copy();
    editor.setEditMethod(EM_FIXTURES);
    before = snapshot();
    editor.paste();
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(state().state, 0);
}

TEST_F(Clipboard, CopyReportsWhatItCannotCopyAndJointsLeaveTheClipboardAlone)
{
    b2Body* a = addBody(b2Vec2(0.0f, 0.0f));
    addBox(a, 1.0f, 1.0f);
    b2Body* b = addBody(b2Vec2(2.0f, 0.0f));
    addBox(b, 1.0f, 1.0f);
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

    select({a});
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
    b2Body* ball = addBody(b2Vec2(10.0f, 0.0f));
    addCircle(ball, 0.5f);

    pasteFixtures(plate, ball);
    EXPECT_EQ(fixtureCount(ball), 2);
    EXPECT_EQ(lastMessage().rfind("Could not paste fixture ", 0), 0u) << lastMessage();
    EXPECT_EQ(editor.messages().back().colour.g, k_refusalColour.g);

    // A body pastes with all of its fixtures or not at all.
    select({plate, ball});
    editor.copy();
    editor.paste();
    EXPECT_EQ(world()->GetBodyCount(), 3);
    EXPECT_EQ(lastMessage().rfind("Could not paste body ", 0), 0u) << lastMessage();
    ASSERT_EQ(state().selectedBodies.size(), 1u);
    EXPECT_EQ(fixtureCount(*state().selectedBodies.begin()), 2);
    EXPECT_EQ(state().state, CS_TRANSLATE);
}

void ExpectSamePoints(std::vector<b2Vec2> actual, std::vector<b2Vec2> expected)
{
    const auto before = [](const b2Vec2& a, const b2Vec2& b) {
        return a.x < b.x - 1e-4f || (std::abs(a.x - b.x) <= 1e-4f && a.y < b.y);
    };
    std::sort(actual.begin(), actual.end(), before);
    std::sort(expected.begin(), expected.end(), before);
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i)
    {
        EXPECT_NEAR(actual[i].x, expected[i].x, 1e-4f);
        EXPECT_NEAR(actual[i].y, expected[i].y, 1e-4f);
    }
}

TEST_F(Mirror, ARotatedBodyIsCopiedAcrossTheCursorLineWithItsShapesReflected)
{
    b2Body* source = addBody(b2Vec2(3.0f, 2.0f), b2_dynamicBody, 0.3f);
    addBox(source, 0.4f, 0.2f, b2Vec2(0.5f, 0.0f));
    const b2Vec2 corners[] = {{-1.0f, -1.0f}, {0.0f, -1.0f}, {-1.0f, 0.5f}};
    b2PolygonShape triangle;
    triangle.Set(corners, 3);
    addShape(source, triangle);
    host.names.bodyNames[source] = "left arm";
    placeCursor(1.0f);
    select({source});

    editor.setEditMethod(EM_FIXTURES);
    const std::string before = snapshot();
    editor.mirror();
    EXPECT_EQ(snapshot(), before);

    editor.setEditMethod(EM_BODIES);
    editor.mirror();
    ASSERT_EQ(world()->GetBodyCount(), 2);
    b2Body* copy = newest();
    EXPECT_EQ(copy->GetPosition(), b2Vec2(-1.0f, 2.0f));
    EXPECT_EQ(copy->GetAngle(), 0.3f);
    EXPECT_EQ(editor.getNameOfBody(copy), "");
    EXPECT_EQ(state().selectedBodies, std::set<b2Body*>{source});
    EXPECT_NEAR(copy->GetMass(), source->GetMass(), 1e-5f);

    // Fixtures keep their order; every point lands on its reflection, and the polygons come out
    // counter-clockwise as the library needs them.
    const b2Fixture* original = source->GetFixtureList();
    for (const b2Fixture* f = copy->GetFixtureList(); f != nullptr; f = f->GetNext(), original = original->GetNext())
    {
        ASSERT_NE(original, nullptr);
        std::vector<b2Vec2> reflected = worldPoints(original);
        for (b2Vec2& p : reflected)
        {
            p.x = 2.0f - p.x;
        }
        ExpectSamePoints(worldPoints(f), reflected);
        const auto* polygon = static_cast<const b2PolygonShape*>(f->GetShape());
        EXPECT_TRUE(polygon->Validate());
    }

    // Again: a second copy in the same place.
    editor.mirror();
    ASSERT_EQ(world()->GetBodyCount(), 3);
    EXPECT_EQ(newest()->GetPosition(), b2Vec2(-1.0f, 2.0f));
}

TEST_F(Mirror, MirroredContainersStillHoldWhatFallsIntoThem)
{
    // A cup (an open chain) and a box (a loop), both traced clockwise so that they collide on
    // their inside, on a static body right of the cursor.
    b2Body* containers = addBody(b2Vec2(10.0f, 0.0f), b2_staticBody);
    addChain(containers, {{2.0f, 4.0f}, {2.0f, 0.0f}, {-2.0f, 0.0f}, {-2.0f, 4.0f}}, false);
    addChain(containers, {{7.0f, 4.0f}, {7.0f, 0.0f}, {3.0f, 0.0f}, {3.0f, 4.0f}}, true);
    placeCursor(0.0f);
    select({containers});
    editor.mirror();
    b2Body* copy = newest();
    ASSERT_NE(copy, containers);

    // The library keeps the newest fixture first.
    const Physics::ShapeGeometry box = Physics::GetGeometry(copy->GetFixtureList());
    const Physics::ShapeGeometry cup = Physics::GetGeometry(copy->GetFixtureList()->GetNext());
    EXPECT_FALSE(cup.loop);
    EXPECT_EQ(cup.points.size(), 4u);
    EXPECT_TRUE(box.loop);
    EXPECT_EQ(box.points.size(), 4u);

    // A ball dropped into each mirrored container (left of the cursor) stays in it.
    b2Body* inCup = addBody(b2Vec2(-10.0f, 2.0f));
    addCircle(inCup, 0.3f);
    b2Body* inBox = addBody(b2Vec2(-15.0f, 2.0f));
    addCircle(inBox, 0.3f);
    for (int step = 0; step < 120; ++step)
    {
        world()->Step(1.0f / 60.0f, 8, 3);
    }
    EXPECT_NEAR(inCup->GetPosition().y, 0.3f, 0.05f);
    EXPECT_NEAR(inBox->GetPosition().y, 0.3f, 0.05f);
}

TEST_F(Mirror, RevoluteJointsBetweenSelectedBodiesMoveAsTheMirrorImageWithinReflectedLimits)
{
    b2Body* frame = addBody(b2Vec2(4.0f, 10.0f), b2_staticBody);
    addBox(frame, 0.5f, 0.5f);
    b2Body* arm = addBody(b2Vec2(5.0f, 10.0f), b2_dynamicBody, 0.4f);
    addBox(arm, 1.0f, 0.1f, b2Vec2(1.0f, 0.0f));
    b2Body* loose = addBody(b2Vec2(4.0f, 20.0f));
    addBox(loose, 0.5f, 0.5f);
    b2RevoluteJointDef hinge;
    hinge.Initialize(frame, arm, b2Vec2(5.0f, 10.0f));
    hinge.referenceAngle = 0.0f;  // the arm starts 0.4 up, near its upper limit
    hinge.enableLimit = true;
    hinge.lowerAngle = -0.2f;
    hinge.upperAngle = 0.5f;
    auto* source = static_cast<b2RevoluteJoint*>(world()->CreateJoint(&hinge));
    b2DistanceJointDef rod;
    rod.Initialize(frame, arm, frame->GetPosition(), arm->GetPosition());
    world()->CreateJoint(&rod);
    addRevolute(frame, loose, loose->GetPosition());

    placeCursor(0.0f);
    select({frame, arm});
    editor.mirror();
    ASSERT_EQ(world()->GetBodyCount(), 5);
    ASSERT_EQ(world()->GetJointCount(), 4);
    auto* copy = static_cast<b2RevoluteJoint*>(world()->GetJointList());
    ASSERT_EQ(copy->GetType(), e_revoluteJoint);
    EXPECT_EQ(copy->GetBodyA()->GetPosition(), b2Vec2(-4.0f, 10.0f));
    EXPECT_EQ(copy->GetBodyB()->GetPosition(), b2Vec2(-5.0f, 10.0f));
    EXPECT_TRUE(copy->IsLimitEnabled());
    EXPECT_FLOAT_EQ(copy->GetLowerLimit(), -0.5f);
    EXPECT_FLOAT_EQ(copy->GetUpperLimit(), 0.2f);
    EXPECT_NEAR(copy->GetAnchorA().x, -5.0f, 1e-5f);
    EXPECT_NEAR(copy->GetAnchorB().y, 10.0f, 1e-5f);

    // Swinging down under gravity into the lower limit and back, each rig mirrors the other.
    EXPECT_NEAR(copy->GetJointAngle(), -0.4f, 1e-5f);
    for (int step = 0; step < 90; ++step)
    {
        world()->Step(1.0f / 60.0f, 8, 3);
        ASSERT_NEAR(copy->GetJointAngle(), -source->GetJointAngle(), 1e-3f) << step;
    }
    EXPECT_NEAR(source->GetJointAngle(), -0.2f, 0.05f);
}

TEST_F(Mirror, ACopyThatCannotBeMadeIsReportedAndNothingIsJoinedToIt)
{
    // Reflected about x = 3e8, the far body would land beyond the coordinates a scene may use.
    b2Body* far = addBody(b2Vec2(-5.0e8f, 0.0f));
    addBox(far, 1.0f, 1.0f);
    b2Body* near = addBody(b2Vec2(3.0e8f + 100.0f, 0.0f));
    addBox(near, 1.0f, 1.0f);
    addRevolute(far, near, b2Vec2(0.0f, 0.0f));
    placeCursor(3.0e8f);
    select({far, near});
    editor.mirror();

    EXPECT_EQ(world()->GetBodyCount(), 3);
    EXPECT_EQ(newest()->GetPosition(), b2Vec2(3.0e8f - 100.0f, 0.0f));
    EXPECT_EQ(world()->GetJointCount(), 1);
    EXPECT_EQ(lastMessage().rfind("Could not mirror body ", 0), 0u) << lastMessage();
    EXPECT_EQ(editor.messages().back().colour.g, k_refusalColour.g);
}

}  // namespace
