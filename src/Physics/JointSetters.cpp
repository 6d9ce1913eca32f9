#include "Physics/JointSetters.h"

#include "Physics/Guards.h"
#include "Physics/MemberAccess.h"

namespace Physics
{

namespace
{

using Access::AnchorFields;

// The local anchor A (or B) of a joint type that has one, null for the others. Ropes are
// distance joints, so they are covered.
b2Vec2* LocalAnchor(b2Joint* joint, bool anchorA)
{
    switch (joint->GetType())
    {
    case e_distanceJoint:
    {
        auto& distance = *static_cast<b2DistanceJoint*>(joint);
        using Fields = AnchorFields<b2DistanceJoint>;
        return anchorA ? &Fields::LocalAnchorA(distance) : &Fields::LocalAnchorB(distance);
    }
    case e_prismaticJoint:
    {
        auto& prismatic = *static_cast<b2PrismaticJoint*>(joint);
        using Fields = AnchorFields<b2PrismaticJoint>;
        return anchorA ? &Fields::LocalAnchorA(prismatic) : &Fields::LocalAnchorB(prismatic);
    }
    case e_revoluteJoint:
    {
        auto& revolute = *static_cast<b2RevoluteJoint*>(joint);
        using Fields = AnchorFields<b2RevoluteJoint>;
        return anchorA ? &Fields::LocalAnchorA(revolute) : &Fields::LocalAnchorB(revolute);
    }
    case e_wheelJoint:
    {
        auto& wheel = *static_cast<b2WheelJoint*>(joint);
        using Fields = AnchorFields<b2WheelJoint>;
        return anchorA ? &Fields::LocalAnchorA(wheel) : &Fields::LocalAnchorB(wheel);
    }
    default:
        return nullptr;
    }
}

bool SetAnchor(b2Joint* joint, const b2Vec2& worldPoint, bool anchorA)
{
    if (joint == nullptr || !IsSaneCoordinate(worldPoint))
    {
        return false;
    }
    b2Vec2* anchor = LocalAnchor(joint, anchorA);
    if (anchor == nullptr)
    {
        return false;
    }
    const b2Body* body = anchorA ? joint->GetBodyA() : joint->GetBodyB();
    *anchor = body->GetLocalPoint(worldPoint);
    return true;
}

template <class Fields, class Joint>
void StoreAxis(Joint& joint, const b2Vec2& axis)
{
    Fields::LocalXAxis(joint) = axis;
    Fields::LocalYAxis(joint) = b2Vec2(-axis.y, axis.x);
    Fields::StepAxis(joint).SetZero();
    Fields::StepPerpendicular(joint).SetZero();
}

}  // namespace

bool SetAnchorA(b2Joint* joint, const b2Vec2& worldPoint)
{
    return SetAnchor(joint, worldPoint, true);
}

bool SetAnchorB(b2Joint* joint, const b2Vec2& worldPoint)
{
    return SetAnchor(joint, worldPoint, false);
}

bool SetAxis(b2Joint* joint, const b2Vec2& axis)
{
    if (joint == nullptr || !IsSaneCoordinate(axis) || axis.LengthSquared() == 0.0f)
    {
        return false;
    }
    switch (joint->GetType())
    {
    case e_prismaticJoint:
        StoreAxis<Access::PrismaticFields>(*static_cast<b2PrismaticJoint*>(joint), axis);
        return true;
    case e_wheelJoint:
        StoreAxis<Access::WheelFields>(*static_cast<b2WheelJoint*>(joint), axis);
        return true;
    default:
        return false;
    }
}

bool SetReferenceAngle(b2Joint* joint, float angle)
{
    if (joint == nullptr || joint->GetType() != e_prismaticJoint || !IsFinite(angle))
    {
        return false;
    }
    Access::PrismaticFields::ReferenceAngle(*static_cast<b2PrismaticJoint*>(joint)) = angle;
    return true;
}

bool SetLimits(b2Joint* joint, float lower, float upper)
{
    if (joint == nullptr || !IsFinite(lower) || !IsFinite(upper) || lower > upper)
    {
        return false;
    }
    switch (joint->GetType())
    {
    case e_revoluteJoint:
        static_cast<b2RevoluteJoint*>(joint)->SetLimits(lower, upper);
        return true;
    case e_prismaticJoint:
        static_cast<b2PrismaticJoint*>(joint)->SetLimits(lower, upper);
        return true;
    case e_wheelJoint:
        static_cast<b2WheelJoint*>(joint)->SetLimits(lower, upper);
        return true;
    default:
        return false;
    }
}

void SetCollideConnected(b2Joint* joint, bool flag)
{
    if (joint != nullptr)
    {
        Access::JointFields::CollideConnected(*joint) = flag;
    }
}

}  // namespace Physics
