// What the keys of the joint and bullet scenes do to their worlds: the walker's motor, the
// revolute arm, the rope, the pinball flippers, the web's deletions and the stack's bullet.
#include "SceneDriver.h"

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

TEST_F(SceneKeys, WalkerWalksRightUntilItsMotorIsToggledOff)
{
    Start(TheoJansen::Create);
    b2Body* chassis = MotorisedRevolutes(World()).front()->GetBodyB();
    Run(60);
    const float start = chassis->GetPosition().x;
    Run(120);
    const float walked = chassis->GetPosition().x - start;
    EXPECT_GT(walked, 2.0f);
    EXPECT_GT(chassis->GetPosition().y, 4.0f) << "still up on its legs";

    // Without the motor it only settles and drifts on the balls.
    Press('m');
    Run(120);
    const float stopped = chassis->GetPosition().x;
    Run(120);
    EXPECT_LT(std::fabs(chassis->GetPosition().x - stopped), 0.25f * walked);
}

TEST_F(SceneKeys, RevoluteTrayRestsOnItsLimitTurnsWithTheMotorAndSpinsFreeWithoutTheLimit)
{
    Start(Revolute::Create);
    b2RevoluteJoint* tray = MotorisedRevolutes(World()).front();
    // Tilted onto its lower limit by what fell on it, then turned by the motor to the upper one.
    Run(240);
    EXPECT_NEAR(tray->GetJointAngle(), tray->GetLowerLimit(), 0.05f);
    Press('m');
    Run(240);
    EXPECT_NEAR(tray->GetJointAngle(), tray->GetUpperLimit(), 0.05f);
    Press('l');
    Run(60);
    EXPECT_GT(tray->GetJointAngle(), tray->GetUpperLimit() + 0.2f);
}

TEST_F(SceneKeys, RopeKeyCutsTheRopeLettingTheChainStretchAndTiesItAgain)
{
    Start(RopeJoint::Create);
    ASSERT_EQ(JointsOfType(World(), e_ropeJoint).size(), 1u);
    b2Joint* rope = JointsOfType(World(), e_ropeJoint).front();
    b2Body* weight = rope->GetBodyB();
    const b2Vec2 hook = rope->GetAnchorA();
    const float maxLength = Physics::GetRopeMaxLength(rope);
    const int jointCount = World()->GetJointCount();

    float longest = 0.0f;
    for (int frame = 0; frame < 120; ++frame)
    {
        Run(1);
        longest = std::max(longest, b2Distance(hook, weight->GetPosition()));
    }
    EXPECT_LT(longest, maxLength + 0.05f);

    // Cut, the heavy weight pulls the hinged chain longer than the rope was.
    Press('j');
    EXPECT_TRUE(JointsOfType(World(), e_ropeJoint).empty());
    EXPECT_EQ(World()->GetJointCount(), jointCount - 1);
    Run(120);
    EXPECT_GT(b2Distance(hook, weight->GetPosition()), maxLength + 0.05f);

    Press('j');
    EXPECT_EQ(JointsOfType(World(), e_ropeJoint).size(), 1u);
    EXPECT_EQ(World()->GetJointCount(), jointCount);
}

TEST_F(SceneKeys, PinballFlippersRiseWhileAOrCapitalAIsHeld)
{
    Start(Pinball::Create);
    const std::vector<b2RevoluteJoint*> flippers = MotorisedRevolutes(World());
    ASSERT_EQ(flippers.size(), 2u);
    // Up means the tip raised: counter-clockwise (upper limit) for the left flipper.
    const auto expectFlippers = [&](bool up, unsigned char key) {
        for (b2RevoluteJoint* flipper : flippers)
        {
            const bool left = flipper->GetBodyB()->GetWorldCenter().x < 0.0f;
            const float limit = left == up ? flipper->GetUpperLimit() : flipper->GetLowerLimit();
            EXPECT_NEAR(flipper->GetJointAngle(), limit, 0.02f) << "key " << key << (up ? " held" : " released");
        }
    };

    for (unsigned char key : {'a', 'A'})
    {
        Run(30);
        expectFlippers(false, key);
        m_test->Keyboard(key);
        Run(20);
        expectFlippers(true, key);
        m_test->KeyboardUp(key);
    }
}

TEST_F(SceneKeys, WebKeysDeleteBodiesWithTheirJointsAndJointsOneAtATime)
{
    Start(Web::Create);
    const int bodyCount = World()->GetBodyCount();
    ASSERT_EQ(World()->GetJointCount(), 8);
    Press('j');
    EXPECT_EQ(World()->GetJointCount(), 7);
    // The first body was tied to the ground (that joint is gone already) and to two neighbours.
    Press('b');
    EXPECT_EQ(World()->GetBodyCount(), bodyCount - 1);
    EXPECT_EQ(World()->GetJointCount(), 5);
    Run(5);

    // Joints that went with the body are not deleted twice.
    for (int remaining = 4; remaining >= 0; --remaining)
    {
        Press('j');
        Run(1);
        EXPECT_EQ(World()->GetJointCount(), remaining);
    }
    for (int i = 0; i < 4; ++i)
    {
        Press('b');
        Press('j');
        Run(1);
    }
    EXPECT_EQ(World()->GetBodyCount(), bodyCount - 4);
}

TEST_F(SceneKeys, StackBulletHitsTheFirstColumnAndOnlyTheLatestBulletIsKept)
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
    const int bodyCount = World()->GetBodyCount();

    Press(',');
    EXPECT_EQ(World()->GetBodyCount(), bodyCount + 1);
    Run(60);
    const auto knocked = std::count_if(firstColumn.begin(), firstColumn.end(),
                                       [](b2Body* box) { return box->GetPosition().x > 1.0f; });
    EXPECT_GT(knocked, 0);

    Press(',');
    EXPECT_EQ(World()->GetBodyCount(), bodyCount + 1);
}

}  // namespace
