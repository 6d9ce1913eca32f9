// "Bullet Test" and "Continuous Test": fast bodies relaunched every 90 steps, the collision
// counters they show, and continuous collision keeping them from passing through thin shapes.
#include "SceneDriver.h"

#include "Tests/BulletTest.h"
#include "Tests/CollisionCounters.h"
#include "Tests/ContinuousTest.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

constexpr int k_period = RelaunchingScene::k_relaunchPeriod;

TEST(RelaunchingScenes, EveryBulletHitsThePlankInsteadOfPassingThrough)
{
    BulletTest scene;
    Settings settings = UndrawnSettings();
    for (int launch = 0; launch < 4; ++launch)
    {
        // 100 m/s covers 1.7 m a step, nearly twice what the plank and the bullet are thick
        // together. Untouched, the plank would have fallen 0.3 m in these 15 steps.
        RunFrames(scene, settings, 15, "");
        EXPECT_LT(scene.GetPlank()->GetPosition().y, 7.0f) << "launch " << launch;
        RunFrames(scene, settings, k_period - 15, "");
    }
}

TEST(RelaunchingScenes, BulletAndPlankAreResetEveryNinetySteps)
{
    BulletTest scene;
    Settings settings = UndrawnSettings();
    RunFrames(scene, settings, k_period - 1, "");
    ASSERT_LT(scene.GetBullet()->GetPosition().y, 15.0f);

    StepFrame(scene, settings);
    const b2Body* bullet = scene.GetBullet();
    EXPECT_EQ(bullet->GetPosition().y, 20.0f);
    EXPECT_GE(bullet->GetPosition().x, -2.0f);
    EXPECT_LE(bullet->GetPosition().x, 2.0f);
    EXPECT_EQ(bullet->GetLinearVelocity(), b2Vec2(0.0f, -100.0f));
    EXPECT_EQ(scene.GetPlank()->GetPosition(), b2Vec2(0.0f, 8.0f));
    EXPECT_EQ(scene.GetPlank()->GetAngle(), 0.0f);
    EXPECT_EQ(scene.GetPlank()->GetLinearVelocity(), b2Vec2_zero);
}

TEST(RelaunchingScenes, CountersShowTheWorkSinceTheLastLaunch)
{
    BulletTest scene;
    Settings settings = UndrawnSettings();
    RunFrames(scene, settings, 20, "");
    CollisionCounters afterImpact = ReadCollisionCounters();
    EXPECT_GT(afterImpact.toiCalls, 0);
    EXPECT_GT(afterImpact.gjkCalls, 0);
    EXPECT_GE(afterImpact.gjkMaxIters, 1);

    RunFrames(scene, settings, k_period - 20, "");
    CollisionCounters atLaunch = ReadCollisionCounters();
    EXPECT_EQ(atLaunch.toiCalls, 0);
    EXPECT_EQ(atLaunch.gjkCalls, 0);
    EXPECT_EQ(atLaunch.toiMaxRootIters, 0);
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

TEST(RelaunchingScenes, NothingTunnelsThroughTheGround)
{
    BulletTest bullet;
    ContinuousTest continuous;
    Settings settings = UndrawnSettings();
    for (int frame = 0; frame < 4 * k_period; ++frame)
    {
        StepFrame(bullet, settings);
        StepFrame(continuous, settings);
        ExpectAboveTheGround(bullet.GetPlank(), 0.15f, frame);
        ExpectAboveTheGround(bullet.GetBullet(), 0.2f, frame);
        ExpectAboveTheGround(continuous.GetPlank(), 0.15f, frame);
        if (frame % k_period == k_period - 1)
        {
            const b2Body* plank = continuous.GetPlank();
            EXPECT_EQ(plank->GetPosition(), b2Vec2(0.0f, 20.0f));
            EXPECT_EQ(plank->GetLinearVelocity(), b2Vec2(0.0f, -100.0f));
            EXPECT_LE(std::fabs(plank->GetAngularVelocity()), 50.0f);
        }
    }
}

}  // namespace
