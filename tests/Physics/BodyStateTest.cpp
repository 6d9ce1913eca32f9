#include "Physics/BodyState.h"
#include "Physics/JointKinds.h"

#include "PhysicsWorld.h"

#include <gtest/gtest.h>

TEST(BodyActive, InactiveBodiesLeaveTheSimulationAndComeBackAndSleepingOnesStop)
{
    PhysicsWorld w;
    ASSERT_TRUE(Physics::SetBodyActive(w.a, false));
    EXPECT_FALSE(Physics::IsBodyActive(w.a));
    w.Step(30);
    EXPECT_EQ(w.a->GetPosition(), b2Vec2(0, 5));
    ASSERT_TRUE(Physics::SetBodyActive(w.a, true));
    w.Step(30);
    EXPECT_LT(w.a->GetPosition().y, 5.0f);
    EXPECT_TRUE(w.WhileLocked([&] { EXPECT_FALSE(Physics::SetBodyActive(w.b, false)); }));
    EXPECT_TRUE(Physics::IsBodyActive(w.b));
    w.a->SetLinearVelocity(b2Vec2(3, 4));
    w.a->SetAngularVelocity(2);
    Physics::PutToSleep(w.a);  // stops the body as well
    EXPECT_FALSE(w.a->IsAwake());
    EXPECT_EQ(w.a->GetLinearVelocity(), b2Vec2(0, 0));
    EXPECT_EQ(w.a->GetAngularVelocity(), 0.0f);
}

TEST(BodyActive, RefreshedProxiesFollowAShapeChangedInPlace)
{
    // The floor is lifted in place under box a: with stale proxies the box falls through.
    PhysicsWorld w;
    w.Step(90);
    auto* floor = static_cast<b2EdgeShape*>(w.ground->GetFixtureList()->GetShape());
    floor->m_vertex1.y = floor->m_vertex2.y = 3.0f;
    ASSERT_TRUE(Physics::RefreshProxies(w.ground));
    w.a->SetTransform(b2Vec2(0, 5), 0);
    w.a->SetAwake(true);
    w.Step(90);
    EXPECT_GT(w.a->GetPosition().y, 3.4f);
}

TEST(BodyType, TypeAndRotationChangesTheLibraryWouldAssertOnAreRefused)
{
    PhysicsWorld w;
    b2Body* body = w.AddBody(b2_staticBody);
    const b2CircleShape circle = FarSmallCircle();
    body->CreateFixture(&circle, 1.0f);
    std::string error;
    EXPECT_FALSE(Physics::SetBodyType(body, b2_dynamicBody, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(Physics::SetBodyType(body, static_cast<b2BodyType>(3)));
    ASSERT_TRUE(Physics::SetFixedRotation(body, true));
    ASSERT_TRUE(Physics::SetBodyType(body, b2_dynamicBody));
    EXPECT_FALSE(Physics::SetFixedRotation(body, false));
    EXPECT_TRUE(body->IsFixedRotation());

    // A static body never computes its mass, so it may carry a polygon too thin to have one.
    const b2PolygonShape sliver = ThinSliver();
    w.ground->CreateFixture(&sliver, 1.0f);
    EXPECT_FALSE(Physics::SetBodyType(w.ground, b2_dynamicBody));

    // The bodies a gear moves stay dynamic; the ground its joints hang from may change.
    b2RevoluteJointDef revolute;
    revolute.Initialize(w.ground, w.a, w.a->GetPosition());
    b2PrismaticJointDef prismatic;
    prismatic.Initialize(w.ground, w.b, w.b->GetPosition(), b2Vec2(1, 0));
    b2Joint* hinge = w.world.CreateJoint(&revolute);
    const b2GearJointDef gear = Physics::CouplingGear(hinge, w.world.CreateJoint(&prismatic));
    w.world.CreateJoint(&gear);
    std::string gearError;
    EXPECT_FALSE(Physics::SetBodyType(w.a, b2_staticBody, &gearError));
    EXPECT_FALSE(gearError.empty());
    EXPECT_EQ(w.a->GetType(), b2_dynamicBody);
    EXPECT_TRUE(Physics::SetBodyType(w.ground, b2_kinematicBody));
}
