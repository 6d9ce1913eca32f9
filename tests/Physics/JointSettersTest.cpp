#include "Physics/JointSetters.h"

#include "PhysicsWorld.h"

#include <gtest/gtest.h>

namespace
{

// The local y axis has no getter; the test reads it where the library keeps it.
struct PrismaticPeek : b2PrismaticJoint
{
    static b2Vec2 LocalYAxis(b2PrismaticJoint& joint) { return joint.*(&PrismaticPeek::m_localYAxisA); }
};

}  // namespace

TEST(JointSetters, AnchorsAxesAndLimitsReadBackAsSetAndBadOnesAreRefused)
{
    PhysicsWorld w;
    std::map<b2JointType, b2Joint*> joints = w.JoinBoxes();
    // World anchors are stored in the bodies' current frames.
    w.a->SetTransform(b2Vec2(-2, 7), 1.1f);
    w.b->SetTransform(b2Vec2(4, 3), -2.5f);
    for (b2JointType type : {e_revoluteJoint, e_prismaticJoint, e_wheelJoint, e_distanceJoint, e_ropeJoint})
    {
        ASSERT_TRUE(Physics::SetAnchorA(joints[type], b2Vec2(0.25f, 6.5f)));
        ASSERT_TRUE(Physics::SetAnchorB(joints[type], b2Vec2(-3, 1)));
        EXPECT_LT(b2Distance(joints[type]->GetAnchorA(), b2Vec2(0.25f, 6.5f)), 1e-5f) << type;
        EXPECT_LT(b2Distance(joints[type]->GetAnchorB(), b2Vec2(-3, 1)), 1e-5f) << type;
        EXPECT_FALSE(Physics::SetAnchorA(joints[type], b2Vec2(k_nan, 0)));
    }
    const b2Vec2 welded = joints[e_weldJoint]->GetAnchorA();
    EXPECT_FALSE(Physics::SetAnchorA(joints[e_weldJoint], b2Vec2(0, 0)));
    EXPECT_FALSE(Physics::SetAxis(joints[e_weldJoint], b2Vec2(0, 1)));
    EXPECT_EQ(joints[e_weldJoint]->GetAnchorA(), welded);

    // The axis is kept unnormalised, with its perpendicular.
    auto* prismatic = static_cast<b2PrismaticJoint*>(joints[e_prismaticJoint]);
    ASSERT_TRUE(Physics::SetAxis(prismatic, b2Vec2(0, 1)));
    EXPECT_EQ(PrismaticPeek::LocalYAxis(*prismatic), b2Vec2(-1, 0));
    ASSERT_TRUE(Physics::SetAxis(prismatic, b2Vec2(0, 2.5f)));
    EXPECT_FALSE(Physics::SetAxis(prismatic, b2Vec2(0, 0)));
    EXPECT_EQ(prismatic->GetLocalAxisA(), b2Vec2(0, 2.5f));

    for (b2JointType type : {e_revoluteJoint, e_prismaticJoint, e_wheelJoint})  // the library asserts on these
    {
        EXPECT_FALSE(Physics::SetLimits(joints[type], 1.0f, -1.0f));
        EXPECT_FALSE(Physics::SetLimits(joints[type], -k_infinity, 0.0f));
        EXPECT_TRUE(Physics::SetLimits(joints[type], -0.5f, 0.5f));
    }
    EXPECT_EQ(static_cast<b2RevoluteJoint*>(joints[e_revoluteJoint])->GetUpperLimit(), 0.5f);
    EXPECT_FALSE(Physics::SetLimits(joints[e_distanceJoint], 0.0f, 1.0f));
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
    std::map<b2JointType, b2Joint*> joints = w.JoinBoxes();
    auto* prismatic = static_cast<b2PrismaticJoint*>(joints[e_prismaticJoint]);
    prismatic->SetLimits(-1.0f, 2.0f);
    prismatic->SetMotorSpeed(3.0f);
    auto* distance = static_cast<b2DistanceJoint*>(joints[e_distanceJoint]);
    const float length = distance->GetLength();
    w.a->SetAwake(false);
    w.b->SetAwake(false);
    for (const auto& [type, joint] : joints)
    {
        Physics::SetAnchorA(joint, b2Vec2(0, 4));
        Physics::SetAnchorB(joint, b2Vec2(3, 4));
        Physics::SetAxis(joint, b2Vec2(0.6f, 0.8f));
        Physics::SetCollideConnected(joint, true);
        EXPECT_TRUE(joint->GetCollideConnected()) << type;
    }
    EXPECT_TRUE(Physics::SetReferenceAngle(prismatic, 0.75f));
    EXPECT_FALSE(Physics::SetReferenceAngle(joints[e_revoluteJoint], 0.75f));

    EXPECT_FALSE(w.a->IsAwake() || w.b->IsAwake());
    EXPECT_EQ(prismatic->GetReferenceAngle(), 0.75f);
    EXPECT_EQ(prismatic->GetLowerLimit(), -1.0f);
    EXPECT_EQ(prismatic->GetUpperLimit(), 2.0f);
    EXPECT_EQ(prismatic->GetMotorSpeed(), 3.0f);
    EXPECT_EQ(distance->GetLength(), length);
}
