#include "Physics/Springs.h"

#include "PhysicsWorld.h"

#include <gtest/gtest.h>

#include <cstring>

// Every kind reads its values back and, once the bodies' masses change, has the stiffness that
// keeps its frequency; a joint given its stiffness straight through the library keeps that.
TEST(SpringValues, FrequencyAndRatioReadBackBitForBitBadOnesAreRefusedAndStiffnessFollowsTheBodies)
{
    PhysicsWorld w;
    std::map<b2JointType, b2Joint*> joints = w.JoinBoxes();
    b2WheelJointDef def;
    def.Initialize(w.a, w.b, b2Vec2(1, 5), b2Vec2(0, 1));
    def.stiffness = 123.0f;
    def.userData.pointer = 0x4123456780000000u;  // must not be taken for a stored frequency
    auto* stiff = static_cast<b2WheelJoint*>(Physics::CreateJoint(&w.world, def));
    EXPECT_EQ(Physics::GetSpringFrequency(stiff), 0.0f);
    const std::pair<b2JointType, float (*)(b2Joint*)> springs[] = {
        {e_distanceJoint, [](b2Joint* j) { return static_cast<b2DistanceJoint*>(j)->GetStiffness(); }},
        {e_wheelJoint, [](b2Joint* j) { return static_cast<b2WheelJoint*>(j)->GetStiffness(); }},
        {e_weldJoint, [](b2Joint* j) { return static_cast<b2WeldJoint*>(j)->GetStiffness(); }},
        {e_mouseJoint, [](b2Joint* j) { return static_cast<b2MouseJoint*>(j)->GetStiffness(); }}};
    const float values[][2] = {{0.2f, 0.7f}, {1e-30f, 3.4e38f}, {1.4e-45f, 0.0f}, {4.0f, 1.0f}};
    for (const auto& [type, stiffness] : springs)
    {
        for (const auto& value : values)
        {
            ASSERT_TRUE(Physics::SetSpring(joints[type], value[0], value[1]));
            const float frequency = Physics::GetSpringFrequency(joints[type]);
            const float ratio = Physics::GetSpringDampingRatio(joints[type]);
            EXPECT_EQ(std::memcmp(&frequency, &value[0], 4), 0);
            EXPECT_EQ(std::memcmp(&ratio, &value[1], 4), 0);
        }
        for (const auto& bad : {b2Vec2(-1, 0.5f), b2Vec2(2, -0.1f), b2Vec2(k_nan, 0), b2Vec2(1, k_nan)})
        {
            EXPECT_FALSE(Physics::SetSpring(joints[type], bad.x, bad.y));
        }
        EXPECT_EQ(Physics::GetSpringFrequency(joints[type]), 4.0f);
    }
    w.b->GetFixtureList()->SetDensity(9.0f);
    w.b->ResetMassData();
    Physics::UpdateSprings(&w.world);
    for (const auto& [type, stiffness] : springs)
    {
        float expected, damping;
        b2Joint* joint = joints[type];
        (type == e_weldJoint ? b2AngularStiffness : b2LinearStiffness)(expected, damping, 4.0f, 1.0f, joint->GetBodyA(),
                                                                       joint->GetBodyB());
        EXPECT_EQ(stiffness(joint), expected) << type;
    }
    EXPECT_EQ(stiff->GetStiffness(), 123.0f);
    EXPECT_FALSE(Physics::SetSpring(joints[e_revoluteJoint], 1.0f, 1.0f));
}

TEST(DistanceSpring, FrequencyZeroIsARigidRodOfItsLengthAndAPositiveOneASpringAroundIt)
{
    PhysicsWorld w;
    b2DistanceJointDef def;
    def.Initialize(w.ground, w.b, b2Vec2(3, 8), w.b->GetPosition());
    def.minLength = 0.0f;  // the library's own meaning would leave the joint slack
    def.maxLength = 10.0f;
    auto* rod = static_cast<b2DistanceJoint*>(Physics::CreateJoint(&w.world, def));
    def.length = 0.0f;
    EXPECT_EQ(static_cast<b2DistanceJoint*>(Physics::CreateJoint(&w.world, def))->GetMaxLength(), b2_linearSlop);
    w.b->ApplyLinearImpulseToCenter(b2Vec2(4, 0), true);
    for (int i = 0; i < 120; ++i)
    {
        Physics::UpdateSprings(&w.world);
        w.Step();
        ASSERT_NEAR(rod->GetCurrentLength(), 3.0f, 0.02f);
    }

    // A spring around the length, free between b2_linearSlop and a length too great to matter.
    ASSERT_TRUE(Physics::SetSpring(rod, 4.0f, 0.3f));
    float stiffness, damping;
    b2LinearStiffness(stiffness, damping, 4.0f, 0.3f, w.ground, w.b);
    EXPECT_EQ(rod->GetStiffness(), stiffness);
    EXPECT_EQ(rod->GetDamping(), damping);
    EXPECT_EQ(rod->GetMinLength(), b2_linearSlop);
    EXPECT_GT(rod->GetMaxLength(), 1000.0f);
    ASSERT_TRUE(Physics::SetDistanceLength(rod, 2.0f));
    EXPECT_EQ(rod->GetLength(), 2.0f);
    EXPECT_EQ(rod->GetMinLength(), b2_linearSlop);

    ASSERT_TRUE(Physics::SetSpring(rod, 0.0f, 0.3f));
    EXPECT_EQ(rod->GetMinLength(), 2.0f);
    EXPECT_EQ(rod->GetMaxLength(), 2.0f);
    EXPECT_EQ(rod->GetStiffness(), 0.0f);
    ASSERT_TRUE(Physics::SetDistanceLength(rod, 0.0f));
    EXPECT_EQ(rod->GetMaxLength(), b2_linearSlop);
}
