// What the keys of the joint and bullet scenes do to their worlds: the walker's motor, the
// revolute arm, the rope, the pinball flippers, the web's deletions and the stack's bullet.
#include "SceneDriver.h"
#include "UndrawnSettings.h"

#include "Framework/TestEntry.h"
#include "Physics/JointKinds.h"
#include "Tests/Pinball.h"
#include "Tests/Revolute.h"
#include "Tests/RopeJoint.h"
#include "Tests/TheoJansen.h"
#include "Tests/VerticalStack.h"
#include "Tests/Web.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace
{

// The revolute joints of a world that have a motor to drive, in creation order reversed
// (the library lists the newest joint first).
std::vector<b2RevoluteJoint*> MotorisedRevolutes(b2World* world)
{
    std::vector<b2RevoluteJoint*> found;
    for (b2Joint* joint : JointsOfType(world, e_revoluteJoint))
    {
        auto* revolute = static_cast<b2RevoluteJoint*>(joint);
        if (revolute->GetMaxMotorTorque() > 0.0f)
        {
            found.push_back(revolute);
        }
    }
    return found;
}

class SceneKeys : public ::testing::Test
{
protected:
    void Start(TestCreateFcn create) { m_test.reset(create()); }
    b2World* World() { return m_test->GetWorld(); }
    void Press(unsigned char key) { PressKey(*m_test, key); }
    void Run(int frames) { RunFrames(*m_test, m_settings, frames, ""); }

    Settings m_settings = UndrawnSettings();
    std::unique_ptr<::Test> m_test;
};

TEST_F(SceneKeys, WalkerMotorTogglesAndSetsItsDirection)
{
    Start(TheoJansen::Create);
    const std::vector<b2RevoluteJoint*> motors = MotorisedRevolutes(World());
    ASSERT_EQ(motors.size(), 1u);
    b2RevoluteJoint* motor = motors.front();
    EXPECT_TRUE(motor->IsMotorEnabled());

    Press('m');
    EXPECT_FALSE(motor->IsMotorEnabled());
    Press('m');
    EXPECT_TRUE(motor->IsMotorEnabled());

    Press('a');
    EXPECT_EQ(motor->GetMotorSpeed(), -2.0f);
    Press('d');
    EXPECT_EQ(motor->GetMotorSpeed(), 2.0f);
    Press('s');
    EXPECT_EQ(motor->GetMotorSpeed(), 0.0f);
}

TEST_F(SceneKeys, WalkerWalksOnlyWithItsMotorOn)
{
    Start(TheoJansen::Create);
    b2Body* chassis = MotorisedRevolutes(World()).front()->GetBodyB();
    Run(120);
    const float start = chassis->GetPosition().x;
    Run(300);
    const float walked = chassis->GetPosition().x - start;
    EXPECT_GT(walked, 3.0f) << "walks right with the motor's initial speed";
    EXPECT_GT(chassis->GetPosition().y, 4.0f) << "still up on its legs";

    Press('m');
    Run(120);
    const float stopped = chassis->GetPosition().x;
    Run(300);
    EXPECT_LT(std::fabs(chassis->GetPosition().x - stopped), 0.1f * walked);
}

TEST_F(SceneKeys, WalkerWalksLeftWithA)
{
    Start(TheoJansen::Create);
    b2Body* chassis = MotorisedRevolutes(World()).front()->GetBodyB();
    const float start = chassis->GetPosition().x;
    Press('a');
    Run(420);
    EXPECT_LT(chassis->GetPosition().x, start - 3.0f);
}

TEST_F(SceneKeys, RevoluteKeysToggleLimitAndMotor)
{
    Start(Revolute::Create);
    const std::vector<b2RevoluteJoint*> motors = MotorisedRevolutes(World());
    ASSERT_EQ(motors.size(), 1u);
    b2RevoluteJoint* arm = motors.front();
    EXPECT_TRUE(arm->IsLimitEnabled());
    EXPECT_FALSE(arm->IsMotorEnabled());

    // Tilted onto its lower limit by what fell on it, then turned by the motor to the upper one.
    Run(240);
    EXPECT_NEAR(arm->GetJointAngle(), arm->GetLowerLimit(), 0.05f);
    Press('m');
    EXPECT_TRUE(arm->IsMotorEnabled());
    Run(240);
    EXPECT_NEAR(arm->GetJointAngle(), arm->GetUpperLimit(), 0.05f);

    Press('l');
    EXPECT_FALSE(arm->IsLimitEnabled());
    Run(60);
    EXPECT_GT(arm->GetJointAngle(), arm->GetUpperLimit() + 0.2f);
    Press('l');
    EXPECT_TRUE(arm->IsLimitEnabled());
}

TEST_F(SceneKeys, RopeKeyCutsAndTiesTheRope)
{
    Start(RopeJoint::Create);
    const int jointCount = World()->GetJointCount();
    ASSERT_EQ(JointsOfType(World(), e_ropeJoint).size(), 1u);

    Press('j');
    EXPECT_TRUE(JointsOfType(World(), e_ropeJoint).empty());
    EXPECT_EQ(World()->GetJointCount(), jointCount - 1);
    Run(10);

    Press('j');
    EXPECT_EQ(JointsOfType(World(), e_ropeJoint).size(), 1u);
    EXPECT_EQ(World()->GetJointCount(), jointCount);
}

TEST_F(SceneKeys, RopeKeepsTheWeightFromStretchingTheChain)
{
    Start(RopeJoint::Create);
    b2Joint* rope = JointsOfType(World(), e_ropeJoint).front();
    b2Body* weight = rope->GetBodyB();
    const b2Vec2 hook = rope->GetAnchorA();
    const float maxLength = Physics::GetRopeMaxLength(rope);

    float longest = 0.0f;
    for (int frame = 0; frame < 180; ++frame)
    {
        Run(1);
        longest = std::max(longest, b2Distance(hook, weight->GetPosition()));
    }
    EXPECT_LT(longest, maxLength + 0.05f);

    // Cut, the heavy weight pulls the hinged chain longer than the rope was.
    Press('j');
    Run(180);
    EXPECT_GT(b2Distance(hook, weight->GetPosition()), maxLength + 0.05f);
}

TEST_F(SceneKeys, PinballFlippersRiseWhileAIsHeld)
{
    Start(Pinball::Create);
    const std::vector<b2RevoluteJoint*> flippers = MotorisedRevolutes(World());
    ASSERT_EQ(flippers.size(), 2u);
    Run(30);
    for (b2RevoluteJoint* flipper : flippers)
    {
        const bool left = flipper->GetBodyB()->GetWorldCenter().x < 0.0f;
        EXPECT_NEAR(flipper->GetJointAngle(), left ? flipper->GetLowerLimit() : flipper->GetUpperLimit(), 0.02f);
    }

    for (unsigned char key : {'a', 'A'})
    {
        m_test->Keyboard(key);
        Run(20);
        for (b2RevoluteJoint* flipper : flippers)
        {
            const bool left = flipper->GetBodyB()->GetWorldCenter().x < 0.0f;
            EXPECT_NEAR(flipper->GetJointAngle(), left ? flipper->GetUpperLimit() : flipper->GetLowerLimit(), 0.02f)
                << "key " << key;
        }
        m_test->KeyboardUp(key);
        Run(30);
        for (b2RevoluteJoint* flipper : flippers)
        {
            const bool left = flipper->GetBodyB()->GetWorldCenter().x < 0.0f;
            EXPECT_NEAR(flipper->GetJointAngle(), left ? flipper->GetLowerLimit() : flipper->GetUpperLimit(), 0.02f)
                << "key " << key;
        }
    }
}

TEST_F(SceneKeys, WebDeletesJointsOneAtATime)
{
    Start(Web::Create);
    ASSERT_EQ(World()->GetJointCount(), 8);
    for (int remaining = 7; remaining >= 0; --remaining)
    {
        Press('j');
        Run(1);
        EXPECT_EQ(World()->GetJointCount(), remaining);
    }
    Press('j');
    EXPECT_EQ(World()->GetJointCount(), 0);
}

TEST_F(SceneKeys, WebDeletesBodiesWithTheirJoints)
{
    Start(Web::Create);
    const int bodyCount = World()->GetBodyCount();
    Press('b');
    EXPECT_EQ(World()->GetBodyCount(), bodyCount - 1);
    // The body was tied to the ground and to two neighbours.
    EXPECT_EQ(World()->GetJointCount(), 5);
    Run(5);

    // Joints left with the body are not deleted twice by "j".
    for (int i = 0; i < 5; ++i)
    {
        Press('j');
    }
    EXPECT_EQ(World()->GetJointCount(), 0);
    for (int i = 0; i < 4; ++i)
    {
        Press('b');
        Run(1);
    }
    EXPECT_EQ(World()->GetBodyCount(), bodyCount - 4);
}

TEST_F(SceneKeys, StackKeepsOneBulletAtATime)
{
    Start(VerticalStack::Create);
    const int bodyCount = World()->GetBodyCount();
    Press(',');
    ASSERT_EQ(World()->GetBodyCount(), bodyCount + 1);
    Run(30);
    Press(',');
    EXPECT_EQ(World()->GetBodyCount(), bodyCount + 1);

    const std::vector<b2Body*> bodies = Bodies(World());
    const auto bullet = std::find_if(bodies.begin(), bodies.end(), [](b2Body* b) { return b->IsBullet(); });
    ASSERT_NE(bullet, bodies.end());
    EXPECT_EQ((*bullet)->GetPosition(), b2Vec2(-31.0f, 5.0f));
    EXPECT_EQ((*bullet)->GetLinearVelocity(), b2Vec2(400.0f, 0.0f));
}

TEST_F(SceneKeys, StackBulletHitsTheFirstColumn)
{
    Start(VerticalStack::Create);
    Run(60);
    std::vector<b2Body*> firstColumn;
    for (b2Body* body : DynamicBodies(World()))
    {
        if (std::fabs(body->GetPosition().x) < 0.1f)
        {
            firstColumn.push_back(body);
        }
    }
    ASSERT_EQ(firstColumn.size(), 10u);

    Press(',');
    Run(60);
    const auto knocked = std::count_if(firstColumn.begin(), firstColumn.end(),
                                       [](b2Body* box) { return box->GetPosition().x > 1.0f; });
    EXPECT_GT(knocked, 0);
}

}  // namespace
