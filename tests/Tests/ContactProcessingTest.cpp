// Scenes that act on contacts after the step: collision processing destroys the lighter body of
// every touching pair (never the bomb, never a body twice, at most six a step), and the sensor
// scene pulls the balls it overlaps towards its centre, forgetting balls and sensor that go.
#include "SceneDriver.h"
#include "UndrawnSettings.h"

#include "Tests/CollisionProcessing.h"
#include "Tests/SensorTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
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
    CollisionProcessingScene() : m_test(CollisionProcessing::Create()) {}

    // Leaves only the ground, for a layout of the test's own.
    void ClearRandomBodies()
    {
        for (b2Body* body : DynamicBodies(m_test->GetWorld()))
        {
            m_test->DestroyBody(body);
        }
    }

    b2Body* Add(const b2Vec2& position, const b2Shape& shape, float density)
    {
        b2BodyDef bd;
        bd.type = b2_dynamicBody;
        bd.position = position;
        b2Body* body = m_test->GetWorld()->CreateBody(&bd);
        body->CreateFixture(&shape, density);
        return body;
    }

    b2Body* AddBox(const b2Vec2& position, float halfWidth, float halfHeight, float density)
    {
        b2PolygonShape box;
        box.SetAsBox(halfWidth, halfHeight);
        return Add(position, box, density);
    }

    b2Body* AddBall(const b2Vec2& position, float radius)
    {
        b2CircleShape circle;
        circle.m_radius = radius;
        return Add(position, circle, 1.0f);
    }

    Settings m_settings = UndrawnSettings();
    std::unique_ptr<::Test> m_test;
};

TEST_F(CollisionProcessingScene, HeaviestBodyEatsTheOthersItTouches)
{
    std::srand(3);
    m_test.reset(CollisionProcessing::Create());
    std::vector<b2Body*> start = DynamicBodies(m_test->GetWorld());
    ASSERT_EQ(start.size(), 6u);
    b2Body* heaviest = *std::max_element(start.begin(), start.end(), [](b2Body* a, b2Body* b) {
        return a->GetMass() < b->GetMass();
    });

    RunFrames(*m_test, m_settings, 300, "");

    EXPECT_TRUE(Exists(m_test->GetWorld(), heaviest));
    EXPECT_LT(DynamicBodies(m_test->GetWorld()).size(), start.size());
}

TEST_F(CollisionProcessingScene, DestroysAtMostSixBodiesAStep)
{
    ClearRandomBodies();
    AddBox(b2Vec2(30.0f, 1.0f), 4.0f, 1.0f, 10.0f);
    std::vector<b2Body*> balls;
    for (int i = 0; i < 10; ++i)
    {
        // Each ball sinks a little into the box's top.
        balls.push_back(AddBall(b2Vec2(26.5f + 0.75f * i, 2.2f), 0.25f));
    }
    auto survivors = [&] {
        return std::count_if(balls.begin(), balls.end(),
                             [&](b2Body* ball) { return Exists(m_test->GetWorld(), ball); });
    };

    StepFrame(*m_test, m_settings);
    EXPECT_EQ(survivors(), 4);
    StepFrame(*m_test, m_settings);
    EXPECT_EQ(survivors(), 0);
    EXPECT_EQ(DynamicBodies(m_test->GetWorld()).size(), 1u) << "the box stays";
}

TEST_F(CollisionProcessingScene, BodyLighterThanTwoNeighboursIsDestroyedOnce)
{
    ClearRandomBodies();
    b2Body* left = AddBox(b2Vec2(26.0f, 1.0f), 1.0f, 1.0f, 10.0f);
    b2Body* right = AddBox(b2Vec2(29.0f, 1.0f), 1.0f, 1.0f, 10.0f);
    b2Body* ball = AddBall(b2Vec2(27.5f, 1.0f), 0.6f);

    StepFrame(*m_test, m_settings);

    EXPECT_FALSE(Exists(m_test->GetWorld(), ball));
    EXPECT_TRUE(Exists(m_test->GetWorld(), left));
    EXPECT_TRUE(Exists(m_test->GetWorld(), right));
}

TEST_F(CollisionProcessingScene, BombLighterThanWhatItHitsSurvives)
{
    ClearRandomBodies();
    b2Body* box = AddBox(b2Vec2(30.0f, 1.0f), 2.0f, 1.0f, 10.0f);
    m_test->LaunchBomb(b2Vec2(30.0f, 4.0f), b2Vec2(0.0f, -10.0f));
    b2Body* bomb = m_test->bomb;
    ASSERT_LT(bomb->GetMass(), box->GetMass());

    RunFrames(*m_test, m_settings, 60, "");

    EXPECT_EQ(m_test->bomb, bomb);
    EXPECT_TRUE(Exists(m_test->GetWorld(), bomb));
    EXPECT_TRUE(Exists(m_test->GetWorld(), box));
    EXPECT_NEAR(bomb->GetPosition().y, 2.3f, 0.05f) << "the bomb rests on the box";
}

