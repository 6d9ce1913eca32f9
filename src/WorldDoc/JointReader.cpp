#include "WorldDoc/WorldDoc.h"

#include "Physics/Create.h"
#include "Physics/Guards.h"
#include "Physics/JointKinds.h"
#include "Physics/Springs.h"
#include "WorldDoc/JointTypeNames.h"
#include "WorldDoc/MemberReader.h"
#include "WorldDoc/SkipLog.h"

#include <limits>

namespace
{

// The entry of `list` that the integer member `key` names: null, with the reason in `problem`,
// when the member is malformed, out of range or names an empty slot.
template <typename Object>
Object* ListEntry(MemberReader& members, const char* key, const std::vector<Object*>& list,
                  const std::string& kind, std::string& problem)
{
    const int index = members.getInt(key, 0, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    const std::string named = "\"" + std::string(key) + "\" (" + std::to_string(index) + ")";
    if (!members.ok())
    {
        problem = members.problem();
    }
    else if (index < 0 || static_cast<std::size_t>(index) >= list.size())
    {
        problem = named + " is outside the " + kind + " list (" + std::to_string(list.size()) + " entries)";
    }
    else if (!list[static_cast<std::size_t>(index)])
    {
        problem = named + " names a " + kind + " that was not loaded";
    }
    else
    {
        return list[static_cast<std::size_t>(index)];
    }
    return nullptr;
}

// A gear couples two revolute or prismatic joints; the library asserts on anything else.
b2Joint* GearPartner(MemberReader& members, const char* key, const std::vector<b2Joint*>& joints,
                     std::string& problem)
{
    b2Joint* joint = ListEntry(members, key, joints, "joint", problem);
    if (!joint)
    {
        return nullptr;
    }
    const b2JointType type = Physics::GetJointType(joint);
    if (type != e_revoluteJoint && type != e_prismaticJoint)
    {
        const char* typeName = JointTypeName(type);
        problem = "\"" + std::string(key) + "\" names a " + (typeName ? typeName : "unknown") +
                  " joint, not a revolute or prismatic one";
        return nullptr;
    }
    return joint;
}

void ReadAnchors(MemberReader& members, b2Vec2& anchorA, b2Vec2& anchorB)
{
    anchorA = members.getVector("anchorA");
    anchorB = members.getVector("anchorB");
}

void ReadRevolute(MemberReader& members, b2RevoluteJointDef& def)
{
    ReadAnchors(members, def.localAnchorA, def.localAnchorB);
    def.referenceAngle = members.getFloat("refAngle");
    def.enableLimit = members.getBool("enableLimit");
    def.lowerAngle = members.getFloat("lowerLimit");
    def.upperAngle = members.getFloat("upperLimit");
    def.enableMotor = members.getBool("enableMotor");
    def.motorSpeed = members.getFloat("motorSpeed");
    def.maxMotorTorque = members.getFloat("maxMotorTorque");
}

void ReadPrismatic(MemberReader& members, b2PrismaticJointDef& def)
{
    ReadAnchors(members, def.localAnchorA, def.localAnchorB);
    def.localAxisA = members.getVector(members.has("localAxisA") ? "localAxisA" : "localAxis1");
    def.referenceAngle = members.getFloat("refAngle");
    def.enableLimit = members.getBool("enableLimit");
    def.lowerTranslation = members.getFloat("lowerLimit");
    def.upperTranslation = members.getFloat("upperLimit");
    def.enableMotor = members.getBool("enableMotor");
    def.motorSpeed = members.getFloat("motorSpeed");
    def.maxMotorForce = members.getFloat("maxMotorForce");
}

void ReadPulley(MemberReader& members, b2PulleyJointDef& def)
{
    def.groundAnchorA = members.getVector("groundAnchorA");
    def.groundAnchorB = members.getVector("groundAnchorB");
    ReadAnchors(members, def.localAnchorA, def.localAnchorB);
    def.lengthA = members.getFloat("lengthA");
    def.lengthB = members.getFloat("lengthB");
    def.ratio = members.getFloat("ratio");
}

void ReadWheel(MemberReader& members, b2WheelJointDef& def)
{
    ReadAnchors(members, def.localAnchorA, def.localAnchorB);
    def.localAxisA = members.getVector("localAxisA");
    def.enableMotor = members.getBool("enableMotor");
    def.motorSpeed = members.getFloat("motorSpeed");
    def.maxMotorTorque = members.getFloat("maxMotorTorque");
}

void ReadFriction(MemberReader& members, b2FrictionJointDef& def)
{
    ReadAnchors(members, def.localAnchorA, def.localAnchorB);
    def.maxForce = members.getFloat("maxForce");
    def.maxTorque = members.getFloat("maxTorque");
}

// A spring given as frequency and damping ratio, applied once the joint exists.
struct Spring
{
    bool present = false;
    float frequency = 0.0f;
    float dampingRatio = 0.0f;
};

Spring ReadSpring(MemberReader& members, const char* frequencyKey, const char* ratioKey)
{
    Spring spring;
    spring.present = true;
    spring.frequency = members.getFloat(frequencyKey);
    spring.dampingRatio = members.getFloat(ratioKey);
    return spring;
}

}  // namespace

b2Joint* WorldDoc::j2b2Joint(b2World* world, const Json::Value& jointValue)
{
    return ReadAndReport<b2Joint>("the joint", [&](SkipLog& log) {
        return world ? readJoint(world, jointValue, -1, log) : nullptr;
    });
}

b2Joint* WorldDoc::readJoint(b2World* world, const Json::Value& jointValue, int index, SkipLog& log)
{
    const auto skip = [&](const std::string& reason) -> b2Joint* {
        log.add(SkipLog::k_joints, index, SkipLog::k_objectLine, "Skipping " + DescribeJoint(index) + ": " + reason);
        return nullptr;
    };
    if (!jointValue.isObject())
    {
        return skip("it is not an object");
    }
    MemberReader members(jointValue);
    const std::string typeName = members.getString("type");
    if (!members.ok())
    {
        return skip(members.problem());
    }
    const b2JointType type = JointTypeFromName(typeName);
    if (type == e_unknownJoint)
    {
        return skip(typeName.empty() ? "it has no type" : "unknown type \"" + typeName + "\"");
    }
    std::string problem;
    b2Body* bodyA = ListEntry(members, "bodyA", m_bodies, "body", problem);
    b2Body* bodyB = bodyA ? ListEntry(members, "bodyB", m_bodies, "body", problem) : nullptr;
    if (!bodyB)
    {
        return skip(problem);
    }
    const bool collideConnected = members.getBool("collideConnected");
    const std::string name = members.getString("name");

    // Fills the common fields and creates the joint once every member has been read.
    const auto create = [&](b2JointDef& def) -> b2Joint* {
        def.bodyA = bodyA;
        def.bodyB = bodyB;
        def.collideConnected = collideConnected;
        return members.ok() ? Physics::CreateJoint(world, def, &problem) : nullptr;
    };
    b2Joint* joint = nullptr;
    Spring spring;
    b2Vec2 mouseTarget = b2Vec2_zero;
    switch (type)
    {
    case e_revoluteJoint:
    {
        b2RevoluteJointDef def;
        ReadRevolute(members, def);
        joint = create(def);
        break;
    }
    case e_prismaticJoint:
    {
        b2PrismaticJointDef def;
        ReadPrismatic(members, def);
        joint = create(def);
        break;
    }
    case e_distanceJoint:
    {
        b2DistanceJointDef def;
        ReadAnchors(members, def.localAnchorA, def.localAnchorB);
        def.length = members.getFloat("length");
        spring = ReadSpring(members, "frequency", "dampingRatio");
        joint = create(def);
        break;
    }
    case e_pulleyJoint:
    {
        b2PulleyJointDef def;
        ReadPulley(members, def);
        joint = create(def);
        break;
    }
    case e_mouseJoint:
    {
        // The definition's target places the joint's hold on body B; the saved target follows.
        b2MouseJointDef def;
        def.target = members.getVector("anchorB");
        def.maxForce = members.getFloat("maxForce");
        spring = ReadSpring(members, "frequency", "dampingRatio");
        mouseTarget = members.getVector("target");
        if (members.ok() && !Physics::IsSaneCoordinate(mouseTarget))
        {
            members.fail("\"target\" is not finite or too far from the origin");
        }
        joint = create(def);
        break;
    }
    case e_gearJoint:
    {
        b2GearJointDef def;
        def.joint1 = GearPartner(members, "joint1", m_joints, problem);
        def.joint2 = def.joint1 ? GearPartner(members, "joint2", m_joints, problem) : nullptr;
        def.ratio = members.getFloat("ratio");
        if (!def.joint2)
        {
            return skip(problem);
        }
        joint = create(def);
        break;
    }
    case e_wheelJoint:
    {
        b2WheelJointDef def;
        ReadWheel(members, def);
        spring = ReadSpring(members, "springFrequency", "springDampingRatio");
        joint = create(def);
        break;
    }
    case e_weldJoint:
    {
        b2WeldJointDef def;
        ReadAnchors(members, def.localAnchorA, def.localAnchorB);
        def.referenceAngle = members.getFloat("refAngle");
        joint = create(def);
        break;
    }
    case e_frictionJoint:
    {
        b2FrictionJointDef def;
        ReadFriction(members, def);
        joint = create(def);
        break;
    }
    default:  // e_ropeJoint
    {
        Physics::RopeJointDef def;
        def.bodyA = bodyA;
        def.bodyB = bodyB;
        def.collideConnected = collideConnected;
        ReadAnchors(members, def.localAnchorA, def.localAnchorB);
        def.maxLength = members.getFloat("maxLength");
        joint = members.ok() ? Physics::CreateRopeJoint(world, def, &problem) : nullptr;
    }
    }
    if (!members.ok())
    {
        return skip(members.problem());
    }
    if (!joint)
    {
        return skip(problem);
    }
    if (spring.present && !Physics::SetSpring(joint, spring.frequency, spring.dampingRatio))
    {
        world->DestroyJoint(joint);
        return skip("its spring frequency or damping ratio is negative or not finite");
    }
    if (type == e_mouseJoint)
    {
        static_cast<b2MouseJoint*>(joint)->SetTarget(mouseTarget);
    }
    if (!name.empty())
    {
        m_jointToNameMap[joint] = name;
    }
    return joint;
}
