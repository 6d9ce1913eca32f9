// The rotating ray of the ray-cast scenes: what each mode reports, and how it turns.
#include "Tests/RotatingRay.h"
#include "Tests/SceneParts.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{

void AddBox(b2World& world, const b2Vec2& position)
{
    const b2PolygonShape box = MakeBox(0.5f, 0.5f);
    CreateStaticBody(&world, position)->CreateFixture(&box, 0.0f);
}

TEST(RotatingRay, ReportsTheNearestHitOneHitOrEveryHitUpToItsBufferAndForgetsThemWhenItMisses)
{
    // Two unit boxes on the ray's starting direction (+x from the origin), entered at x = 2.5 and
    // x = 5.5, and one off the ray.
    b2World world(b2Vec2(0.0f, -10.0f));
    AddBox(world, b2Vec2(6.0f, 0.0f));
    AddBox(world, b2Vec2(3.0f, 0.0f));
    AddBox(world, b2Vec2(3.0f, 4.0f));
    RotatingRay ray(b2Vec2_zero, 10.0f);
    ray.Update(&world, false);
    ASSERT_EQ(ray.GetHitCount(), 1) << "the closest hit, by default";
    EXPECT_NEAR(ray.GetHit(0).point.x, 2.5f, 1e-4f);
    EXPECT_NEAR(ray.GetHit(0).point.y, 0.0f, 1e-4f);
    EXPECT_NEAR(ray.GetHit(0).normal.x, -1.0f, 1e-4f);

    ray.mode = RotatingRay::k_any;
    ray.Update(&world, false);
    EXPECT_EQ(ray.GetHitCount(), 1);

    ray.mode = RotatingRay::k_multiple;
    ray.Update(&world, false);
    ASSERT_EQ(ray.GetHitCount(), 2);
    EXPECT_NEAR(std::min(ray.GetHit(0).point.x, ray.GetHit(1).point.x), 2.5f, 1e-4f);
    EXPECT_NEAR(std::max(ray.GetHit(0).point.x, ray.GetHit(1).point.x), 5.5f, 1e-4f);

    for (int i = 0; i < 2 * RotatingRay::k_maxHits; ++i)
    {
        AddBox(world, b2Vec2(8.0f, 0.0f));
    }
    ray.Update(&world, false);
    EXPECT_EQ(ray.GetHitCount(), RotatingRay::k_maxHits);
    // A quarter of a degree per step: half a turn later the ray points along -x, where there
    // is nothing.
    for (int step = 0; step < 720; ++step)
    {
        ray.Update(&world, true);
    }
    EXPECT_NEAR(ray.GetEnd().x, -10.0f, 1e-3f);
    EXPECT_EQ(ray.GetHitCount(), 0);
}

}  // namespace
