// Every refused case here is one the library asserts or crashes on (each was tried against the
// library): had the guard let it through, this test program would die.
#include "Physics/Create.h"

#include "PhysicsWorld.h"

#include <gtest/gtest.h>

TEST(CreateBody, RefusesWhatTheLibraryAssertsOn)
{
    PhysicsWorld w;
    for (void (*spoil)(b2BodyDef&) :
         {+[](b2BodyDef& d) { d.linearDamping = -0.1f; }, +[](b2BodyDef& d) { d.angularDamping = -0.1f; },
          +[](b2BodyDef& d) { d.position.x = k_nan; }, +[](b2BodyDef& d) { d.angle = k_nan; },
          +[](b2BodyDef& d) { d.linearVelocity.y = k_infinity; },
          +[](b2BodyDef& d) { d.type = static_cast<b2BodyType>(3); }})
    {
        b2BodyDef def;
        spoil(def);
        std::string error;
        EXPECT_EQ(Physics::CreateBody(&w.world, def, &error), nullptr);
        EXPECT_FALSE(error.empty());
    }
    EXPECT_TRUE(w.WhileLocked([&] { EXPECT_EQ(Physics::CreateBody(&w.world, b2BodyDef()), nullptr); }));
    EXPECT_EQ(w.world.GetBodyCount(), 3);
}

TEST(CreateFixture, RefusesShapesTheLibraryAssertsOnAndFixturesTooSmallForTheirDistanceFromADynamicOrigin)
{
    PhysicsWorld w;
    b2CircleShape circle;
    circle.m_radius = k_nan;
    EXPECT_EQ(AddShape(w.ground, circle), nullptr);
    EXPECT_EQ(AddShape(w.a, ThinSliver(), 1.0f), nullptr);
    // A fixture builds its chain again, which asserts on a loop's closing segment of no length.
    const b2Vec2 closed[] = {{0, 0}, {1, 0}, {1, 1}, {0, 0}};
    b2ChainShape loop;
    loop.CreateLoop(closed, 4);
    EXPECT_EQ(AddShape(w.ground, loop), nullptr);
    circle.m_radius = 0.5f;
    EXPECT_EQ(AddShape(w.a, circle, -1.0f), nullptr);
    EXPECT_TRUE(w.WhileLocked([&] { EXPECT_EQ(AddShape(w.a, circle, 1.0f), nullptr); }));
    EXPECT_EQ(w.a->GetFixtureList()->GetNext(), nullptr);

    EXPECT_EQ(AddShape(w.AddBody(b2_dynamicBody), FarSmallCircle(), 1.0f), nullptr);
    EXPECT_NE(AddShape(w.AddBody(b2_staticBody), FarSmallCircle(), 1.0f), nullptr);
    b2Fixture* massless = AddShape(w.AddBody(b2_dynamicBody), FarSmallCircle());
    ASSERT_NE(massless, nullptr);
    massless->SetDensity(1.0f);  // so its body's mass can no longer be computed
    EXPECT_FALSE(Physics::ResetMassData(massless->GetBody()));
    massless->SetDensity(0.0f);
    EXPECT_TRUE(Physics::ResetMassData(massless->GetBody()));
    // Around the threshold every accepted fixture must pass the library's own check.
    int refused = 0;
    for (float distance = 10.0f; distance < 400.0f; distance *= 1.01f)
    {
        b2Body* body = w.AddBody(b2_dynamicBody);
        refused += AddShape(body, FarSmallCircle(distance), 1.0f) == nullptr;
        w.world.DestroyBody(body);
    }
    EXPECT_GT(refused, 0);
}

TEST(MassData, RefusesInertiaBelowTheCentreOffset)
{
    PhysicsWorld w;
    const b2MassData tooLittle{1.0f, b2Vec2(1, 0), 0.5f};
    const b2MassData massless{0.0f, b2Vec2(1, 0), 0.5f};  // the library takes a mass of 0 as 1
    const b2MassData notANumber{k_nan, b2Vec2(0, 0), 0.5f};
    EXPECT_FALSE(Physics::SetMassData(w.a, tooLittle) || Physics::SetMassData(w.a, massless) ||
                 Physics::SetMassData(w.a, notANumber));
    EXPECT_TRUE(Physics::SetMassData(w.a, b2MassData{2.0f, b2Vec2(0.5f, 0), 1.0f}));
    EXPECT_EQ(w.a->GetMass(), 2.0f);
}

TEST(CreateJoint, RefusesWhatTheLibraryAssertsOnOrCrashesWith)
{
    PhysicsWorld w;
    const auto expectRefused = [&w](const b2JointDef& def) {
        std::string error;
        EXPECT_EQ(Physics::CreateJoint(&w.world, def, &error), nullptr);
        EXPECT_FALSE(error.empty());
    };
    b2World other(b2Vec2(0, 0));
    b2Body* foreign = other.CreateBody(&static_cast<const b2BodyDef&>(b2BodyDef()));
    b2RevoluteJointDef hinge;
    hinge.Initialize(w.a, w.a, b2Vec2(0, 5));
    expectRefused(hinge);
    hinge.bodyB = nullptr;
    expectRefused(hinge);
    hinge.bodyB = foreign;
    expectRefused(hinge);
    b2JointDef rope;
    rope.type = e_ropeJoint;
    rope.bodyA = w.a;
    rope.bodyB = w.b;
    expectRefused(rope);
    b2PrismaticJointDef prismatic;
    prismatic.Initialize(w.a, w.b, b2Vec2(1, 5), b2Vec2(1, 0));
    prismatic.lowerTranslation = 1.0f;
    prismatic.upperTranslation = -1.0f;
    expectRefused(prismatic);
    b2PulleyJointDef pulley;
    pulley.bodyA = w.a;
    pulley.bodyB = w.b;
    pulley.ratio = 0.0f;
    expectRefused(pulley);

    b2WeldJointDef weld;
    weld.Initialize(w.ground, w.a, b2Vec2(0, 5));
    hinge.Initialize(w.ground, w.b, b2Vec2(3, 5));
    b2Joint* welded = Physics::CreateJoint(&w.world, weld);
    b2GearJointDef gear = Physics::CouplingGear(welded, Physics::CreateJoint(&w.world, hinge));
    expectRefused(gear);
    gear.joint1 = nullptr;
    expectRefused(gear);
    b2RevoluteJointDef otherHinge;
    otherHinge.Initialize(foreign, other.CreateBody(&static_cast<const b2BodyDef&>(b2BodyDef())), b2Vec2(0, 0));
    gear.joint1 = other.CreateJoint(&otherHinge);
    expectRefused(gear);
    // The gear moves the second bodies of the joints it couples: two different dynamic ones.
    gear.joint1 = gear.joint2;
    expectRefused(gear);
    b2RevoluteJointDef toGround;
    toGround.Initialize(w.a, w.ground, b2Vec2(0, 5));
    gear.joint1 = Physics::CreateJoint(&w.world, toGround);
    expectRefused(gear);

    w.AddBox(b2Vec2(-5, 2));  // falls, so that a contact begins inside a step
    EXPECT_TRUE(w.WhileLocked([&] { EXPECT_EQ(Physics::CreateJoint(&w.world, hinge), nullptr); }));
    EXPECT_EQ(w.world.GetJointCount(), 3);
}
