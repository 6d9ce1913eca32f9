#include "WorldDoc/WorldDoc.h"

#include "Physics/BodyState.h"
#include "Physics/Ghosts.h"
#include "Physics/JointKinds.h"
#include "Physics/Springs.h"
#include "WorldDoc/DocSink.h"
#include "WorldDoc/JointTypeNames.h"
#include "WorldDoc/JsonBuilder.h"

#include <iostream>

// Every writer below puts the members of an object in ascending byte order of their keys, the
// order in which the text is laid out (see DocSink).

namespace
{

template <typename Object>
const std::string* FindName(const std::map<Object*, std::string>& names, Object* object)
{
    const auto it = names.find(object);
    return it == names.end() || it->second.empty() ? nullptr : &it->second;
}

void PutName(DocSink& sink, const std::string* name)
{
    if (name)
    {
        sink.putString("name", *name);
    }
}

// Members the format writes only when they differ from their usual value.
void PutFloatUnless(DocSink& sink, const char* key, float value, float usual)
{
    if (value != usual)
    {
        sink.putFloat(key, value);
    }
}

void PutTrueIf(DocSink& sink, const char* key, bool condition)
{
    if (condition)
    {
        sink.putBool(key, true);
    }
}

void PutFalseIf(DocSink& sink, const char* key, bool condition)
{
    if (condition)
    {
        sink.putBool(key, false);
    }
}

const char* BodyTypeComment(b2BodyType type)
{
    switch (type)
    {
    case b2_staticBody:
        return "//static";
    case b2_kinematicBody:
        return "//kinematic";
    default:
        return "//dynamic";
    }
}

void PutCircle(DocSink& sink, const b2CircleShape& circle)
{
    sink.beginObject("circle");
    sink.putVector("center", circle.m_p);
    sink.putFloat("radius", circle.m_radius);
    sink.endObject();
}

void PutEdge(DocSink& sink, const b2Fixture* fixture)
{
    const b2EdgeShape* edge = static_cast<const b2EdgeShape*>(fixture->GetShape());
    const Physics::EdgeGhosts ghosts = Physics::GetEdgeGhosts(fixture);
    sink.beginObject("edge");
    PutTrueIf(sink, "hasVertex0", ghosts.hasVertex0);
    PutTrueIf(sink, "hasVertex3", ghosts.hasVertex3);
    if (ghosts.hasVertex0)
    {
        sink.putVector("vertex0", ghosts.vertex0);
    }
    sink.putVector("vertex1", edge->m_vertex1);
    sink.putVector("vertex2", edge->m_vertex2);
    if (ghosts.hasVertex3)
    {
        sink.putVector("vertex3", ghosts.vertex3);
    }
    sink.endObject();
}

void PutChain(DocSink& sink, const b2Fixture* fixture)
{
    const b2ChainShape* chain = static_cast<const b2ChainShape*>(fixture->GetShape());
    const Physics::ChainGhosts ghosts = Physics::GetChainGhosts(fixture);
    sink.beginObject("chain");
    PutTrueIf(sink, "hasNextVertex", ghosts.hasNextVertex);
    PutTrueIf(sink, "hasPrevVertex", ghosts.hasPrevVertex);
    if (ghosts.hasNextVertex)
    {
        sink.putVector("nextVertex", ghosts.nextVertex);
    }
    if (ghosts.hasPrevVertex)
    {
        sink.putVector("prevVertex", ghosts.prevVertex);
    }
    sink.putVectorArray("vertices", chain->m_vertices, chain->m_count);
    sink.endObject();
}

void PutPolygon(DocSink& sink, const b2PolygonShape& polygon)
{
    sink.beginObject("polygon");
    sink.putVectorArray("vertices", polygon.m_vertices, polygon.m_count);
    sink.endObject();
}

template <typename JointClass>
void StoredAnchors(const b2Joint* joint, b2Vec2& anchorA, b2Vec2& anchorB)
{
    const JointClass* typed = static_cast<const JointClass*>(joint);
    anchorA = typed->GetLocalAnchorA();
    anchorB = typed->GetLocalAnchorB();
}

// The members every joint object shares, and its anchors in each body's own frame.
class JointMembers
{
public:
    JointMembers(DocSink& sink, b2Joint* joint, int bodyA, int bodyB, const std::string* name)
        : m_sink(sink), m_joint(joint), m_bodyA(bodyA), m_bodyB(bodyB), m_name(name)
    {
    }

