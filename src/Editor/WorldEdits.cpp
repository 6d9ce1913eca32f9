#include "Editor/WorldEdits.h"

#include "Framework/Test.h"
#include "Physics/BodyState.h"
#include "Physics/Create.h"
#include "Physics/Guards.h"
#include "Physics/JointSetters.h"
#include "Physics/Reasons.h"
#include "Physics/Springs.h"

#include <cfloat>

namespace
{

// The axis from anchor A to anchor B in body A's frame: unit length unless it is too short to
// normalise.
b2Vec2 AxisBetween(b2Joint* joint, const b2Vec2& anchorA, const b2Vec2& anchorB)
{
    b2Vec2 u = anchorB - anchorA;
    if (u.Length() >= FLT_EPSILON)
    {
        u.Normalize();
    }
    return b2MulT(joint->GetBodyA()->GetTransform().q, u);
}

template <class Object>
void SetNameIn(std::map<Object*, std::string>& names, Object* object, const std::string& name)
{
    if (name.empty())
    {
        names.erase(object);
    }
    else
    {
        names[object] = name;
    }
}

}  // namespace

bool WorldEdits::changed()
{
    ++m_revision;
    return true;
}

bool WorldEdits::refuse(const std::string& reason, std::string* error)
{
    return Physics::Refused(reason, error);
}

bool WorldEdits::refuseIfLocked(const b2World* world, std::string* error)
{
    return refuse(world->IsLocked() ? "the world is locked" : std::string(), error);
}

// Bodies.

b2Body* WorldEdits::createBody(const b2BodyDef& def, std::string* error)
{
    b2Body* body = m_host != nullptr ? Physics::CreateBody(m_host->GetWorld(), def, error) : nullptr;
    if (body != nullptr)
    {
        changed();
    }
    return body;
}

std::string WorldEdits::checkPlacement(const b2Vec2& position, float angle)
{
    return Physics::FirstReason({
        Physics::Unless(Physics::IsSaneCoordinate(position), "a body would move too far out"),
        Physics::Unless(Physics::IsFinite(angle), "a body's angle would not be finite"),
    });
}

bool WorldEdits::placeBody(b2Body* body, const b2Vec2& position, float angle, std::string* error)
{
    if (refuseIfLocked(body->GetWorld(), error) || refuse(checkPlacement(position, angle), error))
    {
        return false;
    }
    body->SetTransform(position, angle);
    return changed();
}

bool WorldEdits::setBodyType(b2Body* body, b2BodyType type, std::string* error)
{
    return Physics::SetBodyType(body, type, error) && changed();
}

bool WorldEdits::setFixedRotation(b2Body* body, bool fixedRotation, std::string* error)
{
    return Physics::SetFixedRotation(body, fixedRotation, error) && changed();
}

bool WorldEdits::setBullet(b2Body* body, bool bullet)
{
    body->SetBullet(bullet);
    return changed();
}

bool WorldEdits::setGravityScale(b2Body* body, float scale, std::string* error)
{
    if (refuse(Physics::Unless(Physics::IsFinite(scale), "gravity scale is not finite"), error))
    {
        return false;
    }
    body->SetGravityScale(scale);
    return changed();
}

bool WorldEdits::setBodyMass(b2Body* body, float mass, std::string* error)
{
    if (refuseIfLocked(body->GetWorld(), error) ||
        refuse(Physics::Unless(Physics::IsNonNegative(mass), "mass is negative or not finite"), error))
    {
        return false;
    }
    const float current = body->GetMass();
    if (current == 0.0f)
    {
        return true;
    }
    // Masses and inertias scale with the densities, so the library accepts the new mass data
    // whenever it accepted the old, unless the factor leaves a density out of range.
    const float factor = mass / current;
    for (b2Fixture* f = body->GetFixtureList(); f != nullptr; f = f->GetNext())
    {
        if (!Physics::IsNonNegative(f->GetDensity() * factor))
        {
            return refuse("the densities would not be finite", error);
        }
    }
    for (b2Fixture* f = body->GetFixtureList(); f != nullptr; f = f->GetNext())
    {
        f->SetDensity(f->GetDensity() * factor);
    }
    Physics::ResetMassData(body);
    return changed();
}

bool WorldEdits::refreshBody(b2Body* body, std::string* error)
{
    return Physics::ResetMassData(body, error) && Physics::RefreshProxies(body) && changed();
}

bool WorldEdits::destroyBody(b2Body* body, std::string* error)
{
    if (m_host == nullptr || !m_host->DestroyBody(body))
    {
        return refuse("the body cannot be destroyed now", error);
    }
    return changed();
}

// Fixtures.

