// Scenes that act on contacts after the step: collision processing destroys the lighter body of
// touching pairs (each body once, never the bomb), the sensor scene pulls the balls it overlaps,
// forgetting balls and sensor that are destroyed, and the breakable body splits on a hard landing.
#include "SceneDriver.h"

#include "Tests/Breakable.h"
#include "Tests/CollisionProcessing.h"
#include "Tests/SceneParts.h"
#include "Tests/SensorTest.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{

// The scene's random shapes make way for a layout of the test's own on the ground: a ball
// between two boxes, which are ten times as dense, and a bomb dropped on a third box.
TEST(CollisionProcessingScene, TheLighterBodyOfATouchingPairIsDestroyedOnceAndNeverTheBomb)
{
    CollisionProcessing scene;
    b2World* world = scene.GetWorld();
    for (b2Body* body : DynamicBodies(world))
    {
        scene.DestroyBody(body);
    }
    b2Body* left = CreateDynamicBody(world, b2Vec2(16.0f, 1.0f), MakeBox(1.0f, 1.0f), 10.0f);
    b2Body* right = CreateDynamicBody(world, b2Vec2(19.0f, 1.0f), MakeBox(1.0f, 1.0f), 10.0f);
    CreateDynamicBody(world, b2Vec2(17.5f, 1.0f), MakeCircle(0.6f), 1.0f);
    b2Body* box = CreateDynamicBody(world, b2Vec2(30.0f, 1.0f), MakeBox(2.0f, 1.0f), 10.0f);
    scene.LaunchBomb(b2Vec2(30.0f, 4.0f), b2Vec2(0.0f, -10.0f));
    b2Body* bomb = scene.bomb;
    ASSERT_LT(bomb->GetMass(), box->GetMass());
    const std::vector<b2Body*> survivors = {bomb, box, right, left};

    StepFrame(scene);
    EXPECT_EQ(DynamicBodies(world), survivors) << "the ball is gone";
    // Destroying a body twice would count it off twice.
    EXPECT_EQ(static_cast<std::size_t>(world->GetBodyCount()), Bodies(world).size());
    RunFrames(scene, 60);
    EXPECT_EQ(DynamicBodies(world), survivors);
    EXPECT_NEAR(bomb->GetPosition().y, 2.3f, 0.05f) << "the bomb rests on the box";
}

TEST(SensorScene, ForgetsBallsDestroyedWhileTouchingAndDropsEveryBallWithTheSensor)
{
    SensorTest scene;
    // The scene numbers its balls from left to right.
    std::vector<b2Body*> balls = DynamicBodies(scene.GetWorld());
    std::sort(balls.begin(), balls.end(), [](b2Body* a, b2Body* b) { return a->GetPosition().x < b->GetPosition().x; });
    RunFrames(scene, 300);
    const int middle = SensorTest::k_ballCount / 2;
    ASSERT_FALSE(scene.IsTouching(0)) << "the outer balls miss the sensor";
    ASSERT_TRUE(scene.IsTouching(middle));
    ASSERT_TRUE(scene.IsTouching(middle + 1));

    scene.DestroyBody(balls[middle]);
    balls.erase(balls.begin() + middle);
    EXPECT_FALSE(scene.IsTouching(middle));
    RunFrames(scene, 60);
    EXPECT_FALSE(scene.IsTouching(middle));
    EXPECT_TRUE(scene.IsTouching(middle + 1)) << "the other balls stay caught";

    // Asleep, the balls would never see their contacts with the sensor end.
    for (b2Body* ball : balls)
    {
        ball->SetAwake(false);
    }
    scene.DestroyFixture(Fixtures(scene.GetWorld(), [](b2Fixture* fixture) { return fixture->IsSensor(); }).front());
    for (int i = 0; i < SensorTest::k_ballCount; ++i)
    {
        EXPECT_FALSE(scene.IsTouching(i)) << "ball " << i;
    }
    RunFrames(scene, 300);
    for (b2Body* ball : balls)
    {
        EXPECT_LT(ball->GetPosition().y, 3.5f) << "on the ground or on another ball";
    }
}

// A bomb hitting the ground elsewhere first must not break it: it breaks only on its own landing.
TEST(BreakableScene, BreaksOnLandingIntoPiecesThatCarryOnItsMotion)
{
    Breakable scene;
    // The breakable body and, once broken, its second piece: the dynamic bodies but the bomb.
    const auto pieces = [&scene] {
        return Bodies(scene.GetWorld(),
                      [&scene](b2Body* body) { return body->GetType() == b2_dynamicBody && body != scene.bomb; });
    };
    scene.LaunchBomb(b2Vec2(-30.0f, 3.0f), b2Vec2(0.0f, -150.0f));
    Settings paused = UndrawnSettings();
    paused.pause = 1;
    b2Body* body = pieces().front();
    ASSERT_EQ(body->GetFixtureList()->GetNext()->GetNext(), nullptr) << "two boxes";
    b2Vec2 velocityBefore = b2Vec2_zero;
    float spinBefore = 0.0f;
    b2Vec2 centerOfWhole = b2Vec2_zero;
    for (int frame = 0; frame < 400 && pieces().size() == 1; ++frame)
    {
        velocityBefore = body->GetLinearVelocity();
        spinBefore = body->GetAngularVelocity();
        StepFrame(scene);
        centerOfWhole = body->GetWorldCenter();
        // A paused frame carries out a pending break and moves nothing afterwards.
        StepFrame(scene, &paused);
    }
    ASSERT_EQ(pieces().size(), 2u);
    EXPECT_LT(velocityBefore.y, -20.0f) << "it broke on landing from high";
    for (b2Body* piece : pieces())
    {
        EXPECT_EQ(piece->GetFixtureList()->GetNext(), nullptr) << "one box each";
        const b2Vec2 expected = velocityBefore + b2Cross(spinBefore, piece->GetWorldCenter() - centerOfWhole);
        EXPECT_NEAR(b2Distance(piece->GetLinearVelocity(), expected), 0.0f, 1e-3f);
        EXPECT_NEAR(piece->GetAngularVelocity(), spinBefore, 1e-4f);
    }

    // Bombs on the pieces do not break them again.
    for (b2Body* piece : pieces())
    {
        scene.LaunchBomb(piece->GetPosition() + b2Vec2(0.0f, 3.0f), b2Vec2(0.0f, -100.0f));
        RunFrames(scene, 30);
    }
    EXPECT_EQ(pieces().size(), 2u);
}

}  // namespace
