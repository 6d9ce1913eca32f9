// Surfaces that collide on one side only: chains keep bodies on the side they were wound for,
// and the one-sided platform lets a body through from below but carries it from above.
#include "SceneDriver.h"

#include "Tests/CharacterCollision.h"
#include "Tests/OneSidedPlatform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace
{

TEST(OneSidedPlatformScene, BodyRisesThroughThePlatformAndLandsOnIt)
{
    std::unique_ptr<::Test> test(OneSidedPlatform::Create());
    Settings settings = UndrawnSettings();
    b2Body* platform = nullptr;
    for (b2Body* body : Bodies(test->GetWorld()))
    {
        if (body->GetType() == b2_staticBody && body->GetFixtureList() &&
            body->GetFixtureList()->GetType() == b2Shape::e_polygon)
        {
            platform = body;
        }
    }
    ASSERT_NE(platform, nullptr);
    const std::vector<b2Body*> dynamics = DynamicBodies(test->GetWorld());
    ASSERT_EQ(dynamics.size(), 1u);
    b2Body* ball = dynamics.front();
    const float top = platform->GetFixtureList()->GetAABB(0).upperBound.y;
    const float radius = ball->GetFixtureList()->GetShape()->m_radius;
    ASSERT_LT(ball->GetPosition().y, platform->GetPosition().y);

    float highest = ball->GetPosition().y;
    for (int frame = 0; frame < 240; ++frame)
    {
        StepFrame(*test, settings);
        highest = std::max(highest, ball->GetPosition().y);
    }
    EXPECT_GT(highest, top + 2.0f * radius);
    EXPECT_NEAR(ball->GetPosition().y, top + radius, 0.05f);
    EXPECT_NEAR(ball->GetLinearVelocity().y, 0.0f, 0.01f);
}

TEST(CharacterCollisionScene, WalkersStayOnTheirSurfacesWalkingBackAndForth)
{
    std::unique_ptr<::Test> test(CharacterCollision::Create());
    Settings settings = UndrawnSettings();
    struct Walker
    {
        b2Body* body;
        b2Vec2 start;
        float heading;
        int turns;
    };
    std::vector<Walker> walkers;
    for (b2Body* body : DynamicBodies(test->GetWorld()))
    {
        walkers.push_back({body, body->GetPosition(), 0.0f, 0});
    }
    ASSERT_FALSE(walkers.empty());

    for (int frame = 0; frame < 540; ++frame)
    {
        StepFrame(*test, settings);
        for (Walker& walker : walkers)
        {
            const float vx = walker.body->GetLinearVelocity().x;
            if (std::fabs(vx) > 1.0f && vx * walker.heading <= 0.0f)
            {
                walker.turns += walker.heading != 0.0f ? 1 : 0;
                walker.heading = vx;
            }
        }
    }

    for (const Walker& walker : walkers)
    {
        const b2Vec2 p = walker.body->GetPosition();
        const std::string where = "walker from " + ::testing::PrintToString(walker.start) + " now at " +
                                  ::testing::PrintToString(p);
        const bool startedInRoom = walker.start.x > 30.0f && walker.start.y > 6.0f;
        if (startedInRoom)
        {
            EXPECT_TRUE(p.x > 30.0f && p.x < 38.0f && p.y > 6.0f && p.y < 14.0f) << where;
        }
        else
        {
            // On the ground, the tiles, the hills or the rock: above y = 0, below the room.
            EXPECT_GT(p.y, 0.0f) << where;
            EXPECT_LT(p.y, 6.0f) << where;
        }
        // Polygons on the aligned tiles (x < -14) may snag, which is what the scene shows;
        // everything else walks on to the end of its lane and turns round.
        if (walker.start.x > -14.0f)
        {
            EXPECT_GE(walker.turns, 1) << where;
        }
    }
}

}  // namespace