b2Fixture* WorldEdits::createFixture(b2Body* body, const b2FixtureDef& def, std::string* error)
{
    b2Fixture* fixture = Physics::CreateFixture(body, def, error);
    if (fixture != nullptr)
    {
        changed();
    }
    return fixture;
}

bool WorldEdits::reshapeFixture(b2Fixture* fixture, const Physics::ShapeGeometry& geometry, std::string* error)
{
    return Physics::SetGeometry(fixture, geometry, error) && changed();
}

bool WorldEdits::setDensity(b2Fixture* fixture, float density, std::string* error)
{
    if (refuse(Physics::Unless(Physics::IsNonNegative(density), "density is negative or not finite"), error))
    {
        return false;
    }
    fixture->SetDensity(density);
    return changed();
}

bool WorldEdits::setFriction(b2Fixture* fixture, float friction, std::string* error)
{
    if (refuse(Physics::Unless(Physics::IsNonNegative(friction), "friction is negative or not finite"), error))
    {
        return false;
    }
    fixture->SetFriction(friction);
    return changed();
}

bool WorldEdits::setRestitution(b2Fixture* fixture, float restitution, std::string* error)
{
    if (refuse(Physics::Unless(Physics::IsNonNegative(restitution), "restitution is negative or not finite"), error))
    {
        return false;
    }
    fixture->SetRestitution(restitution);
    return changed();
}

bool WorldEdits::setSensor(b2Fixture* fixture, bool sensor)
{
    fixture->SetSensor(sensor);
    return changed();
}

bool WorldEdits::setFilter(b2Fixture* fixture, const b2Filter& filter)
{
    fixture->SetFilterData(filter);
    return changed();
}

bool WorldEdits::destroyFixture(b2Fixture* fixture, std::string* error)
{
    if (m_host == nullptr || !m_host->DestroyFixture(fixture))
    {
        return refuse("the fixture cannot be removed: its body's mass would be invalid", error);
    }
    return changed();
}

// Joints.

b2Joint* WorldEdits::createJoint(const b2JointDef& def, std::string* error)
{
    b2Joint* joint = m_host != nullptr ? Physics::CreateJoint(m_host->GetWorld(), def, error) : nullptr;
    if (joint != nullptr)
    {
        changed();
    }
    return joint;
}

b2Joint* WorldEdits::createRope(const Physics::RopeJointDef& def, std::string* error)
{
    b2Joint* joint = m_host != nullptr ? Physics::CreateRopeJoint(m_host->GetWorld(), def, error) : nullptr;
    if (joint != nullptr)
    {
        changed();
    }
    return joint;
}

std::string WorldEdits::checkJointAnchors(b2Joint* joint, const b2Vec2& anchorA, const b2Vec2& anchorB)
{
    if (!Physics::IsSaneCoordinate(anchorA) || !Physics::IsSaneCoordinate(anchorB))
    {
        return "a joint anchor would move too far out";
    }
    switch (Physics::GetJointType(joint))
    {
    case e_distanceJoint:
    case e_ropeJoint:
        return Physics::Unless(b2Distance(anchorA, anchorB) > b2_linearSlop, "the joint's anchors would coincide");
    case e_prismaticJoint:
    case e_wheelJoint:
        return Physics::Unless((anchorB - anchorA).Length() >= FLT_EPSILON, "the joint's axis would have no length");
    default:
        return {};
    }
}

bool WorldEdits::moveJointAnchors(b2Joint* joint, const b2Vec2& anchorA, const b2Vec2& anchorB, std::string* error)
{
    if (refuse(checkJointAnchors(joint, anchorA, anchorB), error))
    {
        return false;
    }
    Physics::SetAnchorA(joint, anchorA);
    Physics::SetAnchorB(joint, anchorB);
    switch (Physics::GetJointType(joint))
    {
    case e_distanceJoint:
        Physics::SetDistanceLength(joint, b2Distance(anchorA, anchorB));
        break;
    case e_ropeJoint:
        Physics::SetRopeMaxLength(joint, b2Distance(anchorA, anchorB));
        break;
    case e_prismaticJoint:
        Physics::SetAxis(joint, AxisBetween(joint, anchorA, anchorB));
        Physics::SetReferenceAngle(joint, joint->GetBodyB()->GetAngle() - joint->GetBodyA()->GetAngle());
        break;
    case e_wheelJoint:
        Physics::SetAxis(joint, AxisBetween(joint, anchorA, anchorB));
        break;
    default:
        break;
    }
    return changed();
}

bool WorldEdits::setJointLimits(b2Joint* joint, float lower, float upper, std::string* error)
{
    if (!Physics::SetLimits(joint, lower, upper))
    {
        return refuse("the limits are not finite or in the wrong order", error);
    }
    return changed();
}

