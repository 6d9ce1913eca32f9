// Scenes whose bodies must move as built, without keys: balls that rebound by their restitution,
// walkers kept on their side of chains, and fast bodies that never tunnel. (Scenes whose end state
// tells enough, such as the gears, are checked in the catalogue's rows.)
#include "SceneDriver.h"

#include "Tests/BulletTest.h"
#include "Tests/CharacterCollision.h"
#include "Tests/CollisionCounters.h"
#include "Tests/ContinuousTest.h"
#include "Tests/VaryingRestitution.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace
{

TEST(SceneMotion, BouncierBallsReboundHigher)
{
    VaryingRestitution scene;
    std::vector<b2Body*> balls = DynamicBodies(scene.GetWorld());
    ASSERT_EQ(static_cast<int>(balls.size()), VaryingRestitution::k_ballCount);
    std::sort(balls.begin(), balls.end(), [](b2Body* a, b2Body* b) {
        return a->GetFixtureList()->GetRestitution() < b->GetFixtureList()->GetRestitution();
    });

    // The first bounce comes after about two seconds of fall; record the highest point after it.
    RunFrames(scene, 150);
    std::vector<float> rebound(balls.size(), 0.0f);
    for (int frame = 0; frame < 150; ++frame)
    {
        StepFrame(scene);
        for (std::size_t i = 0; i < balls.size(); ++i)
        {
            rebound[i] = std::max(rebound[i], balls[i]->GetPosition().y);
        }
    }
    EXPECT_LT(rebound.front(), 1.1f) << "no bounce without restitution";
    EXPECT_GT(rebound.back(), 15.0f) << "an elastic ball returns near its drop height";
    EXPECT_TRUE(std::is_sorted(rebound.begin(), rebound.end())) << ::testing::PrintToString(rebound);
}

// Chains keep bodies on the side they were wound for.
TEST(SceneMotion, WalkersStayOnTheirSurfacesWalkingBackAndForth)
{
    CharacterCollision scene;
    const std::vector<b2Body*> walkers = DynamicBodies(scene.GetWorld());
    ASSERT_FALSE(walkers.empty());
    std::vector<b2Vec2> starts;
    for (b2Body* walker : walkers)
    {
        starts.push_back(walker->GetPosition());
    }
    // The fastest each walker went leftwards (x) and rightwards (y).
    std::vector<b2Vec2> fastest(walkers.size(), b2Vec2_zero);
    for (int frame = 0; frame < 540; ++frame)
    {
        StepFrame(scene);
        for (std::size_t i = 0; i < walkers.size(); ++i)
        {
            const float vx = walkers[i]->GetLinearVelocity().x;
            fastest[i].Set(std::min(fastest[i].x, vx), std::max(fastest[i].y, vx));
        }
    }
    for (std::size_t i = 0; i < walkers.size(); ++i)
    {
        const b2Vec2 p = walkers[i]->GetPosition();
        const std::string where =
            "walker from " + ::testing::PrintToString(starts[i]) + " now at " + ::testing::PrintToString(p);
        if (starts[i].x > 30.0f && starts[i].y > 6.0f)  // inside the room
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
        if (starts[i].x > -14.0f)
        {
            EXPECT_TRUE(fastest[i].x < -1.0f && fastest[i].y > 1.0f) << where;
        }
    }
}

// Knocked sideways a body may slide off an end of the ground, but over the ground it stays above.
void ExpectAboveTheGround(const b2Body* body, float clearance, int frame)
{
    const b2Vec2 p = body->GetPosition();
    if (std::fabs(p.x) < 40.0f)
    {
        EXPECT_GT(p.y, clearance) << "tunnelled at frame " << frame << ", x = " << p.x;
    }
}

// "Bullet Test" and "Continuous Test" relaunch every 90 steps; the collision counters they show
// restart at each launch.
TEST(SceneMotion, RelaunchedBodiesHitThePlankNeverTunnelAndAreResetWithTheCountersAtEachLaunch)
{
    constexpr int k_period = RelaunchingScene::k_relaunchPeriod;
    std::srand(1);  // the same launch points whatever ran before: one near a plank end would spin it
    BulletTest bullet;
    ContinuousTest continuous;
    for (int frame = 0; frame < 4 * k_period; ++frame)
    {
        StepFrame(bullet);
        const int sinceLaunch = frame % k_period;
        const CollisionCounters counters = ReadCollisionCounters();
        // 100 m/s covers 1.7 m a step, nearly twice what the plank and the bullet are thick
        // together. Untouched, the plank would have fallen 0.3 m in 15 steps.
        if (sinceLaunch == 14)
        {
            EXPECT_LT(bullet.GetPlank()->GetPosition().y, 7.0f) << "frame " << frame;
        }
        else if (sinceLaunch == 19)
        {
            EXPECT_GT(counters.toiCalls, 0);
            EXPECT_GT(counters.gjkCalls, 0);
            EXPECT_GE(counters.gjkMaxIters, 1);
        }
        else if (sinceLaunch == k_period - 1)
        {
            EXPECT_EQ(counters.toiCalls, 0);
            EXPECT_EQ(counters.gjkCalls, 0);
            EXPECT_EQ(counters.toiMaxRootIters, 0);
            const b2Body* shot = bullet.GetBullet();
            EXPECT_EQ(shot->GetPosition().y, 20.0f);
            EXPECT_LE(std::fabs(shot->GetPosition().x), 2.0f);
            EXPECT_EQ(shot->GetLinearVelocity(), b2Vec2(0.0f, -100.0f));
            EXPECT_EQ(bullet.GetPlank()->GetPosition(), b2Vec2(0.0f, 8.0f));
            EXPECT_EQ(bullet.GetPlank()->GetAngle(), 0.0f);
            EXPECT_EQ(bullet.GetPlank()->GetLinearVelocity(), b2Vec2_zero);
        }
        StepFrame(continuous);
        ExpectAboveTheGround(bullet.GetPlank(), 0.15f, frame);
        ExpectAboveTheGround(bullet.GetBullet(), 0.2f, frame);
        ExpectAboveTheGround(continuous.GetPlank(), 0.15f, frame);
        if (sinceLaunch == k_period - 1)
        {
            EXPECT_EQ(continuous.GetPlank()->GetPosition(), b2Vec2(0.0f, 20.0f));
            EXPECT_EQ(continuous.GetPlank()->GetLinearVelocity(), b2Vec2(0.0f, -100.0f));
            EXPECT_LE(std::fabs(continuous.GetPlank()->GetAngularVelocity()), 50.0f);
        }
    }
}

}  // namespace
