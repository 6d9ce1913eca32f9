// The scenes that compute geometry outside the world ("PolyCollision", "Distance Test", "Dynamic
// Tree"; the catalogue checks "Time of Impact"): the keys move the second shape and the read-outs
// follow the shapes; the tree's proxies, created, destroyed and moved by keys or automatically,
// stay consistent with it, and its query box and ray report the actors a brute-force search finds.
#include "SceneDriver.h"

#include "Tests/DistanceTest.h"
#include "Tests/DynamicTreeTest.h"
#include "Tests/PolyCollision.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

TEST(PolyCollision, ContactPointsAppearOnlyWhileTheBoxesOverlap)
{
    PolyCollision scene;
    StepFrame(scene);
    const int overlapping = scene.GetPointCount();
    EXPECT_GT(overlapping, 0) << "the boxes start overlapping";

    PressKey(scene, 'd', 60);
    StepFrame(scene);
    EXPECT_EQ(scene.GetPointCount(), 0);

    PressKey(scene, 'a', 60);
    StepFrame(scene);
    EXPECT_EQ(scene.GetPointCount(), overlapping);
}

// The keys are those of every scene with a keyed pose: "a"/"d" move the second shape along x by
// 0.1 m, "s"/"w" along y, and "q"/"e" turn it by a tenth of pi.
TEST(DistanceTest, KeysMoveTheSecondShapeAndTheDistanceIsTheGapBetweenTheClosestPoints)
{
    DistanceTest scene;
    StepFrame(scene);
    const b2DistanceOutput separated = scene.GetOutput();
    EXPECT_GT(separated.distance, 0.5f);
    EXPECT_GT(separated.iterations, 0);
    EXPECT_NEAR(b2Distance(separated.pointA, separated.pointB), separated.distance, 1e-3f);

    const KeyedPose start = scene.GetPoseB();
    PressKey(scene, 'd', 10);
    PressKey(scene, 'w', 2);
    PressKey(scene, 'q', 1);
    EXPECT_NEAR(scene.GetPoseB().position.x, start.position.x + 1.0f, 1e-4f);
    EXPECT_NEAR(scene.GetPoseB().position.y, start.position.y + 0.2f, 1e-4f);
    EXPECT_NEAR(scene.GetPoseB().angle, start.angle + 0.31415927f, 1e-6f);
    PressKey(scene, 'a', 20);
    PressKey(scene, 's', 2);
    PressKey(scene, 'e', 1);
    PressKey(scene, 'x', 1);
    EXPECT_NEAR(scene.GetPoseB().position.x, start.position.x - 1.0f, 1e-4f);
    EXPECT_NEAR(scene.GetPoseB().position.y, start.position.y, 1e-4f);
    EXPECT_NEAR(scene.GetPoseB().angle, start.angle, 1e-6f);
    StepFrame(scene);
    EXPECT_LT(scene.GetOutput().distance, separated.distance);

    // Moved onto the box: no gap at all.
    PressKey(scene, 'a', 80);
    PressKey(scene, 's', 50);
    StepFrame(scene);
    EXPECT_EQ(scene.GetOutput().distance, 0.0f);
}

constexpr int k_actors = DynamicTreeTest::k_actorCount;

class DynamicTreeScene : public ::testing::Test
{
protected:
    // Every actor in the tree lies inside its fat box, within the area actors live in.
    void ExpectTreeMatchesActors()
    {
        if (m_scene.GetProxyCount() > 0)  // the library's check asserts on an empty tree
        {
            m_scene.GetTree().Validate();
        }
        for (int i = 0; i < k_actors; ++i)
        {
            const DynamicTreeTest::Actor& actor = m_scene.GetActor(i);
            if (actor.proxyId == DynamicTreeTest::k_noProxy)
            {
                continue;
            }
            EXPECT_TRUE(m_scene.GetTree().GetFatAABB(actor.proxyId).Contains(actor.aabb)) << "actor " << i;
            b2Vec2 c = actor.aabb.GetCenter();
            EXPECT_LE(std::fabs(c.x), 15.0f + 1e-4f) << "actor " << i;
            EXPECT_LE(std::fabs(c.y - 20.0f), 15.0f + 1e-4f) << "actor " << i;
        }
    }

