// The scenes that drop shapes on demand ("Polygon Shapes", "Edge Shapes", "Ray-Cast"): the ring
// of 256 bodies, the five kinds, "d", and in "Polygon Shapes" the (de)activation key and the
// circle query.
#include "SceneDriver.h"

#include "Physics/BodyState.h"
#include "Tests/EdgeShapes.h"
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

b2Shape::Type KindOf(const b2Body* body)
{
    return body->GetFixtureList()->GetShape()->GetType();
}

int VertexCount(const b2Body* body)
{
    return static_cast<const b2PolygonShape*>(body->GetFixtureList()->GetShape())->m_count;
}

TEST(DroppingShapes, KeysOneToFiveDropTheFiveKindsAndOnceTheRingIsFullReplaceTheOldestBody)
{
    PolyShapes scene;
    const int bodiesBefore = scene.GetWorld()->GetBodyCount();
    for (unsigned char key = '1'; key <= '5'; ++key)
    {
        PressKey(scene, key);
    }
    EXPECT_EQ(scene.GetRingPosition(), 5);
    const int polygonVertices[] = {3, 3, 8, 4};
    for (int kind = 0; kind < 5; ++kind)
    {
        const b2Body* body = scene.GetDroppedBody(kind);
        ASSERT_NE(body, nullptr) << "kind " << kind;
        // "Polygon Shapes" drops above the middle of its ground.
        EXPECT_LE(std::fabs(body->GetPosition().x), 2.0f);
        const bool circle = kind == 4;
        ASSERT_EQ(KindOf(body), circle ? b2Shape::e_circle : b2Shape::e_polygon);
        if (!circle)
        {
            EXPECT_EQ(VertexCount(body), polygonVertices[kind]);
        }
    }

    PressKey(scene, '1', k_ringSize - 5);
    ASSERT_EQ(UsedSlots(scene), k_ringSize);
    EXPECT_EQ(scene.GetRingPosition(), 0);
    PressKey(scene, '5');
    EXPECT_EQ(scene.GetWorld()->GetBodyCount(), bodiesBefore + k_ringSize);
    EXPECT_EQ(KindOf(scene.GetDroppedBody(0)), b2Shape::e_circle);
    EXPECT_EQ(KindOf(scene.GetDroppedBody(1)), b2Shape::e_polygon);
    EXPECT_EQ(scene.GetRingPosition(), 1);

    // The ring keeps turning: another full round replaces every body once more.
    PressKey(scene, '3', k_ringSize);
    EXPECT_EQ(scene.GetWorld()->GetBodyCount(), bodiesBefore + k_ringSize);
    EXPECT_EQ(scene.GetRingPosition(), 1);
    EXPECT_EQ(VertexCount(scene.GetDroppedBody(1)), 8);
}

TEST(DroppingShapes, DestroysTheBodyInTheFirstUsedSlot)
{
    RayCast scene;
    const int bodiesBefore = scene.GetWorld()->GetBodyCount();
    PressKey(scene, '2', 4);
    b2Body* second = scene.GetDroppedBody(1);

    PressKey(scene, 'd');
    EXPECT_EQ(scene.GetDroppedBody(0), nullptr);
    EXPECT_EQ(scene.GetDroppedBody(1), second);
    PressKey(scene, 'd');
    EXPECT_EQ(scene.GetDroppedBody(1), nullptr);
    EXPECT_EQ(UsedSlots(scene), 2);

    // Freed slots are not refilled early: the next drop still goes to the ring position.
    PressKey(scene, '2');
    EXPECT_EQ(scene.GetDroppedBody(0), nullptr);
    EXPECT_NE(scene.GetDroppedBody(4), nullptr);

    PressKey(scene, 'd', 5);
    EXPECT_EQ(UsedSlots(scene), 0);
    EXPECT_EQ(scene.GetWorld()->GetBodyCount(), bodiesBefore);
}

TEST(DroppingShapes, ABodyDestroyedFromOutsideLeavesItsSlotEmpty)
{
    EdgeShapes scene;
    PressKey(scene, '5', 3);
    scene.DestroyBody(scene.GetDroppedBody(0));
    scene.DestroyFixture(scene.GetDroppedBody(1)->GetFixtureList());
    EXPECT_EQ(scene.GetDroppedBody(0), nullptr);
    ASSERT_NE(scene.GetDroppedBody(1), nullptr);

    // "d" now finds the fixture-less body in slot 1, and the ring refills slot 0 only when it
    // comes round again.
    PressKey(scene, 'd');
    EXPECT_EQ(scene.GetDroppedBody(1), nullptr);
    PressKey(scene, '4', k_ringSize);
    StepFrame(scene);
    EXPECT_EQ(UsedSlots(scene), k_ringSize);
}

TEST(DroppingShapes, ATakesEverySecondDroppedBodyOutOfTheSimulationAndBack)
{
    PolyShapes scene;
    PressKey(scene, '4', 6);
    PressKey(scene, 'd');  // slot 0 empty: the toggle skips it

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