class SensorScene : public ::testing::Test
{
protected:
    SensorScene() : m_scene(new SensorTest)
    {
        // Balls stand in a row from left to right, in the order the scene numbers them.
        m_balls = DynamicBodies(m_scene->GetWorld());
        std::sort(m_balls.begin(), m_balls.end(),
                  [](b2Body* a, b2Body* b) { return a->GetPosition().x < b->GetPosition().x; });
        for (b2Body* body : Bodies(m_scene->GetWorld()))
        {
            for (b2Fixture* fixture = body->GetFixtureList(); fixture; fixture = fixture->GetNext())
            {
                if (fixture->IsSensor())
                {
                    m_sensor = fixture;
                }
            }
        }
    }

    void Run(int frames) { RunFrames(*m_scene, m_settings, frames, ""); }

    b2Vec2 SensorCenter() const
    {
        const auto* circle = static_cast<const b2CircleShape*>(m_sensor->GetShape());
        return m_sensor->GetBody()->GetWorldPoint(circle->m_p);
    }

    Settings m_settings = UndrawnSettings();
    std::unique_ptr<SensorTest> m_scene;
    std::vector<b2Body*> m_balls;
    b2Fixture* m_sensor = nullptr;
};

TEST_F(SensorScene, CatchesTheMiddleBallsAndPullsThemToItsCentre)
{
    ASSERT_EQ(m_balls.size(), static_cast<std::size_t>(SensorTest::k_ballCount));
    ASSERT_NE(m_sensor, nullptr);
    Run(600);

    const int last = SensorTest::k_ballCount - 1;
    for (int outer : {0, last})
    {
        EXPECT_FALSE(m_scene->IsTouching(outer));
        EXPECT_NEAR(m_balls[outer]->GetPosition().y, 1.0f, 0.05f) << "ball " << outer << " lies on the ground";
    }
    for (int i = 2; i <= last - 2; ++i)
    {
        EXPECT_TRUE(m_scene->IsTouching(i)) << "ball " << i;
        const float radius = m_sensor->GetShape()->m_radius;
        EXPECT_LT(b2Distance(m_balls[i]->GetPosition(), SensorCenter()), 0.75f * radius) << "ball " << i;
    }
}

TEST_F(SensorScene, ForgetsABallDestroyedWhileTouching)
{
    const int middle = SensorTest::k_ballCount / 2;
    Run(300);
    ASSERT_TRUE(m_scene->IsTouching(middle));
    ASSERT_TRUE(m_scene->IsTouching(middle + 1));

    m_scene->DestroyBody(m_balls[middle]);
    EXPECT_FALSE(m_scene->IsTouching(middle));
    EXPECT_TRUE(m_scene->IsTouching(middle + 1)) << "the other balls stay caught";

    Run(120);
    EXPECT_FALSE(m_scene->IsTouching(middle));
    EXPECT_TRUE(m_scene->IsTouching(middle + 1));
}

TEST_F(SensorScene, BallThatLosesItsFixtureIsNoLongerTouching)
{
    const int middle = SensorTest::k_ballCount / 2;
    Run(300);
    ASSERT_TRUE(m_scene->IsTouching(middle));

    m_scene->DestroyFixture(m_balls[middle]->GetFixtureList());
    EXPECT_FALSE(m_scene->IsTouching(middle));
    Run(60);
    EXPECT_FALSE(m_scene->IsTouching(middle));
}

TEST_F(SensorScene, ReleasesEveryBallWhenTheSensorIsDestroyed)
{
    Run(300);
    // Caught balls that have come to rest fall asleep; they must fall all the same.
    for (b2Body* ball : m_balls)
    {
        ball->SetAwake(false);
    }
    m_scene->DestroyFixture(m_sensor);
    for (int i = 0; i < SensorTest::k_ballCount; ++i)
    {
        EXPECT_FALSE(m_scene->IsTouching(i)) << "ball " << i;
    }

    Run(300);
    for (b2Body* ball : m_balls)
    {
        EXPECT_LT(ball->GetPosition().y, 3.5f) << "with no pull every ball falls to the ground or onto another";
    }
}

}  // namespace
