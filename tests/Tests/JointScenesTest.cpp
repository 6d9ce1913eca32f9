// Scenes built around joints: the gear train moves as touching gears and a rack would, the
// slider crank's motor drives the piston through a full stroke and its keys switch the motors,
// the thruster ship is pushed nose first and slowed by its floor friction, and the bridge
// carries its load.
#include "SceneDriver.h"
#include "UndrawnSettings.h"
#include "UnhandledKeys.h"

#include "Tests/ApplyForce.h"
#include "Tests/Bridge.h"
#include "Tests/Gears.h"
#include "Tests/SliderCrank.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace
{

TEST(GearsScene, WheelRimsAndRackMoveTogether)
{
    std::unique_ptr<::Test> test(Gears::Create());
    Settings settings = UndrawnSettings();
    std::vector<b2Joint*> axles = JointsOfType(test->GetWorld(), e_revoluteJoint);
    std::vector<b2Joint*> slides = JointsOfType(test->GetWorld(), e_prismaticJoint);
    ASSERT_EQ(axles.size(), 2u);
    ASSERT_EQ(slides.size(), 1u);
    auto radius = [](b2Body* wheel) { return wheel->GetFixtureList()->GetShape()->m_radius; };
    std::sort(axles.begin(), axles.end(),
              [&](b2Joint* a, b2Joint* b) { return radius(a->GetBodyB()) < radius(b->GetBodyB()); });
    b2Body* small = axles[0]->GetBodyB();
    b2Body* large = axles[1]->GetBodyB();
    b2Body* rack = slides[0]->GetBodyB();

    RunFrames(*test, settings, 20, "");

    const float rackSpeed = rack->GetLinearVelocity().y;
    EXPECT_LT(rackSpeed, -0.5f) << "the rack falls, turning the wheels";
    // Where the wheels meet (small wheel's right, large wheel's left) their rims move alike;
    // the large wheel's right rim moves with the rack beside it.
    const float tolerance = 0.01f * std::fabs(rackSpeed);
    EXPECT_NEAR(small->GetAngularVelocity() * radius(small), -large->GetAngularVelocity() * radius(large), tolerance);
    EXPECT_NEAR(large->GetAngularVelocity() * radius(large), rackSpeed, tolerance);
}

TEST(SliderCrankScene, MotorDrivesThePistonThroughAFullStrokeAndKeysSwitchTheMotors)
{
    std::unique_ptr<::Test> test(SliderCrank::Create());
    Settings settings = UndrawnSettings();
    auto* crank = static_cast<b2RevoluteJoint*>(JointsOfType(test->GetWorld(), e_revoluteJoint).back());
    std::vector<b2Joint*> slides = JointsOfType(test->GetWorld(), e_prismaticJoint);
    ASSERT_EQ(slides.size(), 1u);
    auto* slide = static_cast<b2PrismaticJoint*>(slides[0]);
    ASSERT_EQ(crank->GetBodyA()->GetType(), b2_staticBody) << "the first revolute joint made is the crank's";

    RunFrames(*test, settings, 60, "");
    EXPECT_NEAR(crank->GetJointSpeed(), b2_pi, 0.05f);
    float lowest = slide->GetJointTranslation();
    float highest = lowest;
    for (int frame = 0; frame < 120; ++frame)
    {
        StepFrame(*test, settings);
        lowest = std::min(lowest, slide->GetJointTranslation());
        highest = std::max(highest, slide->GetJointTranslation());
    }
    EXPECT_GT(highest - lowest, 7.5f) << "a stroke of twice the crank's length";

    PressEveryKeyExcept(*test, "fm");
    EXPECT_TRUE(crank->IsMotorEnabled());
    EXPECT_TRUE(slide->IsMotorEnabled());
    PressKey(*test, 'm');
    PressKey(*test, 'f');
    EXPECT_FALSE(crank->IsMotorEnabled());
    EXPECT_FALSE(slide->IsMotorEnabled());
    PressKey(*test, 'm');
    PressKey(*test, 'f');
    EXPECT_TRUE(crank->IsMotorEnabled());
    EXPECT_TRUE(slide->IsMotorEnabled());
}

class ApplyForceScene : public ::testing::Test
{
protected:
    ApplyForceScene() : m_test(ApplyForce::Create())
    {
        for (b2Body* body : DynamicBodies(m_test->GetWorld()))
        {
            if (body->GetFixtureList()->GetNext() != nullptr)
            {
                m_ship = body;
            }
        }
    }

    void PressFor(unsigned char key, int frames)
    {
        for (int frame = 0; frame < frames; ++frame)
        {
            PressKey(*m_test, key);
            StepFrame(*m_test, m_settings);
        }
    }

    Settings m_settings = UndrawnSettings();
    std::unique_ptr<::Test> m_test;
    b2Body* m_ship = nullptr;
};

TEST_F(ApplyForceScene, ThrusterPushesTheShipNoseFirst)
{
    ASSERT_NE(m_ship, nullptr);
    const b2Vec2 start = m_ship->GetPosition();
    // The nose is the tip of the hull, opposite the engine at the local point (0, 2).
    const b2Vec2 nose = m_ship->GetWorldVector(b2Vec2(0.0f, -1.0f));

    PressFor('w', 20);

    const b2Vec2 moved = m_ship->GetPosition() - start;
    EXPECT_GT(b2Dot(moved, nose), 1.0f);
    EXPECT_NEAR(b2Cross(moved, nose), 0.0f, 0.05f);
}

TEST_F(ApplyForceScene, OtherKeysLeaveTheShipAlone)
{
    const b2Vec2 start = m_ship->GetPosition();
    for (int frame = 0; frame < 10; ++frame)
    {
        PressEveryKeyExcept(*m_test, "wad");
        StepFrame(*m_test, m_settings);
    }
    EXPECT_EQ(m_ship->GetPosition(), start);
    EXPECT_EQ(m_ship->GetAngularVelocity(), 0.0f);
}

TEST_F(ApplyForceScene, TorqueKeysTurnTheShipAndFloorFrictionStopsIt)
{
    PressFor('a', 10);
    EXPECT_GT(m_ship->GetAngularVelocity(), 0.1f) << "counter-clockwise";
    PressFor('d', 20);
    EXPECT_LT(m_ship->GetAngularVelocity(), -0.1f) << "clockwise";

    RunFrames(*m_test, m_settings, 240, "");
    EXPECT_NEAR(m_ship->GetLinearVelocity().Length(), 0.0f, 0.01f);
    EXPECT_NEAR(m_ship->GetAngularVelocity(), 0.0f, 0.01f);
}

TEST_F(ApplyForceScene, NothingFallsInTheRoomSeenFromAbove)
{
    std::vector<b2Vec2> start;
    for (b2Body* body : DynamicBodies(m_test->GetWorld()))
    {
        start.push_back(body->GetPosition());
    }
    RunFrames(*m_test, m_settings, 120, "");
    std::vector<b2Body*> bodies = DynamicBodies(m_test->GetWorld());
    for (std::size_t i = 0; i < bodies.size(); ++i)
    {
        EXPECT_EQ(bodies[i]->GetPosition(), start[i]);
    }
}

TEST(BridgeScene, CarriesItsLoad)
{
    std::unique_ptr<::Test> test(Bridge::Create());
    Settings settings = UndrawnSettings();
    RunFrames(*test, settings, 300, "");
    for (b2Body* body : DynamicBodies(test->GetWorld()))
    {
        EXPECT_GT(body->GetPosition().y, 8.0f) << "nothing fell off the deck";
    }
}

}  // namespace
