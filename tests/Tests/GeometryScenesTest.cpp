// The scenes that compute geometry outside the world ("PolyCollision", "Distance Test", "Time
// of Impact", and "Dynamic Tree" for the first case): "PolyCollision" and "Dynamic Tree" never
// step the world, the other two step it like every scene; the keys move the second shape, and
// the read-outs follow the shapes.
#include "RepeatedKeys.h"
#include "SceneDriver.h"

#include "Tests/DistanceTest.h"
#include "Tests/DynamicTreeTest.h"
#include "Tests/PolyCollision.h"
#include "Tests/TimeOfImpact.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{

struct GeometryScene
{
    const char* name;
    ::Test* (*create)();
    int readOutLines;
};

class GeometryScenes : public ::testing::TestWithParam<GeometryScene>
{
};

TEST_P(GeometryScenes, NeverStepTheWorldWhateverKeysArePressed)
{
    std::unique_ptr<::Test> scene(GetParam().create());
    b2BodyDef bd;
    bd.type = b2_dynamicBody;
    bd.position.Set(0.0f, 30.0f);
    b2Body* added = scene->GetWorld()->CreateBody(&bd);  // as the editor could add one

    Settings settings;
    settings.singleStep = 1;
    RunFrames(*scene, settings, 300, "adswqecmx1");

    EXPECT_EQ(scene->stepCount, 0);
    EXPECT_EQ(added->GetPosition(), b2Vec2(0.0f, 30.0f));
    EXPECT_EQ(scene->textLine, 30 + 15 * GetParam().readOutLines) << "only the scene's own read-outs are drawn";
}

std::string SceneName(const ::testing::TestParamInfo<GeometryScene>& info)
{
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Catalogue, GeometryScenes,
                         ::testing::Values(GeometryScene{"PolyCollision", PolyCollision::Create, 1},
                                           GeometryScene{"DynamicTreeTest", DynamicTreeTest::Create, 1}),
                         SceneName);

class SteppingGeometryScenes : public ::testing::TestWithParam<GeometryScene>
{
};

TEST_P(SteppingGeometryScenes, StepTheWorldAndDrawTheHostLinesLikeEveryScene)
{
    std::unique_ptr<::Test> scene(GetParam().create());
    scene->LaunchBomb(b2Vec2(0.0f, 30.0f), b2Vec2(5.0f, 0.0f));
    b2Body* bomb = scene->bomb;

    Settings settings;
    RunFrames(*scene, settings, 10, "");
    EXPECT_EQ(scene->stepCount, 10);
    EXPECT_GT(bomb->GetPosition().x, 0.0f);
    EXPECT_LT(bomb->GetPosition().y, 30.0f);
    EXPECT_EQ(scene->textLine, 30 + 15 * (1 + GetParam().readOutLines)) << "the host's line, then the read-outs";

    settings.drawStats = 1;
    StepFrame(*scene, settings);
    EXPECT_EQ(scene->textLine, 30 + 15 * (3 + GetParam().readOutLines)) << "statistics follow the settings";
}

INSTANTIATE_TEST_SUITE_P(Catalogue, SteppingGeometryScenes,
                         ::testing::Values(GeometryScene{"DistanceTest", DistanceTest::Create, 2},
                                           GeometryScene{"TimeOfImpact", TimeOfImpact::Create, 2}),
                         SceneName);

TEST(KeyedPose, KeysMoveAndTurnTheShapeAndOtherKeysDoNot)
{
    DistanceTest scene;
    const KeyedPose start = scene.GetPoseB();
    PressTimes(scene, 'd', 10);
    PressTimes(scene, 'w', 2);
    PressTimes(scene, 'q', 1);
    EXPECT_NEAR(scene.GetPoseB().position.x, start.position.x + 1.0f, 1e-4f);
    EXPECT_NEAR(scene.GetPoseB().position.y, start.position.y + 0.2f, 1e-4f);
    EXPECT_NEAR(scene.GetPoseB().angle, start.angle + 0.31415927f, 1e-6f);

    PressTimes(scene, 'a', 10);
    PressTimes(scene, 's', 2);
    PressTimes(scene, 'e', 1);
    PressTimes(scene, 'x', 1);
    EXPECT_NEAR(scene.GetPoseB().position.x, start.position.x, 1e-4f);
    EXPECT_NEAR(scene.GetPoseB().position.y, start.position.y, 1e-4f);
    EXPECT_NEAR(scene.GetPoseB().angle, start.angle, 1e-6f);
}

TEST(PolyCollision, ContactPointsAppearOnlyWhileTheBoxesOverlap)
{
    PolyCollision scene;
    Settings settings;
    StepFrame(scene, settings);
    const int overlapping = scene.GetPointCount();
    EXPECT_GT(overlapping, 0) << "the boxes start overlapping";

    PressTimes(scene, 'd', 60);
    StepFrame(scene, settings);
    EXPECT_EQ(scene.GetPointCount(), 0);

    PressTimes(scene, 'a', 60);
    StepFrame(scene, settings);
    EXPECT_EQ(scene.GetPointCount(), overlapping);
}

TEST(DistanceTest, DistanceIsTheGapBetweenTheClosestPoints)
{
    DistanceTest scene;
    Settings settings;
    StepFrame(scene, settings);
    const b2DistanceOutput separated = scene.GetOutput();
    EXPECT_GT(separated.distance, 0.5f);
    EXPECT_GT(separated.iterations, 0);
    EXPECT_NEAR(b2Distance(separated.pointA, separated.pointB), separated.distance, 1e-3f);

    PressTimes(scene, 'a', 10);
    StepFrame(scene, settings);
    EXPECT_LT(scene.GetOutput().distance, separated.distance);

    // Moved onto the box: no gap at all.
    PressTimes(scene, 'a', 80);
    PressTimes(scene, 's', 50);
    StepFrame(scene, settings);
    EXPECT_EQ(scene.GetOutput().distance, 0.0f);
}

TEST(TimeOfImpact, FindsTheMomentTheSweepingSquareReachesTheBar)
{
    TimeOfImpact scene;
    Settings settings;
    StepFrame(scene, settings);
    const b2TOIOutput& output = scene.GetOutput();
    EXPECT_EQ(output.state, b2TOIOutput::e_touching);
    EXPECT_GT(output.t, 0.0f);
    EXPECT_LT(output.t, 1.0f);
}

}  // namespace
