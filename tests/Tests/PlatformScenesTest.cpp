// Scenes whose keys act on a remembered body or joint: "Body Types" (the platform's type) and
// "Prismatic" (limit, motor and speed of the joint), including after the editor has destroyed it.
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

TEST(BodyTypes, KeysDoNothingOnceThePlatformIsDestroyed)
{
    BodyTypes scene;
    Settings settings = UndrawnSettings();
    const int joints = scene.GetWorld()->GetJointCount();
    scene.DestroyBody(scene.GetPlatform());
    EXPECT_EQ(scene.GetPlatform(), nullptr);
    EXPECT_EQ(scene.GetWorld()->GetJointCount(), joints - 2) << "both platform joints went with it";
    RunFrames(scene, settings, 60, "dskdsk");
}

TEST(Prismatic, KeysToggleLimitAndMotorAndReverseTheSpeed)
{
    Prismatic scene;
    b2PrismaticJoint* joint = scene.GetJoint();
    ASSERT_TRUE(joint->IsLimitEnabled());
    ASSERT_TRUE(joint->IsMotorEnabled());
    const float speed = joint->GetMotorSpeed();

    PressKey(scene, 'l');
    EXPECT_FALSE(joint->IsLimitEnabled());
    PressKey(scene, 'm');
    EXPECT_FALSE(joint->IsMotorEnabled());
    PressKey(scene, 's');
    EXPECT_EQ(joint->GetMotorSpeed(), -speed);

    PressKey(scene, 'l');
    PressKey(scene, 'm');
    PressKey(scene, 's');
    EXPECT_TRUE(joint->IsLimitEnabled());
    EXPECT_TRUE(joint->IsMotorEnabled());
    EXPECT_EQ(joint->GetMotorSpeed(), speed);
}

TEST(Prismatic, TheMotorDrivesTheBoxAgainstTheLimitUntilTheLimitIsOff)
{
    Prismatic scene;
    Settings settings = UndrawnSettings();
    RunFrames(scene, settings, 180, "");
    const float upper = scene.GetJoint()->GetUpperLimit();
    EXPECT_NEAR(scene.GetJoint()->GetJointTranslation(), upper, 0.05f);

    PressKey(scene, 'l');
    RunFrames(scene, settings, 60, "");
    EXPECT_GT(scene.GetJoint()->GetJointTranslation(), upper + 1.0f);
}

TEST(Prismatic, KeysAndReadOutSkipADestroyedJoint)
{
    Prismatic byJoint;
    Prismatic byBody;
    Settings settings = UndrawnSettings();
    byJoint.DestroyJoint(byJoint.GetJoint());
    EXPECT_EQ(byJoint.GetJoint(), nullptr);

    b2Body* box = byBody.GetJoint()->GetBodyB();
    byBody.DestroyBody(box);
    EXPECT_EQ(byBody.GetJoint(), nullptr) << "the joint went with its body";

    RunFrames(byJoint, settings, 60, "lms");
    RunFrames(byBody, settings, 60, "lms");
    // The motor force line is gone: the base lines and the key help only.
    EXPECT_EQ(byJoint.textLine, 30 + 15 * 2);
}

}  // namespace
