// The scenes that drop shapes on demand ("Polygon Shapes", "Ray-Cast" and "Edge Shapes" share the
// code): the ring of 256 bodies, the five kinds, "d", and in "Polygon Shapes" the (de)activation
// key and the circle query.
#include "SceneDriver.h"

#include "Physics/BodyState.h"
#include "Tests/PolyShapes.h"
#include "Tests/RayCast.h"
#include "Tests/SceneParts.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

constexpr int k_ringSize = DroppingShapes::k_maxBodies;

int UsedSlots(const DroppingShapes& scene)
{
    int used = 0;
    for (int slot = 0; slot < k_ringSize; ++slot)
    {
        used += scene.GetDroppedBody(slot) != nullptr;
    }
    return used;
}

// Of a polygon; 0 for a circle.
int VertexCount(const b2Body* body)
{
    const b2Shape* shape = body->GetFixtureList()->GetShape();
    return shape->GetType() == b2Shape::e_polygon ? static_cast<const b2PolygonShape*>(shape)->m_count : 0;
}

TEST(DroppingShapes, KeysOneToFiveDropTheFiveKindsIntoARingAndATogglesEverySecondBody)
{
    PolyShapes scene;
    const int bodiesBefore = scene.GetWorld()->GetBodyCount();
    for (unsigned char key = '1'; key <= '5'; ++key)
    {
        PressKey(scene, key);
    }
    EXPECT_EQ(scene.GetRingPosition(), 5);
    const int vertices[] = {3, 3, 8, 4, 0};
    for (int kind = 0; kind < 5; ++kind)
    {
        const b2Body* body = scene.GetDroppedBody(kind);
        ASSERT_NE(body, nullptr) << "kind " << kind;
        // "Polygon Shapes" drops above the middle of its ground.
        EXPECT_LE(std::fabs(body->GetPosition().x), 2.0f);
        EXPECT_EQ(VertexCount(body), vertices[kind]) << "kind " << kind;
    }

    // Once the ring is full each drop replaces the oldest body, round after round.
    PressKey(scene, '1', k_ringSize - 5);
    ASSERT_EQ(UsedSlots(scene), k_ringSize);
    EXPECT_EQ(scene.GetRingPosition(), 0);
    PressKey(scene, '5');
    EXPECT_EQ(scene.GetWorld()->GetBodyCount(), bodiesBefore + k_ringSize);
    EXPECT_EQ(VertexCount(scene.GetDroppedBody(0)), 0);
    EXPECT_EQ(VertexCount(scene.GetDroppedBody(1)), 3);
    EXPECT_EQ(scene.GetRingPosition(), 1);
    PressKey(scene, '3', k_ringSize);
    EXPECT_EQ(scene.GetWorld()->GetBodyCount(), bodiesBefore + k_ringSize);
    EXPECT_EQ(scene.GetRingPosition(), 1);
    EXPECT_EQ(VertexCount(scene.GetDroppedBody(1)), 8);

    // "a" takes the bodies of the even slots out of the simulation, and back; it skips slot 0,
    // emptied by "d".
    PressKey(scene, 'd');
    for (int press = 1; press <= 2; ++press)
    {
        PressKey(scene, 'a');
        for (int slot = 1; slot < 6; ++slot)
        {
            EXPECT_EQ(Physics::IsBodyActive(scene.GetDroppedBody(slot)), press == 2 || slot % 2 == 1)
                << "slot " << slot << " after press " << press;
        }
    }
}

TEST(DroppingShapes, DDestroysTheBodyInTheFirstUsedSlotAndEmptiedSlotsWaitForTheRing)
{
    RayCast scene;
    const int bodiesBefore = scene.GetWorld()->GetBodyCount();
    PressKey(scene, '2', 4);
    b2Body* second = scene.GetDroppedBody(1);
    PressKey(scene, 'd');
    EXPECT_EQ(scene.GetDroppedBody(0), nullptr);
    EXPECT_EQ(scene.GetDroppedBody(1), second);

    // A body the editor destroys leaves its slot empty; one that lost its fixture is still found.
    scene.DestroyBody(scene.GetDroppedBody(2));
    scene.DestroyFixture(second->GetFixtureList());
    EXPECT_EQ(scene.GetDroppedBody(2), nullptr);
    PressKey(scene, 'd');
    EXPECT_EQ(scene.GetDroppedBody(1), nullptr);
    EXPECT_EQ(UsedSlots(scene), 1);

    // Emptied slots are not refilled early: the next drop still goes to the ring position.
    PressKey(scene, '2');
    EXPECT_EQ(scene.GetDroppedBody(0), nullptr);
    EXPECT_NE(scene.GetDroppedBody(4), nullptr);
    PressKey(scene, 'd', 5);
    EXPECT_EQ(UsedSlots(scene), 0);
    EXPECT_EQ(scene.GetWorld()->GetBodyCount(), bodiesBefore);
    PressKey(scene, '4', k_ringSize);
    StepFrame(scene);
    EXPECT_EQ(UsedSlots(scene), k_ringSize);
}

TEST(DroppingShapes, TheQueryMarksFixturesTouchingTheCircleOnly)
{
    PolyShapes scene;
    Settings settings = UndrawnSettings();
    settings.pause = 1;  // bodies stay where they are put

    // Centred on the query circle; and one whose box overlaps the circle's bounding box near
    // its corner without touching the circle. The ground lies just outside the circle.
    b2Fixture* inside =
        CreateDynamicBody(scene.GetWorld(), b2Vec2(0.0f, 1.1f), MakeBox(0.2f, 0.2f), 1.0f)->GetFixtureList();
    CreateDynamicBody(scene.GetWorld(), b2Vec2(0.95f, 2.05f), MakeBox(0.2f, 0.2f), 1.0f);
    StepFrame(scene, &settings);
    EXPECT_EQ(scene.GetMarkedFixtures(), std::vector<b2Fixture*>{inside});

    scene.DestroyFixture(inside);
    EXPECT_TRUE(scene.GetMarkedFixtures().empty());
    StepFrame(scene, &settings);
    EXPECT_TRUE(scene.GetMarkedFixtures().empty());
}

}  // namespace