    DynamicTreeTest m_scene;
    Settings m_settings;
};

TEST_F(DynamicTreeScene, CreatesAndDestroysProxiesWithinTheActorCountAndTheRayForgetsDestroyedOnes)
{
    EXPECT_EQ(m_scene.GetProxyCount(), k_actors);
    PressKey(m_scene, 'c');
    EXPECT_EQ(m_scene.GetProxyCount(), k_actors) << "no free actor to create";

    PressKey(m_scene, 'd');
    EXPECT_EQ(m_scene.GetProxyCount(), k_actors - 1);
    PressKey(m_scene, 'c');
    EXPECT_EQ(m_scene.GetProxyCount(), k_actors);

    // Each "d" picks actors at random until it finds one in the tree, giving up after 128 tries.
    // The ray cast in the frame before must forget the actors that leave the tree.
    StepFrame(m_scene, &m_settings);
    int previous = k_actors;
    for (int i = 0; i < 4 * k_actors; ++i)
    {
        PressKey(m_scene, 'd');
        int now = m_scene.GetProxyCount();
        EXPECT_TRUE(now == previous || now == previous - 1);
        previous = now;
        const DynamicTreeTest::Actor* hit = m_scene.GetRayActor();
        ASSERT_TRUE(hit == nullptr || hit->proxyId != DynamicTreeTest::k_noProxy);
    }
    EXPECT_LT(previous, 8);
    ExpectTreeMatchesActors();
    while (m_scene.GetProxyCount() > 0)
    {
        PressKey(m_scene, 'd');
    }
    RunFrames(m_scene, 3, "dm", &m_settings);

    PressKey(m_scene, 'c', k_actors);
    EXPECT_EQ(m_scene.GetProxyCount(), k_actors);
    ExpectTreeMatchesActors();
}

// Automated, each frame moves, creates and destroys proxies at random; the query and the ray must
// still report what a brute-force search over the actors finds.
TEST_F(DynamicTreeScene, MovingByKeyOrAutomaticallyKeepsTheTreeConsistentAndQueryAndRayExact)
{
    const b2AABB before = m_scene.GetActor(0).aabb;
    PressKey(m_scene, 'm', 100);
    EXPECT_NE(m_scene.GetActor(0).aabb.lowerBound, before.lowerBound);
    ExpectTreeMatchesActors();

    PressKey(m_scene, 'a');
    ASSERT_TRUE(m_scene.IsAutomated());
    for (int frame = 0; frame < 300; ++frame)
    {
        StepFrame(m_scene, &m_settings);

        const DynamicTreeTest::Actor* closest = nullptr;
        float closestFraction = 2.0f;
        for (int i = 0; i < k_actors; ++i)
        {
            const DynamicTreeTest::Actor& actor = m_scene.GetActor(i);
            const bool inTree = actor.proxyId != DynamicTreeTest::k_noProxy;
            ASSERT_EQ(actor.overlapsQuery, inTree && b2TestOverlap(actor.aabb, m_scene.GetQueryBox()))
                << "actor " << i << " in frame " << frame;
            b2RayCastOutput output;
            if (inTree && actor.aabb.RayCast(&output, m_scene.GetRay()) && output.fraction < closestFraction)
            {
                closest = &actor;
                closestFraction = output.fraction;
            }
        }
        ASSERT_EQ(m_scene.GetRayActor(), closest) << "frame " << frame;
    }
    ExpectTreeMatchesActors();

    m_settings.pause = 1;
    const b2AABB paused = m_scene.GetActor(0).aabb;
    const int count = m_scene.GetProxyCount();
    RunFrames(m_scene, 20, "", &m_settings);
    EXPECT_EQ(m_scene.GetActor(0).aabb.lowerBound, paused.lowerBound);
    EXPECT_EQ(m_scene.GetProxyCount(), count);

    m_settings.singleStep = 1;
    StepFrame(m_scene, &m_settings);
    EXPECT_EQ(m_settings.singleStep, 0);

    PressKey(m_scene, 'a');
    EXPECT_FALSE(m_scene.IsAutomated());
}

}  // namespace