    // The stored local anchors where the library exposes them, so that saving and loading
    // never drifts them by rounding; other joints' world anchors in the bodies' current frames.
    void anchors()
    {
        b2Vec2 anchorA;
        b2Vec2 anchorB;
        switch (m_joint->GetType())  // the library's own type: a rope is one of its distance joints
        {
        case e_revoluteJoint:
            StoredAnchors<b2RevoluteJoint>(m_joint, anchorA, anchorB);
            break;
        case e_prismaticJoint:
            StoredAnchors<b2PrismaticJoint>(m_joint, anchorA, anchorB);
            break;
        case e_distanceJoint:
            StoredAnchors<b2DistanceJoint>(m_joint, anchorA, anchorB);
            break;
        case e_wheelJoint:
            StoredAnchors<b2WheelJoint>(m_joint, anchorA, anchorB);
            break;
        case e_weldJoint:
            StoredAnchors<b2WeldJoint>(m_joint, anchorA, anchorB);
            break;
        case e_frictionJoint:
            StoredAnchors<b2FrictionJoint>(m_joint, anchorA, anchorB);
            break;
        default:
            anchorA = m_joint->GetBodyA()->GetLocalPoint(m_joint->GetAnchorA());
            anchorB = m_joint->GetBodyB()->GetLocalPoint(m_joint->GetAnchorB());
        }
        m_sink.putVector("anchorA", anchorA);
        m_sink.putVector("anchorB", anchorB);
    }

    void bodies()
    {
        m_sink.putInt("bodyA", m_bodyA);
        m_sink.putInt("bodyB", m_bodyB);
        PutTrueIf(m_sink, "collideConnected", m_joint->GetCollideConnected());
    }

    void name() { PutName(m_sink, m_name); }

    void type() { m_sink.putString("type", JointTypeName(Physics::GetJointType(m_joint))); }

    void spring(const char* dampingKey, const char* frequencyKey)
    {
        m_sink.putFloat(dampingKey, Physics::GetSpringDampingRatio(m_joint));
        m_sink.putFloat(frequencyKey, Physics::GetSpringFrequency(m_joint));
    }

private:
    DocSink& m_sink;
    b2Joint* m_joint;
    int m_bodyA;
    int m_bodyB;
    const std::string* m_name;
};

void PutRevolute(DocSink& sink, JointMembers& common, b2RevoluteJoint* joint)
{
    common.anchors();
    common.bodies();
    sink.putBool("enableLimit", joint->IsLimitEnabled());
    sink.putBool("enableMotor", joint->IsMotorEnabled());
    sink.putFloat("jointSpeed", joint->GetJointSpeed());
    sink.putFloat("lowerLimit", joint->GetLowerLimit());
    sink.putFloat("maxMotorTorque", joint->GetMaxMotorTorque());
    sink.putFloat("motorSpeed", joint->GetMotorSpeed());
    common.name();
    const float bodyAngles = joint->GetBodyB()->GetAngle() - joint->GetBodyA()->GetAngle();
    sink.putFloat("refAngle", bodyAngles - joint->GetJointAngle());
    common.type();
    sink.putFloat("upperLimit", joint->GetUpperLimit());
}

void PutPrismatic(DocSink& sink, JointMembers& common, b2PrismaticJoint* joint)
{
    common.anchors();
    common.bodies();
    sink.putBool("enableLimit", joint->IsLimitEnabled());
    sink.putBool("enableMotor", joint->IsMotorEnabled());
    sink.putVector("localAxis1", joint->GetLocalAxisA());
    sink.putFloat("lowerLimit", joint->GetLowerLimit());
    sink.putFloat("maxMotorForce", joint->GetMaxMotorForce());
    sink.putFloat("motorSpeed", joint->GetMotorSpeed());
    common.name();
    sink.putFloat("refAngle", joint->GetReferenceAngle());
    common.type();
    sink.putFloat("upperLimit", joint->GetUpperLimit());
}

void PutDistance(DocSink& sink, JointMembers& common, b2DistanceJoint* joint)
{
    common.anchors();
    common.bodies();
    common.spring("dampingRatio", "frequency");
    sink.putFloat("length", joint->GetLength());
    common.name();
    common.type();
}

void PutPulley(DocSink& sink, JointMembers& common, b2PulleyJoint* joint)
{
    common.anchors();
    common.bodies();
    sink.putVector("groundAnchorA", joint->GetGroundAnchorA());
    sink.putVector("groundAnchorB", joint->GetGroundAnchorB());
    sink.putFloat("lengthA", joint->GetCurrentLengthA());
    sink.putFloat("lengthB", joint->GetCurrentLengthB());
    common.name();
    sink.putFloat("ratio", joint->GetRatio());
    common.type();
}

void PutMouse(DocSink& sink, JointMembers& common, b2MouseJoint* joint)
{
    // Both points in world coordinates: where the joint holds body B, and where it pulls.
    sink.putVector("anchorB", joint->GetAnchorB());
    common.bodies();
    common.spring("dampingRatio", "frequency");
    sink.putFloat("maxForce", joint->GetMaxForce());
    common.name();
    sink.putVector("target", joint->GetTarget());
    common.type();
}

void PutWheel(DocSink& sink, JointMembers& common, b2WheelJoint* joint)
{
    common.anchors();
    common.bodies();
    sink.putBool("enableMotor", joint->IsMotorEnabled());
    sink.putVector("localAxisA", joint->GetLocalAxisA());
    sink.putFloat("maxMotorTorque", joint->GetMaxMotorTorque());
    sink.putFloat("motorSpeed", joint->GetMotorSpeed());
    common.name();
    common.spring("springDampingRatio", "springFrequency");
    common.type();
}

void PutWeld(DocSink& sink, JointMembers& common, b2WeldJoint* joint)
{
    common.anchors();
    common.bodies();
    common.name();
    sink.putFloat("refAngle", joint->GetReferenceAngle());
    common.type();
}

void PutFriction(DocSink& sink, JointMembers& common, b2FrictionJoint* joint)
{
    common.anchors();
    common.bodies();
    sink.putFloat("maxForce", joint->GetMaxForce());
    sink.putFloat("maxTorque", joint->GetMaxTorque());
    common.name();
    common.type();
}

void PutRope(DocSink& sink, JointMembers& common, b2Joint* joint)
{
    common.anchors();
    common.bodies();
    sink.putFloat("maxLength", Physics::GetRopeMaxLength(joint));
    common.name();
    common.type();
}

}  // namespace

