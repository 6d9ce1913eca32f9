// Scenes that act on contacts after the step: collision processing destroys the lighter body of
// touching pairs (each body once, never the bomb), and the sensor scene pulls the balls it
// overlaps, forgetting balls and sensor that are destroyed.
#include "SceneDriver.h"

#include "Tests/CollisionProcessing.h"
#include "Tests/SceneParts.h"
#include "Tests/SensorTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

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
            m_test->DestroyBody(body);
        }
    }

    b2World* World() { return m_test->GetWorld(); }

    // A box ten times as dense as a ball: balls are always the lighter.
    b2Body* AddBox(const b2Vec2& position, float halfWidth)
    {
        return CreateDynamicBody(World(), position, MakeBox(halfWidth, 1.0f), 10.0f);
    }

    b2Body* AddBall(const b2Vec2& position, float radius)
    {
        return CreateDynamicBody(World(), position, MakeCircle(radius), 1.0f);
    }

    Settings m_settings = UndrawnSettings();
    std::unique_ptr<::Test> m_test{CollisionProcessing::Create()};
};

TEST_F(CollisionProcessingScene, BallBetweenTwoBoxesIsDestroyedOnce)
{
    b2Body* left = AddBox(b2Vec2(26.0f, 1.0f), 1.0f);
    b2Body* right = AddBox(b2Vec2(29.0f, 1.0f), 1.0f);
    b2Body* ball = AddBall(b2Vec2(27.5f, 1.0f), 0.6f);

    StepFrame(*m_test, m_settings);

    EXPECT_FALSE(Exists(World(), ball));
    EXPECT_TRUE(Exists(World(), left));
    EXPECT_TRUE(Exists(World(), right));
    // Destroying a body twice would count it off twice.
    EXPECT_EQ(static_cast<std::size_t>(World()->GetBodyCount()), Bodies(World()).size());
}

TEST_F(CollisionProcessingScene, BombLighterThanWhatItHitsSurvives)
{
    b2Body* box = AddBox(b2Vec2(30.0f, 1.0f), 2.0f);
    m_test->LaunchBomb(b2Vec2(30.0f, 4.0f), b2Vec2(0.0f, -10.0f));
    b2Body* bomb = m_test->bomb;
    ASSERT_LT(bomb->GetMass(), box->GetMass());

    RunFrames(*m_test, m_settings, 60, "");

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
        m_balls = DynamicBodies(m_scene->GetWorld());
        std::sort(m_balls.begin(), m_balls.end(),
                  [](b2Body* a, b2Body* b) { return a->GetPosition().x < b->GetPosition().x; });
        RunFrames(*m_scene, m_settings, 300, "");
    }

    static constexpr int k_middle = SensorTest::k_ballCount / 2;
    Settings m_settings = UndrawnSettings();
    std::unique_ptr<SensorTest> m_scene{new SensorTest};
    std::vector<b2Body*> m_balls;
};

TEST_F(SensorScene, ForgetsABallDestroyedWhileTouching)
{
    ASSERT_FALSE(m_scene->IsTouching(0)) << "the outer balls miss the sensor";
    ASSERT_TRUE(m_scene->IsTouching(k_middle));
    ASSERT_TRUE(m_scene->IsTouching(k_middle + 1));

    m_scene->DestroyBody(m_balls[k_middle]);
    EXPECT_FALSE(m_scene->IsTouching(k_middle));
    RunFrames(*m_scene, m_settings, 60, "");
    EXPECT_FALSE(m_scene->IsTouching(k_middle));
    EXPECT_TRUE(m_scene->IsTouching(k_middle + 1)) << "the other balls stay caught";
}

TEST_F(SensorScene, DestroyingTheSensorDropsEveryBallEvenAsleep)
{
    for (b2Body* ball : m_balls)
    {
        ball->SetAwake(false);
    }
    for (b2Body* body : Bodies(m_scene->GetWorld()))
    {
        for (b2Fixture* fixture = body->GetFixtureList(); fixture; fixture = fixture->GetNext())
        {
            if (fixture->IsSensor())
            {
                m_scene->DestroyFixture(fixture);
                break;
            }
        }
    }
    for (int i = 0; i < SensorTest::k_ballCount; ++i)
    {
        EXPECT_FALSE(m_scene->IsTouching(i)) << "ball " << i;
    }

    RunFrames(*m_scene, m_settings, 300, "");
    for (b2Body* ball : m_balls)
    {
        EXPECT_LT(ball->GetPosition().y, 3.5f) << "on the ground or on another ball";
    }
}

}  // namespace
