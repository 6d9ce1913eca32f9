// Scenes whose keys act on a remembered body or joint: "Body Types" (the platform's type) and
// "Prismatic" (limit, motor and speed of the joint). The scene suite presses them after the
// editor destroyed what they act on.
#include "SceneDriver.h"

#include "Tests/BodyTypes.h"
#include "Tests/Prismatic.h"

#include <gtest/gtest.h>

namespace
{

TEST(BodyTypes, KeysSwitchThePlatformType)
{
    BodyTypes scene;
    Settings settings = UndrawnSettings();
    b2Body* platform = scene.GetPlatform();
    RunFrames(scene, settings, 30, "");

    PressKey(scene, 's');
    EXPECT_EQ(platform->GetType(), b2_staticBody);
    const b2Vec2 held = platform->GetPosition();
    RunFrames(scene, settings, 30, "");
    EXPECT_EQ(platform->GetPosition(), held);

    PressKey(scene, 'k');
    EXPECT_EQ(platform->GetType(), b2_kinematicBody);
    EXPECT_EQ(platform->GetLinearVelocity(), b2Vec2(-BodyTypes::k_platformSpeed, 0.0f));
    EXPECT_EQ(platform->GetAngularVelocity(), 0.0f);

    PressKey(scene, 'd');
    EXPECT_EQ(platform->GetType(), b2_dynamicBody);
}

TEST(BodyTypes, TheKinematicPlatformShuttlesBetweenTheTurningPoints)
{
    BodyTypes scene;
    Settings settings = UndrawnSettings();
    PressKey(scene, 'k');

    float leftmost = 0.0f;
    float rightmost = 0.0f;
    bool turnedBack = false;
    for (int frame = 0; frame < 1000; ++frame)
    {
        StepFrame(scene, settings);
        const b2Body* platform = scene.GetPlatform();
        leftmost = std::min(leftmost, platform->GetPosition().x);
        rightmost = std::max(rightmost, platform->GetPosition().x);
        turnedBack = turnedBack || platform->GetLinearVelocity().x > 0.0f;
    }
    EXPECT_TRUE(turnedBack);
    EXPECT_GT(leftmost, -10.2f);
    EXPECT_LT(leftmost, -9.8f);
    EXPECT_GT(rightmost, 9.8f);
    EXPECT_LT(rightmost, 10.2f);
}

TEST(Prismatic, TheMotorDrivesTheBoxAgainstTheLimitUntilTheLimitIsOffAndSReversesIt)
{
    Prismatic scene;
    Settings settings = UndrawnSettings();
    RunFrames(scene, settings, 180, "");
    const float upper = scene.GetJoint()->GetUpperLimit();
    EXPECT_NEAR(scene.GetJoint()->GetJointTranslation(), upper, 0.05f);

    PressKey(scene, 'l');
    RunFrames(scene, settings, 60, "");
    EXPECT_GT(scene.GetJoint()->GetJointTranslation(), upper + 1.0f);

    const float speed = scene.GetJoint()->GetMotorSpeed();
    PressKey(scene, 's');
    EXPECT_EQ(scene.GetJoint()->GetMotorSpeed(), -speed);
    PressKey(scene, 'm');
    EXPECT_FALSE(scene.GetJoint()->IsMotorEnabled());
}

}  // namespace