Json::Value WorldDoc::b2j(b2World* world)
{
    Json::Value out;
    JsonBuilder builder(out);
    writeWorld(world, builder);
    return out;
}

Json::Value WorldDoc::b2j(b2Body* body)
{
    Json::Value out;
    JsonBuilder builder(out);
    writeBody(body, builder);
    return out;
}

Json::Value WorldDoc::b2j(b2Fixture* fixture)
{
    Json::Value out;
    JsonBuilder builder(out);
    writeFixture(fixture, builder);
    return out;
}

Json::Value WorldDoc::b2j(b2Joint* joint)
{
    Json::Value out;
    JsonBuilder builder(out);
    writeJoint(joint, builder);
    return out;
}

int WorldDoc::lookupBodyIndex(b2Body* body)
{
    const auto it = m_bodyToIndexMap.find(body);
    return it == m_bodyToIndexMap.end() ? 0 : it->second;
}

int WorldDoc::lookupJointIndex(b2Joint* joint)
{
    const auto it = m_jointToIndexMap.find(joint);
    return it == m_jointToIndexMap.end() ? 0 : it->second;
}

void WorldDoc::writeWorld(b2World* world, DocSink& sink)
{
    m_bodyToIndexMap.clear();
    m_jointToIndexMap.clear();

    sink.beginObject(nullptr);
    sink.putBool("allowSleep", world->GetAllowSleeping());
    sink.putBool("autoClearForces", world->GetAutoClearForces());
    if (world->GetBodyCount() > 0)
    {
        sink.beginArray("body");
        int index = 0;
        for (b2Body* body = world->GetBodyList(); body; body = body->GetNext())
        {
            m_bodyToIndexMap.emplace(body, index++);
            writeBody(body, sink);
        }
        sink.endArray();
    }
    sink.putBool("continuousPhysics", world->GetContinuousPhysics());
    sink.putVector("gravity", world->GetGravity());
    if (world->GetJointCount() > 0)
    {
        // Gear joints go last, so that the joints they couple already have their indices.
        sink.beginArray("joint");
        int index = 0;
        for (const bool gears : {false, true})
        {
            for (b2Joint* joint = world->GetJointList(); joint; joint = joint->GetNext())
            {
                if ((joint->GetType() == e_gearJoint) == gears)
                {
                    writeJoint(joint, sink);
                    m_jointToIndexMap.emplace(joint, index++);
                }
            }
        }
        sink.endArray();
    }
    sink.putBool("subStepping", world->GetSubStepping());
    sink.putBool("warmStarting", world->GetWarmStarting());
    sink.endObject();
}

