#include "Physics/JointKinds.h"

#include "Physics/Guards.h"
#include "Physics/JointRecord.h"
#include "Physics/Reasons.h"

namespace Physics
{

namespace
{

bool IsRope(const b2Joint* joint)
{
    return joint != nullptr && joint->GetType() == e_distanceJoint && ReadJointRecord(joint).rope;
}

bool IsRopeLength(float maxLength)
{
    return IsFinite(maxLength) && maxLength <= k_maxCoordinate;
}

// The library's distance joints stay stable only from the slop up.
float RopeLength(float maxLength)
{
    return b2Max(maxLength, b2_linearSlop);
}

}  // namespace

b2GearJointDef CouplingGear(b2Joint* joint1, b2Joint* joint2, float ratio)
{
    b2GearJointDef def;
    def.bodyA = joint1->GetBodyB();
    def.bodyB = joint2->GetBodyB();
    def.joint1 = joint1;
    def.joint2 = joint2;
    def.ratio = ratio;
    return def;
}

b2JointType GetJointType(const b2Joint* joint)
{
    if (joint == nullptr)
    {
        return e_unknownJoint;
    }
    return IsRope(joint) ? e_ropeJoint : joint->GetType();
}

b2Joint* CreateRopeJoint(b2World* world, const RopeJointDef& def, std::string* error)
{
    b2DistanceJointDef distance;
    distance.bodyA = def.bodyA;
    distance.bodyB = def.bodyB;
    distance.collideConnected = def.collideConnected;
    distance.localAnchorA = def.localAnchorA;
    distance.localAnchorB = def.localAnchorB;
    distance.length = RopeLength(def.maxLength);
    distance.minLength = b2_linearSlop;
    distance.maxLength = distance.length;
    const std::string reason =
        world == nullptr ? "no world"
                         : FirstReason({CheckJointDef(*world, distance),
                                        Unless(IsRopeLength(def.maxLength), "rope length is not finite or too long")});
    if (Refused(reason, error))
    {
        return nullptr;
    }
    b2Joint* rope = world->CreateJoint(&distance);
    RecordRope(rope);
    return rope;
}

float GetRopeMaxLength(const b2Joint* rope)
{
    return IsRope(rope) ? static_cast<const b2DistanceJoint*>(rope)->GetMaxLength() : 0.0f;
}

bool SetRopeMaxLength(b2Joint* rope, float maxLength)
{
    if (!IsRope(rope) || !IsRopeLength(maxLength))
    {
        return false;
    }
    auto* distance = static_cast<b2DistanceJoint*>(rope);
    const float length = RopeLength(maxLength);
    distance->SetMaxLength(length);
    distance->SetLength(length);
    return true;
}

}  // namespace Physics
