// Mirrored duplication about the cursor's vertical line: shapes, containers and hinged arms that
// behave as mirror images of their sources, and copies that cannot be made.
#include "Editor/EditorModelScene.h"

#include <gtest/gtest.h>

#include <set>

namespace
{

class Mirror : public ::testing::Test, public EditorModelScene
{
protected:
    void placeCursor(float x)
    {
        press('c');
        clickAt(b2Vec2(x, -40.0f));
    }
};

TEST_F(Mirror, ARotatedBodyIsCopiedAcrossTheCursorLineWithItsShapesReflected)
{
    b2Body* source = addBody(b2Vec2(3.0f, 2.0f), b2_dynamicBody, 0.3f);
    addBox(source, 0.4f, 0.2f, b2Vec2(0.5f, 0.0f));
    addPolygon(source, {{-1.0f, -1.0f}, {0.0f, -1.0f}, {-1.0f, 0.5f}});
    host.names.bodyNames[source] = "left arm";
    placeCursor(1.0f);
    selectBodies({source});

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
        EXPECT_TRUE(samePoints(worldPoints(f), reflected));
        const auto* polygon = static_cast<const b2PolygonShape*>(f->GetShape());
        EXPECT_TRUE(polygon->Validate());
    }

    // Again: a second copy in the same place.
    editor.mirror();
    ASSERT_EQ(world()->GetBodyCount(), 3);
    EXPECT_EQ(newest()->GetPosition(), b2Vec2(-1.0f, 2.0f));
}

// A cup (an open chain) and a box (a loop), traced clockwise so that they collide on their inside,
// are mirrored with an arm hinged to a frame within limits: balls dropped into the mirrored
// containers stay in them, and the mirrored arm swings as the mirror image of its source.
TEST_F(Mirror, MirroredContainersHoldWhatFallsInAndMirroredHingesSwingAsMirrorImages)
{
    b2Body* containers = addBody(b2Vec2(10.0f, 0.0f), b2_staticBody);
    addChain(containers, {{2.0f, 4.0f}, {2.0f, 0.0f}, {-2.0f, 0.0f}, {-2.0f, 4.0f}}, false);
    addChain(containers, {{7.0f, 4.0f}, {7.0f, 0.0f}, {3.0f, 0.0f}, {3.0f, 4.0f}}, true);
    b2Body* frame = addBox(addBody(b2Vec2(4.0f, 10.0f), b2_staticBody), 0.5f, 0.5f)->GetBody();
    b2Body* arm = addBox(addBody(b2Vec2(5.0f, 10.0f), b2_dynamicBody, 0.4f), 1.0f, 0.1f, b2Vec2(1.0f, 0.0f))->GetBody();
    b2Body* loose = addBox(addBody(b2Vec2(4.0f, 20.0f)), 0.5f, 0.5f)->GetBody();
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
    selectBodies({containers, frame, arm});
    editor.mirror();
    ASSERT_EQ(world()->GetBodyCount(), 7);
    ASSERT_EQ(world()->GetJointCount(), 4) << "only joints between selected bodies are copied";
    b2Body* copy = newest();
    while (copy != nullptr && copy->GetPosition() != b2Vec2(-10.0f, 0.0f))
    {
        copy = copy->GetNext();
    }
    ASSERT_NE(copy, nullptr);
    // The library keeps the newest fixture first.
    const Physics::ShapeGeometry box = Physics::GetGeometry(copy->GetFixtureList());
    const Physics::ShapeGeometry cup = Physics::GetGeometry(copy->GetFixtureList()->GetNext());
    EXPECT_FALSE(cup.loop);
    EXPECT_EQ(cup.points.size(), 4u);
    EXPECT_TRUE(box.loop);
    EXPECT_EQ(box.points.size(), 4u);

    auto* hingeCopy = static_cast<b2RevoluteJoint*>(world()->GetJointList());
    ASSERT_EQ(hingeCopy->GetType(), e_revoluteJoint);
    EXPECT_EQ(hingeCopy->GetBodyA()->GetPosition(), b2Vec2(-4.0f, 10.0f));
    EXPECT_EQ(hingeCopy->GetBodyB()->GetPosition(), b2Vec2(-5.0f, 10.0f));
    EXPECT_TRUE(hingeCopy->IsLimitEnabled());
    EXPECT_FLOAT_EQ(hingeCopy->GetLowerLimit(), -0.5f);
    EXPECT_FLOAT_EQ(hingeCopy->GetUpperLimit(), 0.2f);
    EXPECT_NEAR(hingeCopy->GetAnchorA().x, -5.0f, 1e-5f);
    EXPECT_NEAR(hingeCopy->GetAnchorB().y, 10.0f, 1e-5f);
    EXPECT_NEAR(hingeCopy->GetJointAngle(), -0.4f, 1e-5f);

    // Balls dropped into the mirrored containers (left of the cursor); the arms swing down under
    // gravity into their lower limits and back.
    b2Body* inCup = addCircle(addBody(b2Vec2(-10.0f, 2.0f)), 0.3f)->GetBody();
    b2Body* inBox = addCircle(addBody(b2Vec2(-15.0f, 2.0f)), 0.3f)->GetBody();
    for (int step = 0; step < 120; ++step)
    {
        world()->Step(1.0f / 60.0f, 8, 3);
        ASSERT_NEAR(hingeCopy->GetJointAngle(), -source->GetJointAngle(), 1e-3f) << step;
    }
    EXPECT_NEAR(source->GetJointAngle(), -0.2f, 0.05f);
    EXPECT_NEAR(inCup->GetPosition().y, 0.3f, 0.05f);
    EXPECT_NEAR(inBox->GetPosition().y, 0.3f, 0.05f);
}

TEST_F(Mirror, ACopyThatCannotBeMadeIsReportedAndNothingIsJoinedToIt)
{
    // Reflected about x = 3e8, the far body would land beyond the coordinates a scene may use.
    b2Body* far = addBox(addBody(b2Vec2(-5.0e8f, 0.0f)), 1.0f, 1.0f)->GetBody();
    b2Body* near = addBox(addBody(b2Vec2(3.0e8f + 100.0f, 0.0f)), 1.0f, 1.0f)->GetBody();
    addRevolute(far, near, b2Vec2(0.0f, 0.0f));
    placeCursor(3.0e8f);
    selectBodies({far, near});
    editor.mirror();

    EXPECT_EQ(world()->GetBodyCount(), 3);
    EXPECT_EQ(newest()->GetPosition(), b2Vec2(3.0e8f - 100.0f, 0.0f));
    EXPECT_EQ(world()->GetJointCount(), 1);
    EXPECT_EQ(lastMessage().rfind("Could not mirror body ", 0), 0u) << lastMessage();
    EXPECT_EQ(editor.messages().back().colour.g, k_refusalColour.g);
}

}  // namespace
