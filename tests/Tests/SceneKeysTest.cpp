// What the keys of the scenes do to their worlds: motors, limits, ropes, flippers, deletions,
// bullets, body types, thrusters, the car's suspension and drive, and the shapes keys create;
// keys acting on something the editor destroyed leave whatever took its memory alone.
#include "SceneDriver.h"

#include "Physics/JointKinds.h"
#include "Physics/Springs.h"
#include "Tests/ApplyForce.h"
#include "Tests/BodyTypes.h"
#include "Tests/Car.h"
#include "Tests/Pinball.h"
#include "Tests/Prismatic.h"
#include "Tests/Revolute.h"
#include "Tests/RopeJoint.h"
#include "Tests/SceneParts.h"
#include "Tests/ShapeEditing.h"
#include "Tests/SliderCrank.h"
#include "Tests/TheoJansen.h"
#include "Tests/VerticalStack.h"
#include "Tests/Web.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace
{

TEST(SceneKeys, WalkerWalksRightUntilItsMotorIsToggledOff)
{
    TheoJansen scene;
    // The motor's is the oldest revolute joint, between the crank wheel and the chassis.
    b2Body* chassis = JointsOfType(scene.GetWorld(), e_revoluteJoint).back()->GetBodyB();
    RunFrames(scene, 60);
    const float start = chassis->GetPosition().x;
    RunFrames(scene, 120);
    const float walked = chassis->GetPosition().x - start;
    EXPECT_GT(walked, 2.0f);
    EXPECT_GT(chassis->GetPosition().y, 4.0f) << "still up on its legs";

    // Without the motor it only settles and drifts on the balls.
    PressKey(scene, 'm');
    RunFrames(scene, 120);
    const float stopped = chassis->GetPosition().x;
    RunFrames(scene, 120);
    EXPECT_LT(std::fabs(chassis->GetPosition().x - stopped), 0.25f * walked);
}

TEST(SceneKeys, RevoluteTrayRestsOnItsLimitTurnsWithTheMotorAndSpinsFreeWithoutTheLimit)
{
    Revolute scene;
    auto* tray = static_cast<b2RevoluteJoint*>(JointsOfType(scene.GetWorld(), e_revoluteJoint).front());
    // Tilted onto its lower limit by what fell on it, then turned by the motor to the upper one.
    RunFrames(scene, 240);
    EXPECT_NEAR(tray->GetJointAngle(), tray->GetLowerLimit(), 0.05f);
    PressKey(scene, 'm');
    RunFrames(scene, 240);
    EXPECT_NEAR(tray->GetJointAngle(), tray->GetUpperLimit(), 0.05f);
    PressKey(scene, 'l');
    RunFrames(scene, 60);
    EXPECT_GT(tray->GetJointAngle(), tray->GetUpperLimit() + 0.2f);
}

TEST(SceneKeys, PrismaticMotorDrivesTheBoxAgainstTheLimitUntilTheLimitIsOffAndSReversesIt)
{
    Prismatic scene;
    RunFrames(scene, 180);
    const float upper = scene.GetJoint()->GetUpperLimit();
    EXPECT_NEAR(scene.GetJoint()->GetJointTranslation(), upper, 0.05f);

    PressKey(scene, 'l');
    RunFrames(scene, 60);
    EXPECT_GT(scene.GetJoint()->GetJointTranslation(), upper + 1.0f);

    const float speed = scene.GetJoint()->GetMotorSpeed();
    PressKey(scene, 's');
    EXPECT_EQ(scene.GetJoint()->GetMotorSpeed(), -speed);
    PressKey(scene, 'm');
    EXPECT_FALSE(scene.GetJoint()->IsMotorEnabled());
}

TEST(SceneKeys, SliderCrankMotorTurnsTheCrankAtItsSpeedAndKeysSwitchTheMotors)
{
    SliderCrank scene;
    // The crank's is the oldest revolute joint.
    auto* crank = static_cast<b2RevoluteJoint*>(JointsOfType(scene.GetWorld(), e_revoluteJoint).back());
    auto* slide = static_cast<b2PrismaticJoint*>(JointsOfType(scene.GetWorld(), e_prismaticJoint).front());

    RunFrames(scene, 60);
    EXPECT_NEAR(crank->GetJointSpeed(), b2_pi, 0.05f) << "the motor is strong enough for its load";
    PressKey(scene, 'm');
    PressKey(scene, 'f');
    EXPECT_FALSE(crank->IsMotorEnabled() || slide->IsMotorEnabled());
    PressKey(scene, 'm');
    PressKey(scene, 'f');
    EXPECT_TRUE(crank->IsMotorEnabled() && slide->IsMotorEnabled());

    // The library hands a freed joint's memory to the next joint of its size: a key acting
    // through a forgotten pointer would switch this one's motor.
    b2RevoluteJointDef decoyDef;
    decoyDef.Initialize(crank->GetBodyA(), crank->GetBodyB(), crank->GetAnchorA());
    scene.DestroyJoint(crank);
    decoyDef.enableMotor = true;
    auto* decoy = static_cast<b2RevoluteJoint*>(scene.GetWorld()->CreateJoint(&decoyDef));
    PressKey(scene, 'm');
    StepFrame(scene);
    EXPECT_TRUE(decoy->IsMotorEnabled());
}

TEST(SceneKeys, RopeKeyCutsTheRopeLettingTheChainStretchAndTiesItAgain)
{
    RopeJoint scene;
    b2World* world = scene.GetWorld();
    ASSERT_EQ(JointsOfType(world, e_ropeJoint).size(), 1u);
    b2Joint* rope = JointsOfType(world, e_ropeJoint).front();
    b2Body* weight = rope->GetBodyB();
    const b2Vec2 hook = rope->GetAnchorA();
    const float maxLength = Physics::GetRopeMaxLength(rope);
    const int jointCount = world->GetJointCount();

    RunFrames(scene, 120);
    EXPECT_LT(b2Distance(hook, weight->GetPosition()), maxLength + 0.05f);

    // Cut, the heavy weight pulls the hinged chain longer than the rope was.
    PressKey(scene, 'j');
    EXPECT_TRUE(JointsOfType(world, e_ropeJoint).empty());
    EXPECT_EQ(world->GetJointCount(), jointCount - 1);
    RunFrames(scene, 120);
    EXPECT_GT(b2Distance(hook, weight->GetPosition()), maxLength + 0.05f);

    PressKey(scene, 'j');
    EXPECT_EQ(JointsOfType(world, e_ropeJoint).size(), 1u);
    EXPECT_EQ(world->GetJointCount(), jointCount);
}

TEST(SceneKeys, PinballFlippersRiseWhileAOrCapitalAIsHeld)
{
    Pinball scene;
    const std::vector<b2Joint*> flippers = JointsOfType(scene.GetWorld(), e_revoluteJoint);
    ASSERT_EQ(flippers.size(), 2u);
    // Up means the tip raised: counter-clockwise (upper limit) for the left flipper.
    const auto expectFlippers = [&](bool up, unsigned char key) {
        for (b2Joint* joint : flippers)
        {
            auto* flipper = static_cast<b2RevoluteJoint*>(joint);
            const bool left = flipper->GetBodyB()->GetWorldCenter().x < 0.0f;
            const float limit = left == up ? flipper->GetUpperLimit() : flipper->GetLowerLimit();
            EXPECT_NEAR(flipper->GetJointAngle(), limit, 0.02f) << "key " << key << (up ? " held" : " released");
        }
    };
    for (unsigned char key : {'a', 'A'})
    {
        RunFrames(scene, 30);
        expectFlippers(false, key);
        scene.Keyboard(key);
        RunFrames(scene, 20);
        expectFlippers(true, key);
        scene.KeyboardUp(key);
    }
}

TEST(SceneKeys, WebKeysDeleteBodiesWithTheirJointsAndJointsOneAtATime)
{
    Web scene;
    b2World* world = scene.GetWorld();
    const int bodyCount = world->GetBodyCount();
    ASSERT_EQ(world->GetJointCount(), 8);
    PressKey(scene, 'j');
    EXPECT_EQ(world->GetJointCount(), 7);
    // The first body was tied to the ground (that joint is gone already) and to two neighbours.
    PressKey(scene, 'b');
    EXPECT_EQ(world->GetBodyCount(), bodyCount - 1);
    EXPECT_EQ(world->GetJointCount(), 5);
    RunFrames(scene, 5);

    // Joints that went with the body are not deleted twice; with nothing left, the keys do nothing.
    for (int remaining = 4; remaining >= 0; --remaining)
    {
        PressKey(scene, 'j');
        StepFrame(scene);
        EXPECT_EQ(world->GetJointCount(), remaining);
    }
    PressKey(scene, 'b', 4);
    PressKey(scene, 'j');
    StepFrame(scene);
    EXPECT_EQ(world->GetBodyCount(), bodyCount - 4);
}

TEST(SceneKeys, StackBulletHitsTheFirstColumnAndOnlyTheLatestBulletIsKept)
{
    VerticalStack scene;
    RunFrames(scene, 60);
    const std::vector<b2Body*> firstColumn = Bodies(scene.GetWorld(), [](b2Body* body) {
        return body->GetType() == b2_dynamicBody && std::fabs(body->GetPosition().x) < 0.1f;
    });
    ASSERT_EQ(firstColumn.size(), 10u);
    const int bodyCount = scene.GetWorld()->GetBodyCount();

    PressKey(scene, ',');
    EXPECT_EQ(scene.GetWorld()->GetBodyCount(), bodyCount + 1);
    RunFrames(scene, 60);
    EXPECT_TRUE(
        std::any_of(firstColumn.begin(), firstColumn.end(), [](b2Body* box) { return box->GetPosition().x > 1.0f; }));
    PressKey(scene, ',');
    EXPECT_EQ(scene.GetWorld()->GetBodyCount(), bodyCount + 1);
}

TEST(SceneKeys, BodyTypesKeysSwitchThePlatformWhichShuttlesBetweenTheTurningPointsWhileKinematic)
{
    BodyTypes scene;
    b2Body* platform = scene.GetPlatform();
    RunFrames(scene, 30);
    PressKey(scene, 'k');
    EXPECT_EQ(platform->GetType(), b2_kinematicBody);
    EXPECT_EQ(platform->GetLinearVelocity(), b2Vec2(-BodyTypes::k_platformSpeed, 0.0f));
    EXPECT_EQ(platform->GetAngularVelocity(), 0.0f);
    float leftmost = 0.0f;
    float rightmost = 0.0f;
    for (int frame = 0; frame < 1000; ++frame)
    {
        StepFrame(scene);
        leftmost = std::min(leftmost, platform->GetPosition().x);
        rightmost = std::max(rightmost, platform->GetPosition().x);
    }
    EXPECT_NEAR(leftmost, -10.0f, 0.2f);
    EXPECT_NEAR(rightmost, 10.0f, 0.2f);

    PressKey(scene, 's');
    EXPECT_EQ(platform->GetType(), b2_staticBody);
    const b2Vec2 held = platform->GetPosition();
    RunFrames(scene, 30);
    EXPECT_EQ(platform->GetPosition(), held);
    PressKey(scene, 'd');
    EXPECT_EQ(platform->GetType(), b2_dynamicBody);
}

TEST(SceneKeys, ThrusterPushesTheShipNoseFirstAndTorquesTurnIt)
{
    ApplyForce scene;
    // The ship is the dynamic body of two fixtures, hull and engine.
    b2Body* ship = Bodies(scene.GetWorld(), [](b2Body* body) {
                       return body->GetType() == b2_dynamicBody && body->GetFixtureList()->GetNext() != nullptr;
                   }).front();
    const b2Vec2 start = ship->GetPosition();
    // The nose is the tip of the hull, opposite the engine at the local point (0, 2).
    const b2Vec2 nose = ship->GetWorldVector(b2Vec2(0.0f, -1.0f));
    RunFrames(scene, 10);
    EXPECT_EQ(ship->GetPosition(), start) << "no gravity";

    // Each press pushes or turns the ship for the next step.
    PressKey(scene, 'w', 5);
    RunFrames(scene, 30);
    const b2Vec2 moved = ship->GetPosition() - start;
    EXPECT_GT(b2Dot(moved, nose), 1.0f);
    EXPECT_NEAR(b2Cross(moved, nose), 0.0f, 0.05f);
    PressKey(scene, 'a', 10);
    StepFrame(scene);
    EXPECT_GT(ship->GetAngularVelocity(), 0.1f) << "counter-clockwise";
    PressKey(scene, 'd', 20);
    StepFrame(scene);
    EXPECT_LT(ship->GetAngularVelocity(), -0.1f) << "clockwise";

    // The library hands a freed body's memory to the next body: keys acting through a
    // forgotten pointer would push this one.
    scene.DestroyBody(ship);
    b2Body* decoy = CreateDynamicBody(scene.GetWorld(), b2Vec2(0.0f, 20.0f), MakeCircle(0.5f), 1.0f);
    PressKey(scene, 'w');
    PressKey(scene, 'a');
    StepFrame(scene);
    EXPECT_EQ(decoy->GetLinearVelocity(), b2Vec2_zero);
    EXPECT_EQ(decoy->GetAngularVelocity(), 0.0f);
}

TEST(SceneKeys, CarSuspensionStepsToZeroAndUpWithoutLimitAndTheCameraFollowsItBothWaysUntilItIsGone)
{
    Car scene;
    const std::vector<b2Joint*> wheels = JointsOfType(scene.GetWorld(), e_wheelJoint);
    const auto expectSuspension = [&](float frequency) {
        for (b2Joint* wheel : wheels)
        {
            EXPECT_EQ(Physics::GetSpringFrequency(wheel), frequency);
            EXPECT_EQ(Physics::GetSpringDampingRatio(wheel), 0.7f);
        }
    };
    b2Body* chassis = wheels.front()->GetBodyA();
    const float start = chassis->GetPosition().x;
    PressKey(scene, 'a');
    RunFrames(scene, 90);
    EXPECT_LT(chassis->GetPosition().x, start - 3.0f);
    const float turned = chassis->GetPosition().x;
    Settings settings = UndrawnSettings();
    settings.viewCenter.Set(3.0f, 20.0f);
    PressKey(scene, 'd');
    for (int frame = 0; frame < 150; ++frame)
    {
        // The view is centred where the car was when the frame began.
        const float chassisX = chassis->GetPosition().x;
        StepFrame(scene, &settings);
        ASSERT_EQ(settings.viewCenter, b2Vec2(chassisX, 20.0f));
    }
    EXPECT_GT(chassis->GetPosition().x, turned + 5.0f);

    PressKey(scene, 'q', 3);
    expectSuspension(1.0f);
    PressKey(scene, 'q', 2);
    expectSuspension(0.0f);
    PressKey(scene, 'e', 53);
    expectSuspension(53.0f);
    // A very stiff suspension still carries the car steadily, up onto the first hill.
    RunFrames(scene, 120, "", &settings);
    EXPECT_GT(chassis->GetPosition().y, 0.0f);
    EXPECT_LT(chassis->GetPosition().y, 5.0f);

    const b2Vec2 lastView = settings.viewCenter;
    scene.DestroyBody(chassis);
    RunFrames(scene, 30, "asdqe", &settings);
    EXPECT_EQ(settings.viewCenter, lastView);
}

TEST(SceneKeys, ShapeEditingCreatesItsCircleAgainAfterTheEditorDeletedIt)
{
    ShapeEditing scene;
    const std::size_t fixtures = Fixtures(scene.GetWorld()).size();
    PressKey(scene, 'c');
    scene.DestroyFixture(DynamicBodies(scene.GetWorld()).front()->GetFixtureList());  // the circle
    StepFrame(scene);
    PressKey(scene, 'd');
    EXPECT_EQ(Fixtures(scene.GetWorld()).size(), fixtures);
    PressKey(scene, 'c');
    EXPECT_EQ(Fixtures(scene.GetWorld()).size(), fixtures + 1);
}

}  // namespace