bool WorldEdits::enableJointLimit(b2Joint* joint, bool enabled)
{
    switch (joint->GetType())
    {
    case e_revoluteJoint:
        static_cast<b2RevoluteJoint*>(joint)->EnableLimit(enabled);
        return changed();
    case e_prismaticJoint:
        static_cast<b2PrismaticJoint*>(joint)->EnableLimit(enabled);
        return changed();
    case e_wheelJoint:
        static_cast<b2WheelJoint*>(joint)->EnableLimit(enabled);
        return changed();
    default:
        return false;
    }
}

bool WorldEdits::enableJointMotor(b2Joint* joint, bool enabled)
{
    switch (joint->GetType())
    {
    case e_revoluteJoint:
        static_cast<b2RevoluteJoint*>(joint)->EnableMotor(enabled);
        return changed();
    case e_prismaticJoint:
        static_cast<b2PrismaticJoint*>(joint)->EnableMotor(enabled);
        return changed();
    case e_wheelJoint:
        static_cast<b2WheelJoint*>(joint)->EnableMotor(enabled);
        return changed();
    default:
        return false;
    }
}

bool WorldEdits::setMotorSpeed(b2Joint* joint, float speed, std::string* error)
{
    if (refuse(Physics::Unless(Physics::IsFinite(speed), "motor speed is not finite"), error))
    {
        return false;
    }
    switch (joint->GetType())
    {
    case e_revoluteJoint:
        static_cast<b2RevoluteJoint*>(joint)->SetMotorSpeed(speed);
        return changed();
    case e_prismaticJoint:
        static_cast<b2PrismaticJoint*>(joint)->SetMotorSpeed(speed);
        return changed();
    case e_wheelJoint:
        static_cast<b2WheelJoint*>(joint)->SetMotorSpeed(speed);
        return changed();
    default:
        return false;
    }
}

bool WorldEdits::setMaxMotorPower(b2Joint* joint, float power, std::string* error)
{
    if (refuse(Physics::Unless(Physics::IsNonNegative(power), "motor torque or force is negative or not finite"),
               error))
    {
        return false;
    }
    switch (joint->GetType())
    {
    case e_revoluteJoint:
        static_cast<b2RevoluteJoint*>(joint)->SetMaxMotorTorque(power);
        return changed();
    case e_prismaticJoint:
        static_cast<b2PrismaticJoint*>(joint)->SetMaxMotorForce(power);
        return changed();
    case e_wheelJoint:
        static_cast<b2WheelJoint*>(joint)->SetMaxMotorTorque(power);
        return changed();
    default:
        return false;
    }
}

bool WorldEdits::setCollideConnected(b2Joint* joint, bool collide)
{
    Physics::SetCollideConnected(joint, collide);
    return changed();
}

bool WorldEdits::setDistanceLength(b2Joint* joint, float length, std::string* error)
{
    if (refuse(Physics::Unless(Physics::IsNonNegative(length) && length <= Physics::kMaxCoordinate,
                               "length is negative, not finite or too large"),
               error))
    {
        return false;
    }
    return Physics::SetDistanceLength(joint, length) && changed();
}

bool WorldEdits::setRopeLength(b2Joint* joint, float length, std::string* error)
{
    if (!Physics::SetRopeMaxLength(joint, length))
    {
        return refuse("length is negative, not finite or too large", error);
    }
    return changed();
}

bool WorldEdits::setSpring(b2Joint* joint, float frequencyHz, float dampingRatio, std::string* error)
{
    if (!Physics::SetSpring(joint, frequencyHz, dampingRatio))
    {
        return refuse("frequency or damping ratio is negative or not finite", error);
    }
    return changed();
}

bool WorldEdits::destroyJoint(b2Joint* joint, std::string* error)
{
    if (m_host == nullptr || !m_host->DestroyJoint(joint))
    {
        return refuse("the joint cannot be destroyed now", error);
    }
    return changed();
}

// Names.

void WorldEdits::setName(b2Body* body, const std::string& name)
{
    if (m_host != nullptr)
    {
        SetNameIn(m_host->names.bodyNames, body, name);
        changed();
    }
}

void WorldEdits::setName(b2Fixture* fixture, const std::string& name)
{
    if (m_host != nullptr)
    {
        SetNameIn(m_host->names.fixtureNames, fixture, name);
        changed();
    }
}

void WorldEdits::setName(b2Joint* joint, const std::string& name)
{
    if (m_host != nullptr)
    {
        SetNameIn(m_host->names.jointNames, joint, name);
        changed();
    }
}
