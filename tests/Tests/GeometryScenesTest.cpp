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

// Every actor in the tree lies inside its fat box, within the area actors live in.
void ExpectTreeMatchesActors(const DynamicTreeTest& scene)
{
    if (scene.GetProxyCount() > 0)  // the library's check asserts on an empty tree
    {
        scene.GetTree().Validate();
    }
    for (int i = 0; i < k_actors; ++i)
    {
        const DynamicTreeTest::Actor& actor = scene.GetActor(i);
        if (actor.proxyId == DynamicTreeTest::k_noProxy)
        {
            continue;
        }
        EXPECT_TRUE(scene.GetTree().GetFatAABB(actor.proxyId).Contains(actor.aabb)) << "actor " << i;
        b2Vec2 c = actor.aabb.GetCenter();
        EXPECT_LE(std::fabs(c.x), 15.0f + 1e-4f) << "actor " << i;
        EXPECT_LE(std::fabs(c.y - 20.0f), 15.0f + 1e-4f) << "actor " << i;
    }
}

// Keys create ("c"), destroy ("d") and move ("m") proxies; automated ("a"), every frame moves,
// creates and destroys some at random. The query box and the ray must still report the actors a
// brute-force search finds.
TEST(DynamicTreeScene, ProxiesChangedByKeyOrAutomaticallyKeepTheTreeConsistentAndQueryAndRayExact)
{
    DynamicTreeTest scene;
    Settings settings;
    EXPECT_EQ(scene.GetProxyCount(), k_actors);
    PressKey(scene, 'c');
    EXPECT_EQ(scene.GetProxyCount(), k_actors) << "no free actor to create";
    // Each "d" picks actors at random until it finds one in the tree, giving up after 128 tries.
    // The ray cast in the frame before must forget the actors that leave the tree.
    StepFrame(scene, &settings);
    int previous = k_actors;
    for (int i = 0; i < 4 * k_actors; ++i)
    {
        PressKey(scene, 'd');
        int now = scene.GetProxyCount();
        EXPECT_TRUE(now == previous || now == previous - 1);
        previous = now;
        const DynamicTreeTest::Actor* hit = scene.GetRayActor();
        ASSERT_TRUE(hit == nullptr || hit->proxyId != DynamicTreeTest::k_noProxy);
    }
    EXPECT_LT(previous, 8);
    ExpectTreeMatchesActors(scene);
    while (scene.GetProxyCount() > 0)
    {
        PressKey(scene, 'd');
    }
    RunFrames(scene, 3, "dm", &settings);

    PressKey(scene, 'c', k_actors);
    EXPECT_EQ(scene.GetProxyCount(), k_actors);
    ExpectTreeMatchesActors(scene);

    const b2AABB before = scene.GetActor(0).aabb;
    PressKey(scene, 'm', 100);
    EXPECT_NE(scene.GetActor(0).aabb.lowerBound, before.lowerBound);
    ExpectTreeMatchesActors(scene);

    PressKey(scene, 'a');
    ASSERT_TRUE(scene.IsAutomated());
    for (int frame = 0; frame < 300; ++frame)
    {
        StepFrame(scene, &settings);

        const DynamicTreeTest::Actor* closest = nullptr;
        float closestFraction = 2.0f;
        for (int i = 0; i < k_actors; ++i)
        {
            const DynamicTreeTest::Actor& actor = scene.GetActor(i);
            const bool inTree = actor.proxyId != DynamicTreeTest::k_noProxy;
            ASSERT_EQ(actor.overlapsQuery, inTree && b2TestOverlap(actor.aabb, scene.GetQueryBox()))
                << "actor " << i << " in frame " << frame;
            b2RayCastOutput output;
            if (inTree && actor.aabb.RayCast(&output, scene.GetRay()) && output.fraction < closestFraction)
            {
                closest = &actor;
                closestFraction = output.fraction;
            }
        }
        ASSERT_EQ(scene.GetRayActor(), closest) << "frame " << frame;
    }
    ExpectTreeMatchesActors(scene);

    // Paused, the automation waits for a single step.
    settings.pause = 1;
    const b2AABB paused = scene.GetActor(0).aabb;
    const int count = scene.GetProxyCount();
    RunFrames(scene, 20, "", &settings);
    EXPECT_EQ(scene.GetActor(0).aabb.lowerBound, paused.lowerBound);
    EXPECT_EQ(scene.GetProxyCount(), count);

    settings.singleStep = 1;
    StepFrame(scene, &settings);
    EXPECT_EQ(settings.singleStep, 0);

    PressKey(scene, 'a');
    EXPECT_FALSE(scene.IsAutomated());
}

}  // namespace
