#include "Editor/WorldEdits.h"

#include "Framework/Test.h"
#include "Physics/BodyState.h"
#include "Physics/GearDependencies.h"
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

}  // namespace

bool WorldEdits::changed()
{
    ++m_revision;
    if (m_host != nullptr)
    {
        m_host->unsavedEdits = true;
    }
    return true;
}

void WorldEdits::willJoin(b2Body* bodyA, b2Body* bodyB)
{
    // A new joint may change how its bodies move and collide.
    if (bodyA != nullptr)
    {
        m_history.willChange(bodyA);
    }
    if (bodyB != nullptr)
    {
        m_history.willChange(bodyB);
    }
}

void WorldEdits::setHost(Test* host)
{
    m_host = host;
    m_history.setHost(host);
}

void WorldEdits::beginStep(const std::string& label)
{
    m_history.beginStep(label);
}

void WorldEdits::endStep()
{
    m_history.endStep();
    if (!m_history.stepOpen() && m_host != nullptr)
    {
        Physics::SettleBroadPhase(m_host->GetWorld());
    }
}

std::string WorldEdits::undo()
{
    return replayed(m_history.undo());
}

std::string WorldEdits::redo()
{
    return replayed(m_history.redo());
}

std::string WorldEdits::replayed(std::string label)
{
    if (!label.empty())
    {
        changed();
        Physics::SettleBroadPhase(m_host->GetWorld());
    }
    return label;
}

void WorldEdits::adopt(b2Body* body)
{
    ImplicitStep step(*this, "create body");
    m_history.created(body);
    changed();
}

void WorldEdits::adopt(b2Fixture* fixture)
{
    ImplicitStep step(*this, "create fixture");
    m_history.created(fixture);
    changed();
}

void WorldEdits::adopt(b2Joint* joint)
{
    ImplicitStep step(*this, "create joint");
    m_history.created(joint);
    changed();
}

bool WorldEdits::refuse(const std::string& reason, std::string* error)
{
    return Physics::Refused(reason, error);
}

bool WorldEdits::refuseIfLocked(const b2World* world, std::string* error)
{
    return refuse(Physics::CheckUnlocked(*world), error);
}

// Bodies.

