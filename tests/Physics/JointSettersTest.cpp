#include "Physics/JointSetters.h"

#include "Physics/Create.h"
#include "Physics/JointKinds.h"
#include "PhysicsWorld.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

// The local y axis has no getter; the test reads it where the library keeps it.
struct PrismaticPeek : b2PrismaticJoint
{
    static b2Vec2 LocalYAxis(b2PrismaticJoint& joint) { return joint.*(&PrismaticPeek::m_localYAxisA); }
};

void ExpectNear(const b2Vec2& actual, const b2Vec2& expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
}

// Revolute, prismatic, wheel, distance and rope joints between boxes a and b.
std::vector<b2Joint*> AnchoredJoints(PhysicsWorld& w)
{
    const b2Vec2 anchor(1.5f, 5.0f);
    b2RevoluteJointDef revolute;
    revolute.Initialize(w.a, w.b, anchor);
    b2PrismaticJointDef prismatic;
    prismatic.Initialize(w.a, w.b, anchor, b2Vec2(1, 0));
    b2WheelJointDef wheel;
    wheel.Initialize(w.a, w.b, anchor, b2Vec2(0, 1));
    b2DistanceJointDef distance;
    distance.Initialize(w.a, w.b, w.a->GetPosition(), w.b->GetPosition());
    Physics::RopeJointDef rope;
    rope.bodyA = w.a;
    rope.bodyB = w.b;
    rope.maxLength = 4.0f;
    return {Physics::CreateJoint(&w.world, revolute), Physics::CreateJoint(&w.world, prismatic),
            Physics::CreateJoint(&w.world, wheel), Physics::CreateJoint(&w.world, distance),
            Physics::CreateRopeJoint(&w.world, rope)};
}

}  // namespace

TEST(JointAnchors, WorldAnchorsReadBackAsSetAfterTheBodiesTurned)
{
    PhysicsWorld w;
    w.a->SetTransform(b2Vec2(-2, 7), 1.1f);
    w.b->SetTransform(b2Vec2(4, 3), -2.5f);
    for (b2Joint* joint : AnchoredJoints(w))
    {
        ASSERT_TRUE(Physics::SetAnchorA(joint, b2Vec2(0.25f, 6.5f)));
        ASSERT_TRUE(Physics::SetAnchorB(joint, b2Vec2(-3, 1)));
        ExpectNear(joint->GetAnchorA(), b2Vec2(0.25f, 6.5f));
        ExpectNear(joint->GetAnchorB(), b2Vec2(-3, 1));
        EXPECT_FALSE(Physics::SetAnchorA(joint, b2Vec2(k_nan, 0)));
    }
    b2WeldJointDef weld;
    weld.Initialize(w.a, w.b, b2Vec2(1, 5));
    b2Joint* welded = Physics::CreateJoint(&w.world, weld);
    EXPECT_FALSE(Physics::SetAnchorA(welded, b2Vec2(0, 0)));
    EXPECT_FALSE(Physics::SetAxis(welded, b2Vec2(0, 1)));
    ExpectNear(welded->GetAnchorA(), b2Vec2(1, 5));
}

TEST(JointAxis, StoresTheAxisUnnormalisedWithItsPerpendicular)
{
    PhysicsWorld w;
    auto* prismatic = static_cast<b2PrismaticJoint*>(AnchoredJoints(w)[1]);
    ASSERT_TRUE(Physics::SetAxis(prismatic, b2Vec2(0, 1)));
    EXPECT_EQ(PrismaticPeek::LocalYAxis(*prismatic), b2Vec2(-1, 0));
    ASSERT_TRUE(Physics::SetAxis(prismatic, b2Vec2(0, 2.5f)));
    EXPECT_FALSE(Physics::SetAxis(prismatic, b2Vec2(0, 0)));
    EXPECT_EQ(prismatic->GetLocalAxisA(), b2Vec2(0, 2.5f));
}

TEST(JointAxis, ATurnedAxisGuidesTheNextSteps)
{
    // Box b hangs from the ground on a wheel joint with a horizontal axis; turned vertical,
    // the axis lets it fall straight down.
    PhysicsWorld w;
    b2WheelJointDef def;
    def.Initialize(w.ground, w.b, w.b->GetPosition(), b2Vec2(1, 0));
    b2Joint* wheel = Physics::CreateJoint(&w.world, def);
    w.Step(10);
    EXPECT_NEAR(w.b->GetPosition().y, 5.0f, 0.05f);
    ASSERT_TRUE(Physics::SetAxis(wheel, b2Vec2(0, 1)));
    w.Step(60);
    EXPECT_LT(w.b->GetPosition().y, 1.0f);
    EXPECT_NEAR(w.b->GetPosition().x, 3.0f, 0.05f);
}

TEST(JointSetters, NeitherWakeBodiesNorTouchLimitsMotorsOrLengths)
{
    PhysicsWorld w;
    std::vector<b2Joint*> joints = AnchoredJoints(w);
    auto* prismatic = static_cast<b2PrismaticJoint*>(joints[1]);
    prismatic->SetLimits(-1.0f, 2.0f);
    prismatic->SetMotorSpeed(3.0f);
    auto* distance = static_cast<b2DistanceJoint*>(joints[3]);
    const float length = distance->GetLength();
    w.a->SetAwake(false);
    w.b->SetAwake(false);
    for (b2Joint* joint : joints)
    {
        Physics::SetAnchorA(joint, b2Vec2(0, 4));
        Physics::SetAnchorB(joint, b2Vec2(3, 4));
        Physics::SetAxis(joint, b2Vec2(0.6f, 0.8f));
        Physics::SetCollideConnected(joint, true);
        EXPECT_TRUE(joint->GetCollideConnected());
    }
    EXPECT_TRUE(Physics::SetReferenceAngle(prismatic, 0.75f));
    EXPECT_FALSE(Physics::SetReferenceAngle(joints[0], 0.75f));

    EXPECT_FALSE(w.a->IsAwake() || w.b->IsAwake());
    EXPECT_EQ(prismatic->GetReferenceAngle(), 0.75f);
    EXPECT_EQ(prismatic->GetLowerLimit(), -1.0f);
    EXPECT_EQ(prismatic->GetUpperLimit(), 2.0f);
    EXPECT_EQ(prismatic->GetMotorSpeed(), 3.0f);
    EXPECT_EQ(distance->GetLength(), length);
}

TEST(JointLimits, InvertedOrNonFiniteLimitsAreRefused)
{
    PhysicsWorld w;
    std::vector<b2Joint*> joints = AnchoredJoints(w);
    for (int i = 0; i < 3; ++i)  // revolute, prismatic, wheel: the library asserts on these
    {
        EXPECT_FALSE(Physics::SetLimits(joints[i], 1.0f, -1.0f));
        EXPECT_FALSE(Physics::SetLimits(joints[i], -k_infinity, 0.0f));
        EXPECT_TRUE(Physics::SetLimits(joints[i], -0.5f, 0.5f));
    }
    EXPECT_EQ(static_cast<b2RevoluteJoint*>(joints[0])->GetUpperLimit(), 0.5f);
    EXPECT_FALSE(Physics::SetLimits(joints[3], 0.0f, 1.0f));
}
