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

bool Exists(b2World* world, const b2Body* body)
{
    const std::vector<b2Body*> bodies = Bodies(world);
    return std::find(bodies.begin(), bodies.end(), body) != bodies.end();
}

class CollisionProcessingScene : public ::testing::Test
{
protected:
    // The random shapes are removed, for layouts of the test's own on the ground.
    CollisionProcessingScene()
    {
        for (b2Body* body : DynamicBodies(World()))
        {
            m_scene.DestroyBody(body);
        }
    }

    b2World* World() { return m_scene.GetWorld(); }

    // A box ten times as dense as a ball: balls are always the lighter.
    b2Body* AddBox(const b2Vec2& position, float halfWidth)
    {
        return CreateDynamicBody(World(), position, MakeBox(halfWidth, 1.0f), 10.0f);
    }

    CollisionProcessing m_scene;
};

TEST_F(CollisionProcessingScene, BallBetweenTwoBoxesIsDestroyedOnce)
{
    b2Body* left = AddBox(b2Vec2(26.0f, 1.0f), 1.0f);
    b2Body* right = AddBox(b2Vec2(29.0f, 1.0f), 1.0f);
    b2Body* ball = CreateDynamicBody(World(), b2Vec2(27.5f, 1.0f), MakeCircle(0.6f), 1.0f);
    StepFrame(m_scene);

    EXPECT_FALSE(Exists(World(), ball));
    EXPECT_TRUE(Exists(World(), left));
    EXPECT_TRUE(Exists(World(), right));
    // Destroying a body twice would count it off twice.
    EXPECT_EQ(static_cast<std::size_t>(World()->GetBodyCount()), Bodies(World()).size());
}

TEST_F(CollisionProcessingScene, BombLighterThanWhatItHitsSurvives)
{
    b2Body* box = AddBox(b2Vec2(30.0f, 1.0f), 2.0f);
    m_scene.LaunchBomb(b2Vec2(30.0f, 4.0f), b2Vec2(0.0f, -10.0f));
    b2Body* bomb = m_scene.bomb;
    ASSERT_LT(bomb->GetMass(), box->GetMass());
    RunFrames(m_scene, 60);

    EXPECT_TRUE(Exists(World(), bomb));
    EXPECT_TRUE(Exists(World(), box));
    EXPECT_NEAR(bomb->GetPosition().y, 2.3f, 0.05f) << "the bomb rests on the box";
}

class SensorScene : public ::testing::Test
{
protected:
    SensorScene()
    {
        // The scene numbers its balls from left to right.
        m_balls = DynamicBodies(m_scene.GetWorld());
        std::sort(m_balls.begin(), m_balls.end(),
                  [](b2Body* a, b2Body* b) { return a->GetPosition().x < b->GetPosition().x; });
        RunFrames(m_scene, 300);
    }

    static constexpr int k_middle = SensorTest::k_ballCount / 2;
    SensorTest m_scene;
    std::vector<b2Body*> m_balls;
};

TEST_F(SensorScene, ForgetsABallDestroyedWhileTouching)
{
    ASSERT_FALSE(m_scene.IsTouching(0)) << "the outer balls miss the sensor";
    ASSERT_TRUE(m_scene.IsTouching(k_middle));
    ASSERT_TRUE(m_scene.IsTouching(k_middle + 1));

    m_scene.DestroyBody(m_balls[k_middle]);
    EXPECT_FALSE(m_scene.IsTouching(k_middle));
    RunFrames(m_scene, 60);
    EXPECT_FALSE(m_scene.IsTouching(k_middle));
    EXPECT_TRUE(m_scene.IsTouching(k_middle + 1)) << "the other balls stay caught";
}

TEST_F(SensorScene, DestroyingTheSensorDropsEveryBallEvenAsleep)
{
    for (b2Body* ball : m_balls)
    {
        ball->SetAwake(false);
    }
    const std::vector<b2Fixture*> fixtures = Fixtures(m_scene.GetWorld());
    m_scene.DestroyFixture(*std::find_if(fixtures.begin(), fixtures.end(), [](b2Fixture* f) { return f->IsSensor(); }));
    for (int i = 0; i < SensorTest::k_ballCount; ++i)
    {
        EXPECT_FALSE(m_scene.IsTouching(i)) << "ball " << i;
    }

    RunFrames(m_scene, 300);
    for (b2Body* ball : m_balls)
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
        std::vector<b2Body*> found = DynamicBodies(scene.GetWorld());
        found.erase(std::remove(found.begin(), found.end(), scene.bomb), found.end());
        return found;
    };
    scene.LaunchBomb(b2Vec2(-30.0f, 3.0f), b2Vec2(0.0f, -150.0f));
    Settings settings = UndrawnSettings();
    Settings paused = settings;
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
        StepFrame(scene, &settings);
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
