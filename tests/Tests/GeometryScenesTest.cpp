// The scenes that compute geometry outside the world ("PolyCollision", "Distance Test", "Time
// of Impact"): the keys move the second shape, and the read-outs follow the shapes.
#include "SceneDriver.h"

#include "Tests/DistanceTest.h"
#include "Tests/PolyCollision.h"
#include "Tests/TimeOfImpact.h"

#include <gtest/gtest.h>

namespace
{

TEST(KeyedPose, KeysMoveAndTurnTheShapeAndOtherKeysDoNot)
{
    DistanceTest scene;
    const KeyedPose start = scene.GetPoseB();
    PressKey(scene, 'd', 10);
    PressKey(scene, 'w', 2);
    PressKey(scene, 'q', 1);
    EXPECT_NEAR(scene.GetPoseB().position.x, start.position.x + 1.0f, 1e-4f);
    EXPECT_NEAR(scene.GetPoseB().position.y, start.position.y + 0.2f, 1e-4f);
    EXPECT_NEAR(scene.GetPoseB().angle, start.angle + 0.31415927f, 1e-6f);

    PressKey(scene, 'a', 10);
    PressKey(scene, 's', 2);
    PressKey(scene, 'e', 1);
    PressKey(scene, 'x', 1);
    EXPECT_NEAR(scene.GetPoseB().position.x, start.position.x, 1e-4f);
    EXPECT_NEAR(scene.GetPoseB().position.y, start.position.y, 1e-4f);
    EXPECT_NEAR(scene.GetPoseB().angle, start.angle, 1e-6f);
}

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

TEST(DistanceTest, DistanceIsTheGapBetweenTheClosestPoints)
{
    DistanceTest scene;
    StepFrame(scene);
    const b2DistanceOutput separated = scene.GetOutput();
    EXPECT_GT(separated.distance, 0.5f);
    EXPECT_GT(separated.iterations, 0);
    EXPECT_NEAR(b2Distance(separated.pointA, separated.pointB), separated.distance, 1e-3f);

    PressKey(scene, 'a', 10);
    StepFrame(scene);
    EXPECT_LT(scene.GetOutput().distance, separated.distance);

    // Moved onto the box: no gap at all.
    PressKey(scene, 'a', 80);
    PressKey(scene, 's', 50);
    StepFrame(scene);
    EXPECT_EQ(scene.GetOutput().distance, 0.0f);
}

TEST(TimeOfImpact, FindsTheMomentTheSweepingSquareReachesTheBar)
{
    TimeOfImpact scene;
    StepFrame(scene);
    const b2TOIOutput& output = scene.GetOutput();
    EXPECT_EQ(output.state, b2TOIOutput::e_touching);
    EXPECT_GT(output.t, 0.0f);
    EXPECT_LT(output.t, 1.0f);
}

}  // namespace