void WorldDoc::writeBody(b2Body* body, DocSink& sink)
{
    // The library reports the inertia about the body origin, as the format stores it.
    b2MassData massData;
    body->GetMassData(&massData);

    sink.beginObject(nullptr);
    PutFalseIf(sink, "active", !Physics::IsBodyActive(body));
    PutFalseIf(sink, "allowSleep", !body->IsSleepingAllowed());
    sink.putFloat("angle", body->GetAngle());
    PutFloatUnless(sink, "angularDamping", body->GetAngularDamping(), 0.0f);
    sink.putFloat("angularVelocity", body->GetAngularVelocity());
    PutTrueIf(sink, "awake", body->IsAwake());
    PutTrueIf(sink, "bullet", body->IsBullet());
    PutTrueIf(sink, "fixedRotation", body->IsFixedRotation());
    if (body->GetFixtureList())
    {
        sink.beginArray("fixture");
        for (b2Fixture* fixture = body->GetFixtureList(); fixture; fixture = fixture->GetNext())
        {
            writeFixture(fixture, sink);
        }
        sink.endArray();
    }
    PutFloatUnless(sink, "gravityScale", body->GetGravityScale(), 1.0f);
    PutFloatUnless(sink, "linearDamping", body->GetLinearDamping(), 0.0f);
    sink.putVector("linearVelocity", body->GetLinearVelocity());
    PutFloatUnless(sink, "massData-I", massData.I, 0.0f);
    if (massData.center.x != 0.0f || massData.center.y != 0.0f)
    {
        sink.putVector("massData-center", massData.center);
    }
    PutFloatUnless(sink, "massData-mass", massData.mass, 0.0f);
    PutName(sink, FindName(m_bodyToNameMap, body));
    sink.putVector("position", body->GetPosition());
    sink.putInt("type", static_cast<int>(body->GetType()), BodyTypeComment(body->GetType()));
    sink.endObject();
}

void WorldDoc::writeFixture(b2Fixture* fixture, DocSink& sink)
{
    const b2Shape* shape = fixture->GetShape();
    const b2Shape::Type shapeType = shape->GetType();
    const b2Filter& filter = fixture->GetFilterData();

    sink.beginObject(nullptr);
    if (shapeType == b2Shape::e_chain)
    {
        PutChain(sink, fixture);
    }
    else if (shapeType == b2Shape::e_circle)
    {
        PutCircle(sink, *static_cast<const b2CircleShape*>(shape));
    }
    PutFloatUnless(sink, "density", fixture->GetDensity(), 0.0f);
    if (shapeType == b2Shape::e_edge)
    {
        PutEdge(sink, fixture);
    }
    if (filter.categoryBits != 0x0001)
    {
        sink.putInt("filter-categoryBits", filter.categoryBits);
    }
    if (filter.groupIndex != 0)
    {
        sink.putInt("filter-groupIndex", filter.groupIndex);
    }
    if (filter.maskBits != 0xFFFF)
    {
        sink.putInt("filter-maskBits", filter.maskBits);
    }
    PutFloatUnless(sink, "friction", fixture->GetFriction(), 0.0f);
    PutName(sink, FindName(m_fixtureToNameMap, fixture));
    if (shapeType == b2Shape::e_polygon)
    {
        PutPolygon(sink, *static_cast<const b2PolygonShape*>(shape));
    }
    PutFloatUnless(sink, "restitution", fixture->GetRestitution(), 0.0f);
    PutTrueIf(sink, "sensor", fixture->IsSensor());
    sink.endObject();

    if (shapeType >= b2Shape::e_typeCount)
    {
        std::cout << "Unknown shape type : " << shapeType << std::endl;
    }
}

void WorldDoc::writeJoint(b2Joint* joint, DocSink& sink)
{
    JointMembers common(sink, joint, lookupBodyIndex(joint->GetBodyA()), lookupBodyIndex(joint->GetBodyB()),
                        FindName(m_jointToNameMap, joint));
    sink.beginObject(nullptr);
    const b2JointType type = Physics::GetJointType(joint);
    switch (type)
    {
    case e_revoluteJoint:
        PutRevolute(sink, common, static_cast<b2RevoluteJoint*>(joint));
        break;
    case e_prismaticJoint:
        PutPrismatic(sink, common, static_cast<b2PrismaticJoint*>(joint));
        break;
    case e_distanceJoint:
        PutDistance(sink, common, static_cast<b2DistanceJoint*>(joint));
        break;
    case e_pulleyJoint:
        PutPulley(sink, common, static_cast<b2PulleyJoint*>(joint));
        break;
    case e_mouseJoint:
        PutMouse(sink, common, static_cast<b2MouseJoint*>(joint));
        break;
    case e_gearJoint:
    {
        b2GearJoint* gear = static_cast<b2GearJoint*>(joint);
        common.bodies();
        sink.putInt("joint1", lookupJointIndex(gear->GetJoint1()));
        sink.putInt("joint2", lookupJointIndex(gear->GetJoint2()));
        common.name();
        // The one float the format keeps as a decimal number.
        sink.putReal("ratio", gear->GetRatio());
        common.type();
        break;
    }
    case e_wheelJoint:
        PutWheel(sink, common, static_cast<b2WheelJoint*>(joint));
        break;
    case e_weldJoint:
        PutWeld(sink, common, static_cast<b2WeldJoint*>(joint));
        break;
    case e_frictionJoint:
        PutFriction(sink, common, static_cast<b2FrictionJoint*>(joint));
        break;
    case e_ropeJoint:
        PutRope(sink, common, joint);
        break;
    default:
        common.bodies();
        common.name();
        std::cout << "Unknown joint type not stored in snapshot : " << type << std::endl;
    }
    sink.endObject();
}
