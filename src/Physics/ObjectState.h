// Exact copies of what the library holds for one body, fixture or joint, taken so that a change
// can be taken back bit for bit: restored in place (the object and every pointer to it stay) or,
// for an object that was destroyed, built again (a new object with the same values).
#pragma once

#include <box2d/box2d.h>

#include <cstdint>
#include <variant>
#include <vector>

namespace Physics
{

// A body without its fixtures and joints.
struct BodyState
{
    b2BodyType type = b2_staticBody;
    b2Vec2 position = b2Vec2_zero;
    float angle = 0.0f;
    b2Vec2 linearVelocity = b2Vec2_zero;
    float angularVelocity = 0.0f;
    float linearDamping = 0.0f;
    float angularDamping = 0.0f;
    float gravityScale = 1.0f;
    bool awake = true;
    bool sleepingAllowed = true;
    bool fixedRotation = false;
    bool bullet = false;
    bool enabled = true;
    b2MassData massData{};
};

BodyState CaptureBody(const b2Body* body);
// A new body with these values and no fixtures; RestoreBody once its fixtures exist brings back
// its mass data and velocities.
b2Body* CreateBody(b2World* world, const BodyState& state);
void RestoreBody(b2Body* body, const BodyState& state);

struct FixtureState
{
    b2Shape::Type type = b2Shape::e_circle;
    b2CircleShape circle;
    b2EdgeShape edge;
    b2PolygonShape polygon;
    std::vector<b2Vec2> chainVertices;  // as stored, a loop's repeated vertex included
    b2Vec2 chainPrevVertex = b2Vec2_zero;
    b2Vec2 chainNextVertex = b2Vec2_zero;
    float density = 0.0f;
    float friction = 0.0f;
    float restitution = 0.0f;
    float restitutionThreshold = 0.0f;
    bool sensor = false;
    b2Filter filter;
    uintptr_t userData = 0;
};

FixtureState CaptureFixture(const b2Fixture* fixture);
// Shape and properties written back into the fixture, which keeps its place and identity. The
// body's mass is left to RestoreBody.
void RestoreFixture(b2Fixture* fixture, const FixtureState& state);
b2Fixture* CreateFixture(b2Body* body, const FixtureState& state);

// A joint's definition with every stored value, and what the layer keeps in its user data. The
// bodies (and a gear's two joints) are given again when the joint is built.
struct JointState
{
    std::variant<b2RevoluteJointDef, b2PrismaticJointDef, b2DistanceJointDef, b2PulleyJointDef, b2MouseJointDef,
                 b2GearJointDef, b2WheelJointDef, b2WeldJointDef, b2FrictionJointDef, b2MotorJointDef>
        def;
    uintptr_t userData = 0;
};

JointState CaptureJoint(const b2Joint* joint);
// Values written back into the joint (same type), which keeps its identity. Bodies and gear
// joints are not changed. Wakes nothing: the caller restores the bodies afterwards.
void RestoreJoint(b2Joint* joint, const JointState& state);
// Null when the library would refuse the definition with these bodies (and gear joints).
b2Joint* CreateJoint(b2World* world, const JointState& state, b2Body* bodyA, b2Body* bodyB,
                     b2Joint* gearJoint1 = nullptr, b2Joint* gearJoint2 = nullptr);

}  // namespace Physics
