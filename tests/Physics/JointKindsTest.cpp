#include "Physics/JointKinds.h"

#include "Physics/Springs.h"
#include "PhysicsWorld.h"

#include <gtest/gtest.h>

TEST(Rope, ReportsAsARopeOnlyKeepsItsLengthAndRefusesWhatTheLibraryAssertsOn)
{
    PhysicsWorld w;
    const std::map<b2JointType, b2Joint*> joints = w.JoinBoxes();
    b2Joint* rope = joints.at(e_ropeJoint);
    EXPECT_EQ(Physics::GetRopeMaxLength(rope), 4.0f);
    for (const auto& [type, joint] : joints)
    {
        EXPECT_EQ(Physics::GetJointType(joint), type);
        EXPECT_EQ(Physics::SetRopeMaxLength(joint, 0.1f + 0.2f), type == e_ropeJoint) << type;
    }
    EXPECT_EQ(Physics::GetRopeMaxLength(rope), 0.1f + 0.2f);
    EXPECT_FALSE(Physics::SetRopeMaxLength(rope, k_nan));
    ASSERT_TRUE(Physics::SetRopeMaxLength(rope, 0.0f));
    EXPECT_EQ(Physics::GetRopeMaxLength(rope), b2_linearSlop);
    EXPECT_FALSE(Physics::SetSpring(rope, 1.0f, 0.5f));
    EXPECT_FALSE(Physics::SetDistanceLength(rope, 1.0f));

    b2DistanceJointDef def;
    def.Initialize(w.a, w.b, w.a->GetPosition(), w.b->GetPosition());
    def.userData.pointer = ~uintptr_t(0);  // made straight with the library, with user data
    EXPECT_EQ(Physics::GetJointType(w.world.CreateJoint(&def)), e_distanceJoint);

    // Refused as the library would assert on them.
    std::string error;
    EXPECT_EQ(Physics::CreateRopeJoint(&w.world, {w.a, w.a, b2Vec2_zero, b2Vec2_zero, 1.0f}, &error), nullptr);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(Physics::CreateRopeJoint(&w.world, {w.a, w.b, b2Vec2_zero, b2Vec2_zero, k_infinity}), nullptr);
    const Physics::RopeJointDef fine{w.a, w.b, b2Vec2_zero, b2Vec2_zero, 1.0f};
    EXPECT_TRUE(w.WhileLocked([&] { EXPECT_EQ(Physics::CreateRopeJoint(&w.world, fine), nullptr); }));
    EXPECT_EQ(w.world.GetJointCount(), 8);
}

TEST(Rope, HoldsTheBodyWithinItsLengthAndLetsItCloser)
{
    // Box b drops from beside the anchor (0, 8) until the 4 m rope catches it, swings, and is
    // then thrown back up towards the anchor.
    PhysicsWorld w;
    b2Joint* rope = Physics::CreateRopeJoint(&w.world, {w.ground, w.b, b2Vec2(0, 8), b2Vec2_zero, 4.0f});
    w.b->SetTransform(b2Vec2(1.0f, 7.5f), 0.0f);
    float farthest = 0.0f;
    for (int i = 0; i < 300; ++i)
    {
        w.Step();
        const float distance = b2Distance(rope->GetAnchorA(), rope->GetAnchorB());
        ASSERT_LE(distance, 4.0f + 0.05f) << "step " << i;
        farthest = std::max(farthest, distance);
    }
    EXPECT_GT(farthest, 3.95f);
    w.b->SetLinearVelocity(b2Vec2(0, 0));
    w.b->ApplyLinearImpulseToCenter(b2Vec2(0, 8), true);
    w.Step(20);
    EXPECT_LT(b2Distance(rope->GetAnchorA(), rope->GetAnchorB()), 3.0f);
}
