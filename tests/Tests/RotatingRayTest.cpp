// The rotating ray of the ray-cast scenes: what each mode reports, and how it turns.
#include "Tests/RotatingRay.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{

// Two unit boxes on the ray's starting direction (+x from the origin), entered at x = 2.5 and
// x = 5.5, and one off the ray.
class RotatingRayTest : public ::testing::Test
{
protected:
    RotatingRayTest() : m_world(b2Vec2(0.0f, -10.0f))
    {
        AddBox(b2Vec2(6.0f, 0.0f));
        AddBox(b2Vec2(3.0f, 0.0f));
        AddBox(b2Vec2(3.0f, 4.0f));
    }

    void AddBox(const b2Vec2& position)
    {
        b2BodyDef bd;
        bd.position = position;
        b2PolygonShape box;
        box.SetAsBox(0.5f, 0.5f);
        m_world.CreateBody(&bd)->CreateFixture(&box, 0.0f);
    }

    b2World m_world;
    RotatingRay m_ray{b2Vec2_zero, 10.0f};
};

TEST_F(RotatingRayTest, ClosestModeReportsTheNearestEntryAnyModeOneAndMultipleModeEvery)
{
    m_ray.mode = RotatingRay::k_closest;
    m_ray.Update(&m_world, false);
    ASSERT_EQ(m_ray.GetHitCount(), 1);
    EXPECT_NEAR(m_ray.GetHit(0).point.x, 2.5f, 1e-4f);
    EXPECT_NEAR(m_ray.GetHit(0).point.y, 0.0f, 1e-4f);
    EXPECT_NEAR(m_ray.GetHit(0).normal.x, -1.0f, 1e-4f);

    m_ray.mode = RotatingRay::k_any;
    m_ray.Update(&m_world, false);
    EXPECT_EQ(m_ray.GetHitCount(), 1);

    m_ray.mode = RotatingRay::k_multiple;
    m_ray.Update(&m_world, false);
    ASSERT_EQ(m_ray.GetHitCount(), 2);
    EXPECT_NEAR(std::min(m_ray.GetHit(0).point.x, m_ray.GetHit(1).point.x), 2.5f, 1e-4f);
    EXPECT_NEAR(std::max(m_ray.GetHit(0).point.x, m_ray.GetHit(1).point.x), 5.5f, 1e-4f);
}

TEST_F(RotatingRayTest, MultipleModeStopsAtItsBufferSizeAndHitsAreForgottenWhenTheRayMissesEverything)
{
    for (int i = 0; i < 2 * RotatingRay::k_maxHits; ++i)
    {
        AddBox(b2Vec2(8.0f, 0.0f));
    }
    m_ray.mode = RotatingRay::k_multiple;
    m_ray.Update(&m_world, false);
    EXPECT_EQ(m_ray.GetHitCount(), RotatingRay::k_maxHits);
    // A quarter of a degree per step: half a turn later the ray points along -x, where there
    // is nothing.
    for (int step = 0; step < 720; ++step)
    {
        m_ray.Update(&m_world, true);
    }
    EXPECT_NEAR(m_ray.GetEnd().x, -10.0f, 1e-3f);
    EXPECT_EQ(m_ray.GetHitCount(), 0);
}

}  // namespace