b2Body* WorldEdits::createBody(const b2BodyDef& def, std::string* error)
{
    b2Body* body = m_host != nullptr ? Physics::CreateBody(m_host->GetWorld(), def, error) : nullptr;
    if (body != nullptr)
    {
        adopt(body);
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
    ImplicitStep step(*this, "move body");
    m_history.willChange(body);
    body->SetTransform(position, angle);
    return changed();
}

bool WorldEdits::setBodyType(b2Body* body, b2BodyType type, std::string* error)
{
    ImplicitStep step(*this, "apply body settings");
    m_history.willChange(body);
    return Physics::SetBodyType(body, type, error) && changed();
}

bool WorldEdits::setFixedRotation(b2Body* body, bool fixedRotation, std::string* error)
{
    ImplicitStep step(*this, "apply body settings");
    m_history.willChange(body);
    return Physics::SetFixedRotation(body, fixedRotation, error) && changed();
}

bool WorldEdits::setBullet(b2Body* body, bool bullet)
{
    ImplicitStep step(*this, "apply body settings");
    m_history.willChange(body);
    body->SetBullet(bullet);
    return changed();
}

bool WorldEdits::setGravityScale(b2Body* body, float scale, std::string* error)
{
    if (refuse(Physics::Unless(Physics::IsFinite(scale), "gravity scale is not finite"), error))
    {
        return false;
    }
    ImplicitStep step(*this, "apply body settings");
    m_history.willChange(body);
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
    // whenever it accepted the old, unless the factor leaves a density or the sum out of range.
    const float factor = mass / current;
    for (b2Fixture* f = body->GetFixtureList(); f != nullptr; f = f->GetNext())
    {
        if (!Physics::IsNonNegative(f->GetDensity() * factor))
        {
            return refuse("the densities would not be finite", error);
        }
    }
    Physics::MassChange change(*body);
    change.densityScale = factor;
    if (refuse(Physics::CheckMassReset(*body, change), error))
    {
        return false;
    }
    ImplicitStep step(*this, "apply body settings");
    for (b2Fixture* f = body->GetFixtureList(); f != nullptr; f = f->GetNext())
    {
        m_history.willChange(f);
        f->SetDensity(f->GetDensity() * factor);
    }
    Physics::ResetMassData(body);
    return changed();
}

bool WorldEdits::refreshBody(b2Body* body, std::string* error)
{
    ImplicitStep step(*this, "apply joint settings");
    m_history.willChange(body);
    return Physics::ResetMassData(body, error) && Physics::RefreshProxies(body) && changed();
}

bool WorldEdits::destroyBody(b2Body* body, std::string* error)
{
    if (m_host == nullptr || body == nullptr || refuseIfLocked(body->GetWorld(), error))
    {
        return refuse("the body cannot be destroyed now", error);
    }
    ImplicitStep step(*this, "delete body");
    // Gears coupling the body's joints go first, then its joints, then the body with its
    // fixtures: recorded in that order, so that undo builds them again the other way round.
    for (b2Joint* gear : Physics::GearsDependingOn(m_host->GetWorld(), body))
    {
        destroyJoint(gear);
    }
    for (b2JointEdge* edge = body->GetJointList(); edge != nullptr; edge = edge->next)
    {
        m_history.willDestroy(edge->joint);
    }
    m_history.willDestroy(body);
    m_host->DestroyBody(body);
    return changed();
}

// Fixtures.

b2Fixture* WorldEdits::createFixture(b2Body* body, const b2FixtureDef& def, std::string* error)
{
    ImplicitStep step(*this, "create fixture");
    m_history.willChange(body);
    b2Fixture* fixture = Physics::CreateFixture(body, def, error);
    if (fixture != nullptr)
    {
        m_history.created(fixture);
        changed();
    }
    return fixture;
}

bool WorldEdits::reshapeFixture(b2Fixture* fixture, const Physics::ShapeGeometry& geometry, std::string* error)
{
    if (refuse(Physics::CheckGeometryFor(fixture, geometry), error))
    {
        return false;
    }
    ImplicitStep step(*this, "reshape fixture");
    m_history.willChange(fixture);
    return Physics::SetGeometry(fixture, geometry, error) && changed();
}

bool WorldEdits::reshapeFixtures(const std::vector<Physics::GeometryChange>& changes, std::string* error)
{
    if (refuse(Physics::CheckGeometries(changes), error))
    {
        return false;
    }
    ImplicitStep step(*this, "reshape fixtures");
    for (const Physics::GeometryChange& change : changes)
    {
        m_history.willChange(change.fixture);
    }
    return Physics::SetGeometries(changes, error) && changed();
}

bool WorldEdits::setDensity(b2Fixture* fixture, float density, std::string* error)
{
    if (refuse(Physics::Unless(Physics::IsNonNegative(density), "density is negative or not finite"), error))
    {
        return false;
    }
    ImplicitStep step(*this, "apply fixture settings");
    m_history.willChange(fixture);
    fixture->SetDensity(density);
    return changed();
}

bool WorldEdits::setFriction(b2Fixture* fixture, float friction, std::string* error)
{
    if (refuse(Physics::Unless(Physics::IsNonNegative(friction), "friction is negative or not finite"), error))
    {
        return false;
    }
    ImplicitStep step(*this, "apply fixture settings");
    m_history.willChange(fixture);
    fixture->SetFriction(friction);
    return changed();
}

bool WorldEdits::setRestitution(b2Fixture* fixture, float restitution, std::string* error)
{
    if (refuse(Physics::Unless(Physics::IsNonNegative(restitution), "restitution is negative or not finite"), error))
    {
        return false;
    }
    ImplicitStep step(*this, "apply fixture settings");
    m_history.willChange(fixture);
    fixture->SetRestitution(restitution);
    return changed();
}

bool WorldEdits::setSensor(b2Fixture* fixture, bool sensor)
{
    ImplicitStep step(*this, "apply fixture settings");
    m_history.willChange(fixture);
    fixture->SetSensor(sensor);
    return changed();
}

bool WorldEdits::setFilter(b2Fixture* fixture, const b2Filter& filter)
{
    ImplicitStep step(*this, "apply fixture settings");
    m_history.willChange(fixture);
    fixture->SetFilterData(filter);
    return changed();
}

bool WorldEdits::destroyFixture(b2Fixture* fixture, std::string* error)
{
    if (m_host == nullptr || fixture == nullptr || refuseIfLocked(fixture->GetBody()->GetWorld(), error))
    {
        return refuse("the fixture cannot be removed now", error);
    }
    Physics::MassChange change(*fixture->GetBody());
    change.removed = fixture;
    if (refuse(Physics::CheckMassReset(*fixture->GetBody(), change), error))
    {
        return false;
    }
    ImplicitStep step(*this, "delete fixture");
    m_history.willDestroy(fixture);
    m_host->DestroyFixture(fixture);
    return changed();
}

// Joints.

b2Joint* WorldEdits::createJoint(const b2JointDef& def, std::string* error)
{
    if (m_host == nullptr)
    {
        return nullptr;
    }
    ImplicitStep step(*this, "create joint");
    willJoin(def.bodyA, def.bodyB);
    b2Joint* joint = Physics::CreateJoint(m_host->GetWorld(), def, error);
    if (joint != nullptr)
    {
        adopt(joint);
    }
    return joint;
}

b2Joint* WorldEdits::createRope(const Physics::RopeJointDef& def, std::string* error)
{
    if (m_host == nullptr)
    {
        return nullptr;
    }
    ImplicitStep step(*this, "create joint");
    willJoin(def.bodyA, def.bodyB);
    b2Joint* joint = Physics::CreateRopeJoint(m_host->GetWorld(), def, error);
    if (joint != nullptr)
    {
        adopt(joint);
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
    ImplicitStep step(*this, "move joint anchor");
    m_history.willChange(joint);
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
    ImplicitStep step(*this, "set joint limit");
    m_history.willChange(joint);
    if (!Physics::SetLimits(joint, lower, upper))
    {
        return refuse("the limits are not finite or in the wrong order", error);
    }
    return changed();
}

bool WorldEdits::enableJointLimit(b2Joint* joint, bool enabled)
{
    ImplicitStep step(*this, "apply joint settings");
    m_history.willChange(joint);
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
    ImplicitStep step(*this, "apply joint settings");
    m_history.willChange(joint);
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
    ImplicitStep step(*this, "apply joint settings");
    m_history.willChange(joint);
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
    ImplicitStep step(*this, "apply joint settings");
    m_history.willChange(joint);
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
    ImplicitStep step(*this, "apply joint settings");
    m_history.willChange(joint);
    Physics::SetCollideConnected(joint, collide);
    return changed();
}

bool WorldEdits::setDistanceLength(b2Joint* joint, float length, std::string* error)
{
    if (refuse(Physics::Unless(Physics::IsNonNegative(length) && length <= Physics::k_maxCoordinate,
                               "length is negative, not finite or too large"),
               error))
    {
        return false;
    }
    ImplicitStep step(*this, "apply joint settings");
    m_history.willChange(joint);
    return Physics::SetDistanceLength(joint, length) && changed();
}

bool WorldEdits::setRopeLength(b2Joint* joint, float length, std::string* error)
{
    ImplicitStep step(*this, "apply joint settings");
    m_history.willChange(joint);
    if (!Physics::SetRopeMaxLength(joint, length))
    {
        return refuse("length is negative, not finite or too large", error);
    }
    return changed();
}

bool WorldEdits::setSpring(b2Joint* joint, float frequencyHz, float dampingRatio, std::string* error)
{
    ImplicitStep step(*this, "apply joint settings");
    m_history.willChange(joint);
    if (!Physics::SetSpring(joint, frequencyHz, dampingRatio))
    {
        return refuse("frequency or damping ratio is negative or not finite", error);
    }
    return changed();
}

bool WorldEdits::destroyJoint(b2Joint* joint, std::string* error)
{
    if (m_host == nullptr || joint == nullptr || refuseIfLocked(m_host->GetWorld(), error))
    {
        return refuse("the joint cannot be destroyed now", error);
    }
    ImplicitStep step(*this, "delete joint");
    for (b2Joint* gear : Physics::GearsDependingOn(m_host->GetWorld(), joint))
    {
        destroyJoint(gear);
    }
    m_history.willDestroy(joint);
    m_host->DestroyJoint(joint);
    return changed();
}

// Names.

void WorldEdits::setName(b2Body* body, const std::string& name)
{
    if (m_host != nullptr)
    {
        ImplicitStep step(*this, "set name");
        m_history.willChange(body);
        m_host->names.set(body, name);
        changed();
    }
}

void WorldEdits::setName(b2Fixture* fixture, const std::string& name)
{
    if (m_host != nullptr)
    {
        ImplicitStep step(*this, "set name");
        m_history.willChange(fixture);
        m_host->names.set(fixture, name);
        changed();
    }
}

void WorldEdits::setName(b2Joint* joint, const std::string& name)
{
    if (m_host != nullptr)
    {
        ImplicitStep step(*this, "set name");
        m_history.willChange(joint);
        m_host->names.set(joint, name);
        changed();
    }
}
