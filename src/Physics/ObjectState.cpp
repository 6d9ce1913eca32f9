#include "Physics/ObjectState.h"

#include "Physics/BodyState.h"
#include "Physics/Create.h"
#include "Physics/Ghosts.h"
#include "Physics/Guards.h"
#include "Physics/JointSetters.h"
#include "Physics/MemberAccess.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace Physics
{

namespace
{

// Writers of a joint's stored definition values, which the library keeps protected. Each forms
// pointers to the members through a class derived from the joint type and applies them to the
// genuine joint object.
struct RevoluteWriter : b2RevoluteJoint
{
    static void Write(b2RevoluteJoint& j, const b2RevoluteJointDef& d)
    {
        j.*(&RevoluteWriter::m_localAnchorA) = d.localAnchorA;
        j.*(&RevoluteWriter::m_localAnchorB) = d.localAnchorB;
        j.*(&RevoluteWriter::m_referenceAngle) = d.referenceAngle;
        j.*(&RevoluteWriter::m_enableLimit) = d.enableLimit;
        j.*(&RevoluteWriter::m_lowerAngle) = d.lowerAngle;
        j.*(&RevoluteWriter::m_upperAngle) = d.upperAngle;
        j.*(&RevoluteWriter::m_enableMotor) = d.enableMotor;
        j.*(&RevoluteWriter::m_motorSpeed) = d.motorSpeed;
        j.*(&RevoluteWriter::m_maxMotorTorque) = d.maxMotorTorque;
    }
};

struct PrismaticWriter : b2PrismaticJoint
{
    static void Write(b2PrismaticJoint& j, const b2PrismaticJointDef& d)
    {
        j.*(&PrismaticWriter::m_localAnchorA) = d.localAnchorA;
        j.*(&PrismaticWriter::m_localAnchorB) = d.localAnchorB;
        j.*(&PrismaticWriter::m_localXAxisA) = d.localAxisA;
        j.*(&PrismaticWriter::m_localYAxisA) = b2Cross(1.0f, d.localAxisA);
        j.*(&PrismaticWriter::m_referenceAngle) = d.referenceAngle;
        j.*(&PrismaticWriter::m_enableLimit) = d.enableLimit;
        j.*(&PrismaticWriter::m_lowerTranslation) = d.lowerTranslation;
        j.*(&PrismaticWriter::m_upperTranslation) = d.upperTranslation;
        j.*(&PrismaticWriter::m_enableMotor) = d.enableMotor;
        j.*(&PrismaticWriter::m_maxMotorForce) = d.maxMotorForce;
        j.*(&PrismaticWriter::m_motorSpeed) = d.motorSpeed;
    }
};

struct DistanceWriter : b2DistanceJoint
{
    static void Write(b2DistanceJoint& j, const b2DistanceJointDef& d)
    {
        j.*(&DistanceWriter::m_localAnchorA) = d.localAnchorA;
        j.*(&DistanceWriter::m_localAnchorB) = d.localAnchorB;
        j.*(&DistanceWriter::m_length) = d.length;
        j.*(&DistanceWriter::m_minLength) = d.minLength;
        j.*(&DistanceWriter::m_maxLength) = d.maxLength;
        j.*(&DistanceWriter::m_stiffness) = d.stiffness;
        j.*(&DistanceWriter::m_damping) = d.damping;
    }
};

struct PulleyFields : b2PulleyJoint
{
    static b2Vec2 LocalAnchorA(const b2PulleyJoint& j) { return j.*(&PulleyFields::m_localAnchorA); }
    static b2Vec2 LocalAnchorB(const b2PulleyJoint& j) { return j.*(&PulleyFields::m_localAnchorB); }
    static void Write(b2PulleyJoint& j, const b2PulleyJointDef& d)
    {
        j.*(&PulleyFields::m_groundAnchorA) = d.groundAnchorA;
        j.*(&PulleyFields::m_groundAnchorB) = d.groundAnchorB;
        j.*(&PulleyFields::m_localAnchorA) = d.localAnchorA;
        j.*(&PulleyFields::m_localAnchorB) = d.localAnchorB;
        j.*(&PulleyFields::m_lengthA) = d.lengthA;
        j.*(&PulleyFields::m_lengthB) = d.lengthB;
        j.*(&PulleyFields::m_ratio) = d.ratio;
        j.*(&PulleyFields::m_constant) = d.lengthA + d.ratio * d.lengthB;
    }
};

struct WheelWriter : b2WheelJoint
{
    static void Write(b2WheelJoint& j, const b2WheelJointDef& d)
    {
        j.*(&WheelWriter::m_localAnchorA) = d.localAnchorA;
        j.*(&WheelWriter::m_localAnchorB) = d.localAnchorB;
        j.*(&WheelWriter::m_localXAxisA) = d.localAxisA;
        j.*(&WheelWriter::m_localYAxisA) = b2Cross(1.0f, d.localAxisA);
        j.*(&WheelWriter::m_enableLimit) = d.enableLimit;
        j.*(&WheelWriter::m_lowerTranslation) = d.lowerTranslation;
        j.*(&WheelWriter::m_upperTranslation) = d.upperTranslation;
        j.*(&WheelWriter::m_enableMotor) = d.enableMotor;
        j.*(&WheelWriter::m_maxMotorTorque) = d.maxMotorTorque;
        j.*(&WheelWriter::m_motorSpeed) = d.motorSpeed;
        j.*(&WheelWriter::m_stiffness) = d.stiffness;
        j.*(&WheelWriter::m_damping) = d.damping;
    }
};

struct WeldWriter : b2WeldJoint
{
    static void Write(b2WeldJoint& j, const b2WeldJointDef& d)
    {
        j.*(&WeldWriter::m_localAnchorA) = d.localAnchorA;
        j.*(&WeldWriter::m_localAnchorB) = d.localAnchorB;
        j.*(&WeldWriter::m_referenceAngle) = d.referenceAngle;
        j.*(&WeldWriter::m_stiffness) = d.stiffness;
        j.*(&WeldWriter::m_damping) = d.damping;
    }
};

struct FrictionWriter : b2FrictionJoint
{
    static void Write(b2FrictionJoint& j, const b2FrictionJointDef& d)
    {
        j.*(&FrictionWriter::m_localAnchorA) = d.localAnchorA;
        j.*(&FrictionWriter::m_localAnchorB) = d.localAnchorB;
        j.*(&FrictionWriter::m_maxForce) = d.maxForce;
        j.*(&FrictionWriter::m_maxTorque) = d.maxTorque;
    }
};

// Fills the definition fields every joint type shares.
template <class Def>
Def CommonDef(const b2Joint* joint)
{
    Def def;
    b2Joint* j = const_cast<b2Joint*>(joint);  // the library has no const access to the bodies
    def.bodyA = j->GetBodyA();
    def.bodyB = j->GetBodyB();
    def.collideConnected = joint->GetCollideConnected();
    return def;
}

// Equal bit for bit: values without padding only.
template <class Value>
bool SameBytes(const Value& a, const Value& b)
{
    static_assert(std::is_same_v<Value, float> || std::is_same_v<Value, b2Vec2>, "plain values only");
    return std::memcmp(&a, &b, sizeof(Value)) == 0;
}

bool SamePoints(const b2Vec2* a, const b2Vec2* b, int count)
{
    return std::equal(a, a + count, b, SameBytes<b2Vec2>);
}

bool SameShape(const b2CircleShape& a, const b2CircleShape& b)
{
    return SameBytes(a.m_radius, b.m_radius) && SameBytes(a.m_p, b.m_p);
}

bool SameShape(const b2EdgeShape& a, const b2EdgeShape& b)
{
    return SameBytes(a.m_radius, b.m_radius) && SameBytes(a.m_vertex0, b.m_vertex0) &&
           SameBytes(a.m_vertex1, b.m_vertex1) && SameBytes(a.m_vertex2, b.m_vertex2) &&
           SameBytes(a.m_vertex3, b.m_vertex3) && a.m_oneSided == b.m_oneSided;
}

bool SameShape(const b2PolygonShape& a, const b2PolygonShape& b)
{
    return SameBytes(a.m_radius, b.m_radius) && a.m_count == b.m_count && SameBytes(a.m_centroid, b.m_centroid) &&
           SamePoints(a.m_vertices, b.m_vertices, a.m_count) && SamePoints(a.m_normals, b.m_normals, a.m_count);
}

bool SameMassData(const b2MassData& a, const b2MassData& b)
{
    return SameBytes(a.mass, b.mass) && SameBytes(a.I, b.I) && SameBytes(a.center, b.center);
}

b2RevoluteJointDef RevoluteDef(const b2Joint* joint)
{
    const auto* j = static_cast<const b2RevoluteJoint*>(joint);
    auto d = CommonDef<b2RevoluteJointDef>(joint);
    d.localAnchorA = j->GetLocalAnchorA();
    d.localAnchorB = j->GetLocalAnchorB();
    d.referenceAngle = j->GetReferenceAngle();
    d.enableLimit = j->IsLimitEnabled();
    d.lowerAngle = j->GetLowerLimit();
    d.upperAngle = j->GetUpperLimit();
    d.enableMotor = j->IsMotorEnabled();
    d.motorSpeed = j->GetMotorSpeed();
    d.maxMotorTorque = j->GetMaxMotorTorque();
    return d;
}

b2PrismaticJointDef PrismaticDef(const b2Joint* joint)
{
    const auto* j = static_cast<const b2PrismaticJoint*>(joint);
    auto d = CommonDef<b2PrismaticJointDef>(joint);
    d.localAnchorA = j->GetLocalAnchorA();
    d.localAnchorB = j->GetLocalAnchorB();
    d.localAxisA = j->GetLocalAxisA();
    d.referenceAngle = j->GetReferenceAngle();
    d.enableLimit = j->IsLimitEnabled();
    d.lowerTranslation = j->GetLowerLimit();
    d.upperTranslation = j->GetUpperLimit();
    d.enableMotor = j->IsMotorEnabled();
    d.maxMotorForce = j->GetMaxMotorForce();
    d.motorSpeed = j->GetMotorSpeed();
    return d;
}

b2DistanceJointDef DistanceDef(const b2Joint* joint)
{
    const auto* j = static_cast<const b2DistanceJoint*>(joint);
    auto d = CommonDef<b2DistanceJointDef>(joint);
    d.localAnchorA = j->GetLocalAnchorA();
    d.localAnchorB = j->GetLocalAnchorB();
    d.length = j->GetLength();
    d.minLength = j->GetMinLength();
    d.maxLength = j->GetMaxLength();
    d.stiffness = j->GetStiffness();
    d.damping = j->GetDamping();
    return d;
}

b2PulleyJointDef PulleyDef(const b2Joint* joint)
{
    const auto* j = static_cast<const b2PulleyJoint*>(joint);
    auto d = CommonDef<b2PulleyJointDef>(joint);
    d.groundAnchorA = j->GetGroundAnchorA();
    d.groundAnchorB = j->GetGroundAnchorB();
    d.localAnchorA = PulleyFields::LocalAnchorA(*j);
    d.localAnchorB = PulleyFields::LocalAnchorB(*j);
    d.lengthA = j->GetLengthA();
    d.lengthB = j->GetLengthB();
    d.ratio = j->GetRatio();
    return d;
}

b2MouseJointDef MouseDef(const b2Joint* joint)
{
    const auto* j = static_cast<const b2MouseJoint*>(joint);
    auto d = CommonDef<b2MouseJointDef>(joint);
    d.target = j->GetTarget();
    d.maxForce = j->GetMaxForce();
    d.stiffness = j->GetStiffness();
    d.damping = j->GetDamping();
    return d;
}

b2GearJointDef GearDef(const b2Joint* joint)
{
    const auto* j = static_cast<const b2GearJoint*>(joint);
    auto d = CommonDef<b2GearJointDef>(joint);
    d.joint1 = const_cast<b2GearJoint*>(j)->GetJoint1();
    d.joint2 = const_cast<b2GearJoint*>(j)->GetJoint2();
    d.ratio = j->GetRatio();
    return d;
}

b2WheelJointDef WheelDef(const b2Joint* joint)
{
    const auto* j = static_cast<const b2WheelJoint*>(joint);
    auto d = CommonDef<b2WheelJointDef>(joint);
    d.localAnchorA = j->GetLocalAnchorA();
    d.localAnchorB = j->GetLocalAnchorB();
    d.localAxisA = j->GetLocalAxisA();
    d.enableLimit = j->IsLimitEnabled();
    d.lowerTranslation = j->GetLowerLimit();
    d.upperTranslation = j->GetUpperLimit();
    d.enableMotor = j->IsMotorEnabled();
    d.maxMotorTorque = j->GetMaxMotorTorque();
    d.motorSpeed = j->GetMotorSpeed();
    d.stiffness = j->GetStiffness();
    d.damping = j->GetDamping();
    return d;
}

b2WeldJointDef WeldDef(const b2Joint* joint)
{
    const auto* j = static_cast<const b2WeldJoint*>(joint);
    auto d = CommonDef<b2WeldJointDef>(joint);
    d.localAnchorA = j->GetLocalAnchorA();
    d.localAnchorB = j->GetLocalAnchorB();
    d.referenceAngle = j->GetReferenceAngle();
    d.stiffness = j->GetStiffness();
    d.damping = j->GetDamping();
    return d;
}

b2FrictionJointDef FrictionDef(const b2Joint* joint)
{
    const auto* j = static_cast<const b2FrictionJoint*>(joint);
    auto d = CommonDef<b2FrictionJointDef>(joint);
    d.localAnchorA = j->GetLocalAnchorA();
    d.localAnchorB = j->GetLocalAnchorB();
    d.maxForce = j->GetMaxForce();
    d.maxTorque = j->GetMaxTorque();
    return d;
}

b2MotorJointDef MotorDef(const b2Joint* joint)
{
    const auto* j = static_cast<const b2MotorJoint*>(joint);
    auto d = CommonDef<b2MotorJointDef>(joint);
    d.linearOffset = j->GetLinearOffset();
    d.angularOffset = j->GetAngularOffset();
    d.maxForce = j->GetMaxForce();
    d.maxTorque = j->GetMaxTorque();
    d.correctionFactor = j->GetCorrectionFactor();
    return d;
}

// Writes the stored values of `def` into a joint of its type.
struct WriteDef
{
    b2Joint* joint;

    void operator()(const b2RevoluteJointDef& d) const { RevoluteWriter::Write(*static_cast<b2RevoluteJoint*>(joint), d); }
    void operator()(const b2PrismaticJointDef& d) const
    {
        PrismaticWriter::Write(*static_cast<b2PrismaticJoint*>(joint), d);
    }
    void operator()(const b2DistanceJointDef& d) const { DistanceWriter::Write(*static_cast<b2DistanceJoint*>(joint), d); }
    void operator()(const b2PulleyJointDef& d) const { PulleyFields::Write(*static_cast<b2PulleyJoint*>(joint), d); }
    void operator()(const b2MouseJointDef& d) const
    {
        auto* mouse = static_cast<b2MouseJoint*>(joint);
        mouse->SetMaxForce(d.maxForce);
        mouse->SetStiffness(d.stiffness);
        mouse->SetDamping(d.damping);
    }
    void operator()(const b2GearJointDef& d) const { static_cast<b2GearJoint*>(joint)->SetRatio(d.ratio); }
    void operator()(const b2WheelJointDef& d) const { WheelWriter::Write(*static_cast<b2WheelJoint*>(joint), d); }
    void operator()(const b2WeldJointDef& d) const { WeldWriter::Write(*static_cast<b2WeldJoint*>(joint), d); }
    void operator()(const b2FrictionJointDef& d) const { FrictionWriter::Write(*static_cast<b2FrictionJoint*>(joint), d); }
    void operator()(const b2MotorJointDef& d) const
    {
        auto* motor = static_cast<b2MotorJoint*>(joint);
        motor->SetLinearOffset(d.linearOffset);
        motor->SetAngularOffset(d.angularOffset);
        motor->SetMaxForce(d.maxForce);
        motor->SetMaxTorque(d.maxTorque);
        motor->SetCorrectionFactor(d.correctionFactor);
    }
};

}  // namespace

BodyState CaptureBody(const b2Body* body)
{
    BodyState s;
    s.type = body->GetType();
    s.position = body->GetPosition();
    s.angle = body->GetAngle();
    s.linearVelocity = body->GetLinearVelocity();
    s.angularVelocity = body->GetAngularVelocity();
    s.linearDamping = body->GetLinearDamping();
    s.angularDamping = body->GetAngularDamping();
    s.gravityScale = body->GetGravityScale();
    s.awake = body->IsAwake();
    s.sleepingAllowed = body->IsSleepingAllowed();
    s.fixedRotation = body->IsFixedRotation();
    s.bullet = body->IsBullet();
    s.enabled = body->IsEnabled();
    body->GetMassData(&s.massData);
    return s;
}

b2Body* CreateBody(b2World* world, const BodyState& state)
{
    b2BodyDef def;
    def.type = state.type;
    def.position = state.position;
    def.angle = state.angle;
    def.linearDamping = state.linearDamping;
    def.angularDamping = state.angularDamping;
    def.gravityScale = state.gravityScale;
    def.allowSleep = state.sleepingAllowed;
    def.fixedRotation = state.fixedRotation;
    def.bullet = state.bullet;
    def.enabled = state.enabled;
    return Physics::CreateBody(world, def);
}

void RestoreBody(b2Body* body, const BodyState& state)
{
    if (body->GetType() != state.type)
    {
        SetBodyType(body, state.type);
    }
    if (body->IsFixedRotation() != state.fixedRotation)
    {
        SetFixedRotation(body, state.fixedRotation);
    }
    body->SetBullet(state.bullet);
    body->SetSleepingAllowed(state.sleepingAllowed);
    body->SetGravityScale(state.gravityScale);
    body->SetLinearDamping(state.linearDamping);
    body->SetAngularDamping(state.angularDamping);
    if (body->IsEnabled() != state.enabled)
    {
        SetBodyActive(body, state.enabled);
    }
    body->SetTransform(state.position, state.angle);
    // The fixtures are as they were, so recomputing gives their mass back; mass data that was
    // set explicitly (scene files store it) is set again.
    ResetMassData(body);
    b2MassData massData;
    body->GetMassData(&massData);
    if (!SameMassData(massData, state.massData))
    {
        SetMassData(body, state.massData);
    }
    body->SetAwake(state.awake);
    Access::LinearVelocity(*body) = state.linearVelocity;
    Access::AngularVelocity(*body) = state.angularVelocity;
}

FixtureState CaptureFixture(const b2Fixture* fixture)
{
    FixtureState s;
    const b2Shape* shape = fixture->GetShape();
    s.type = shape->GetType();
    switch (s.type)
    {
    case b2Shape::e_circle:
        s.circle = *static_cast<const b2CircleShape*>(shape);
        break;
    case b2Shape::e_edge:
        s.edge = *static_cast<const b2EdgeShape*>(shape);
        break;
    case b2Shape::e_polygon:
        s.polygon = *static_cast<const b2PolygonShape*>(shape);
        break;
    case b2Shape::e_chain:
    {
        const auto* chain = static_cast<const b2ChainShape*>(shape);
        s.chainVertices.assign(chain->m_vertices, chain->m_vertices + chain->m_count);
        s.chainPrevVertex = chain->m_prevVertex;
        s.chainNextVertex = chain->m_nextVertex;
        break;
    }
    default:
        break;
    }
    s.density = fixture->GetDensity();
    s.friction = fixture->GetFriction();
    s.restitution = fixture->GetRestitution();
    s.restitutionThreshold = fixture->GetRestitutionThreshold();
    s.sensor = fixture->IsSensor();
    s.filter = fixture->GetFilterData();
    s.userData = const_cast<b2Fixture*>(fixture)->GetUserData().pointer;
    return s;
}

void RestoreFixture(b2Fixture* fixture, const FixtureState& state)
{
    // Proxies are rebuilt only for a shape that differs: rebuilding costs a broad-phase update.
    const FixtureState current = CaptureFixture(fixture);
    b2Shape* shape = fixture->GetShape();
    bool reshaped = true;
    switch (state.type)
    {
    case b2Shape::e_circle:
        reshaped = !SameShape(current.circle, state.circle);
        *static_cast<b2CircleShape*>(shape) = state.circle;
        break;
    case b2Shape::e_edge:
        reshaped = !SameShape(current.edge, state.edge);
        *static_cast<b2EdgeShape*>(shape) = state.edge;
        break;
    case b2Shape::e_polygon:
        reshaped = !SameShape(current.polygon, state.polygon);
        *static_cast<b2PolygonShape*>(shape) = state.polygon;
        break;
    case b2Shape::e_chain:
    {
        const std::vector<b2Vec2>& v = state.chainVertices;
        reshaped = current.chainVertices.size() != v.size() ||
                   !SamePoints(v.data(), current.chainVertices.data(), static_cast<int>(v.size())) ||
                   !SameBytes(current.chainPrevVertex, state.chainPrevVertex) ||
                   !SameBytes(current.chainNextVertex, state.chainNextVertex);
        if (reshaped)
        {
            // Rebuilt for the stored vertex count, then every stored value written back as it was.
            const int count = static_cast<int>(v.size());
            const bool loop = count >= 4 && v.front() == v.back();
            RecreateChain(fixture, v.data(), loop ? count - 1 : count, loop);
            auto* chain = static_cast<b2ChainShape*>(shape);
            std::copy(v.begin(), v.end(), chain->m_vertices);
            chain->m_prevVertex = state.chainPrevVertex;
            chain->m_nextVertex = state.chainNextVertex;
        }
        break;
    }
    default:
        break;
    }
    fixture->SetDensity(state.density);
    fixture->SetFriction(state.friction);
    fixture->SetRestitution(state.restitution);
    fixture->SetRestitutionThreshold(state.restitutionThreshold);
    fixture->SetSensor(state.sensor);
    const b2Filter& filter = fixture->GetFilterData();
    if (filter.categoryBits != state.filter.categoryBits || filter.maskBits != state.filter.maskBits ||
        filter.groupIndex != state.filter.groupIndex)
    {
        fixture->SetFilterData(state.filter);
    }
    fixture->GetUserData().pointer = state.userData;
    if (reshaped)
    {
        RefreshProxies(fixture->GetBody());
    }
}

b2Fixture* CreateFixture(b2Body* body, const FixtureState& state)
{
    b2ChainShape chain;
    b2FixtureDef def;
    switch (state.type)
    {
    case b2Shape::e_circle:
        def.shape = &state.circle;
        break;
    case b2Shape::e_edge:
        def.shape = &state.edge;
        break;
    case b2Shape::e_polygon:
        def.shape = &state.polygon;
        break;
    case b2Shape::e_chain:
    {
        const std::vector<b2Vec2>& v = state.chainVertices;
        const int count = static_cast<int>(v.size());
        const bool loop = count >= 4 && v.front() == v.back();
        if (!(loop ? SetLoop(chain, v.data(), count - 1) : SetChain(chain, v.data(), count)))
        {
            return nullptr;
        }
        def.shape = &chain;
        break;
    }
    default:
        return nullptr;
    }
    def.density = state.density;
    def.friction = state.friction;
    def.restitution = state.restitution;
    def.restitutionThreshold = state.restitutionThreshold;
    def.isSensor = state.sensor;
    def.filter = state.filter;
    b2Fixture* fixture = Physics::CreateFixture(body, def);
    if (fixture != nullptr)
    {
        RestoreFixture(fixture, state);
    }
    return fixture;
}

JointState CaptureJoint(const b2Joint* joint)
{
    JointState s;
    switch (joint->GetType())
    {
    case e_revoluteJoint:
        s.def = RevoluteDef(joint);
        break;
    case e_prismaticJoint:
        s.def = PrismaticDef(joint);
        break;
    case e_distanceJoint:
        s.def = DistanceDef(joint);
        break;
    case e_pulleyJoint:
        s.def = PulleyDef(joint);
        break;
    case e_mouseJoint:
        s.def = MouseDef(joint);
        break;
    case e_gearJoint:
        s.def = GearDef(joint);
        break;
    case e_wheelJoint:
        s.def = WheelDef(joint);
        break;
    case e_weldJoint:
        s.def = WeldDef(joint);
        break;
    case e_frictionJoint:
        s.def = FrictionDef(joint);
        break;
    case e_motorJoint:
        s.def = MotorDef(joint);
        break;
    default:
        break;
    }
    s.userData = const_cast<b2Joint*>(joint)->GetUserData().pointer;
    return s;
}

void RestoreJoint(b2Joint* joint, const JointState& state)
{
    std::visit(WriteDef{joint}, state.def);
    std::visit([joint](const auto& def) { SetCollideConnected(joint, def.collideConnected); }, state.def);
    joint->GetUserData().pointer = state.userData;
}

b2Joint* CreateJoint(b2World* world, const JointState& state, b2Body* bodyA, b2Body* bodyB, b2Joint* gearJoint1,
                     b2Joint* gearJoint2)
{
    return std::visit(
        [&](auto def) -> b2Joint* {
            def.bodyA = bodyA;
            def.bodyB = bodyB;
            if constexpr (std::is_same_v<decltype(def), b2GearJointDef>)
            {
                def.joint1 = gearJoint1;
                def.joint2 = gearJoint2;
            }
            if (world == nullptr || !CheckJointDef(*world, def).empty())
            {
                return nullptr;
            }
            b2Joint* joint = world->CreateJoint(&def);
            RestoreJoint(joint, state);
            return joint;
        },
        state.def);
}

}  // namespace Physics
