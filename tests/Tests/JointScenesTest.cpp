// Scenes built around joints: the gear train moves as touching gears and a rack would, the
// slider crank's motor turns the crank at its speed and its keys switch the motors,
// and the thruster ship is pushed nose first and turned by torques.
#include "SceneDriver.h"

#include "Tests/ApplyForce.h"
#include "Tests/Gears.h"
#include "Tests/SceneParts.h"
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

    RunFrames(*test, settings, 20, "");

    const float rackSpeed = slides[0]->GetBodyB()->GetLinearVelocity().y;
    EXPECT_LT(rackSpeed, -0.5f) << "the rack falls, turning the wheels";
    // Where the wheels meet (small wheel's right, large wheel's left) their rims move alike;
    // the large wheel's right rim moves with the rack beside it.
    const float tolerance = 0.01f * std::fabs(rackSpeed);
    EXPECT_NEAR(small->GetAngularVelocity() * radius(small), -large->GetAngularVelocity() * radius(large), tolerance);
    EXPECT_NEAR(large->GetAngularVelocity() * radius(large), rackSpeed, tolerance);
}

TEST(SliderCrankScene, MotorTurnsTheCrankAtItsSpeedAndKeysSwitchTheMotors)
{
    std::unique_ptr<::Test> test(SliderCrank::Create());
    Settings settings = UndrawnSettings();
    // The library lists the newest joint first: the crank's is the oldest revolute joint.
    auto* crank = static_cast<b2RevoluteJoint*>(JointsOfType(test->GetWorld(), e_revoluteJoint).back());
    auto* slide = static_cast<b2PrismaticJoint*>(JointsOfType(test->GetWorld(), e_prismaticJoint).front());

    RunFrames(*test, settings, 60, "");
    EXPECT_NEAR(crank->GetJointSpeed(), b2_pi, 0.05f) << "the motor is strong enough for its load";

    PressEveryKeyExcept(*test, "fm");
    EXPECT_TRUE(crank->IsMotorEnabled() && slide->IsMotorEnabled());
    PressKey(*test, 'm');
    PressKey(*test, 'f');
    EXPECT_FALSE(crank->IsMotorEnabled() || slide->IsMotorEnabled());
    PressKey(*test, 'm');
    PressKey(*test, 'f');
    EXPECT_TRUE(crank->IsMotorEnabled() && slide->IsMotorEnabled());

    // The library hands a freed joint's memory to the next joint of its size: a key acting
    // through a forgotten pointer would switch this one's motor.
    b2RevoluteJointDef decoyDef;
    decoyDef.Initialize(crank->GetBodyA(), crank->GetBodyB(), crank->GetAnchorA());
    test->DestroyJoint(crank);
    decoyDef.enableMotor = true;
    auto* decoy = static_cast<b2RevoluteJoint*>(test->GetWorld()->CreateJoint(&decoyDef));
    PressKey(*test, 'm');
    StepFrame(*test, settings);
    EXPECT_TRUE(decoy->IsMotorEnabled());
}

TEST(ApplyForceScene, ThrusterPushesTheShipNoseFirstAndTorquesTurnIt)
{
    std::unique_ptr<::Test> test(ApplyForce::Create());
    Settings settings = UndrawnSettings();
    std::vector<b2Body*> bodies = DynamicBodies(test->GetWorld());
    // The ship is the body of two fixtures, hull and engine.
    b2Body* ship = *std::find_if(bodies.begin(), bodies.end(),
                                 [](b2Body* body) { return body->GetFixtureList()->GetNext() != nullptr; });
    auto holdKey = [&](unsigned char key, int frames) {
        for (int frame = 0; frame < frames; ++frame)
        {
            PressKey(*test, key);
            StepFrame(*test, settings);
        }
    };
    const b2Vec2 start = ship->GetPosition();
    // The nose is the tip of the hull, opposite the engine at the local point (0, 2).
    const b2Vec2 nose = ship->GetWorldVector(b2Vec2(0.0f, -1.0f));

    PressEveryKeyExcept(*test, "wad");
    RunFrames(*test, settings, 10, "");
    EXPECT_EQ(ship->GetPosition(), start) << "no gravity, and other keys do nothing";

    holdKey('w', 5);
    RunFrames(*test, settings, 30, "");
    const b2Vec2 moved = ship->GetPosition() - start;
    EXPECT_GT(b2Dot(moved, nose), 1.0f);
    EXPECT_NEAR(b2Cross(moved, nose), 0.0f, 0.05f);

    holdKey('a', 10);
    EXPECT_GT(ship->GetAngularVelocity(), 0.1f) << "counter-clockwise";
    holdKey('d', 20);
    EXPECT_LT(ship->GetAngularVelocity(), -0.1f) << "clockwise";

    // The library hands a freed body's memory to the next body: keys acting through a
    // forgotten pointer would push this one.
    test->DestroyBody(ship);
    b2Body* decoy = CreateDynamicBody(test->GetWorld(), b2Vec2(0.0f, 20.0f), MakeCircle(0.5f), 1.0f);
    holdKey('w', 1);
    holdKey('a', 1);
    EXPECT_EQ(decoy->GetLinearVelocity(), b2Vec2_zero);
    EXPECT_EQ(decoy->GetAngularVelocity(), 0.0f);
}

}  // namespace
