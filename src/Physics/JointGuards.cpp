#include "Physics/Guards.h"

#include "Physics/Reasons.h"

namespace Physics
{

namespace
{

// A joint lives in the world of its bodies: constant time, where walking the joint list made
// reading a scene with many gear joints quadratic. `joint` must be a live joint of some world.
bool BelongsTo(const b2World& world, b2Joint* joint)
{
    return joint->GetBodyA()->GetWorld() == &world;
}

std::string CheckAnchors(const b2Vec2& a, const b2Vec2& b)
{
    return Unless(IsSaneCoordinate(a) && IsSaneCoordinate(b), "joint anchor is not finite or too far out");
}

std::string CheckAngle(float referenceAngle)
{
    return Unless(IsFinite(referenceAngle), "reference angle is not finite");
}

// A zero axis is accepted by the library but leaves nothing to slide along.
std::string CheckAxis(const b2Vec2& axis)
{
    return Unless(IsSaneCoordinate(axis) && axis.LengthSquared() > 0.0f, "joint axis is zero, not finite or too long");
}

// Asserts: a prismatic joint with lower > upper in its constructor; revolute and wheel joints
// in SetLimits. Refusing at creation keeps every later write-back of the limits safe.
std::string CheckLimits(float lower, float upper)
{
    return Unless(IsFinite(lower) && IsFinite(upper) && lower <= upper, "joint limits are inverted or not finite");
}

// Negative motor forces and torques are accepted by the library and turn the motor around.
std::string CheckMotor(float speed, float maxForceOrTorque)
{
    return Unless(IsFinite(speed) && IsNonNegative(maxForceOrTorque),
                  "motor speed is not finite or its maximum force or torque is negative");
}

// Negative stiffness or damping is accepted by the library and adds energy until the bodies
// fly apart.
std::string CheckStiffness(float stiffness, float damping)
{
    return Unless(IsNonNegative(stiffness) && IsNonNegative(damping),
                  "spring stiffness or damping is negative or not finite");
}

// Accepted at creation, but the friction and motor joints' setters assert on these.
std::string CheckMaxima(float maxForce, float maxTorque)
{
    return Unless(IsNonNegative(maxForce) && IsNonNegative(maxTorque),
                  "maximum force or torque is negative or not finite");
}

std::string CheckRevolute(const b2RevoluteJointDef& def)
{
    return FirstReason({CheckAnchors(def.localAnchorA, def.localAnchorB), CheckAngle(def.referenceAngle),
                        CheckLimits(def.lowerAngle, def.upperAngle), CheckMotor(def.motorSpeed, def.maxMotorTorque)});
}

std::string CheckPrismatic(const b2PrismaticJointDef& def)
{
    return FirstReason({CheckAnchors(def.localAnchorA, def.localAnchorB), CheckAxis(def.localAxisA),
                        CheckAngle(def.referenceAngle), CheckLimits(def.lowerTranslation, def.upperTranslation),
                        CheckMotor(def.motorSpeed, def.maxMotorForce)});
}

std::string CheckDistance(const b2DistanceJointDef& def)
{
    const bool finite = IsFinite(def.length) && IsFinite(def.minLength) && IsFinite(def.maxLength);
    return FirstReason({CheckAnchors(def.localAnchorA, def.localAnchorB),
                        Unless(finite && def.length <= k_maxCoordinate, "joint length is not finite or too long"),
                        CheckStiffness(def.stiffness, def.damping)});
}

std::string CheckPulley(const b2PulleyJointDef& def)
{
    // Asserts on a ratio of 0; Initialize asserts on any ratio not above b2_epsilon, which is
    // how such a joint is meant to be made.
    return FirstReason({CheckAnchors(def.localAnchorA, def.localAnchorB),
                        CheckAnchors(def.groundAnchorA, def.groundAnchorB),
                        Unless(IsNonNegative(def.lengthA) && IsNonNegative(def.lengthB),
                               "pulley length is negative or not finite"),
                        Unless(IsFinite(def.ratio) && def.ratio > b2_epsilon, "pulley ratio is not positive")});
}

std::string CheckMouse(const b2MouseJointDef& def)
{
    return FirstReason({Unless(IsSaneCoordinate(def.target), "mouse target is not finite or too far out"),
                        Unless(IsNonNegative(def.maxForce), "maximum force is negative or not finite"),
                        CheckStiffness(def.stiffness, def.damping)});
}

std::string CheckGear(const b2World& world, const b2GearJointDef& def)
{
    // A missing joint crashes, a joint of another type asserts, a joint of another world
    // links two worlds' bodies.
    for (b2Joint* joint : {def.joint1, def.joint2})
    {
        if (joint == nullptr || !BelongsTo(world, joint))
        {
            return "gear joint needs two joints of this world";
        }
        if (joint->GetType() != e_revoluteJoint && joint->GetType() != e_prismaticJoint)
        {
            return "gear joint connects only revolute and prismatic joints";
        }
    }
    // The gear takes its bodies from the joints it couples (body B of each), whatever the
    // definition names, and asserts unless both are dynamic.
    if (def.joint1->GetBodyB()->GetType() != b2_dynamicBody || def.joint2->GetBodyB()->GetType() != b2_dynamicBody)
    {
        return "gear joint needs joints whose second body is dynamic";
    }
    // Two joints that move the same body would tie that body to itself: the library accepts
    // it here, but such a joint cannot be saved and loaded (a joint of a body to itself asserts).
    if (def.joint1->GetBodyB() == def.joint2->GetBodyB())
    {
        return "gear joint's two joints move the same body";
    }
    return Unless(IsFinite(def.ratio), "gear ratio is not finite");
}

std::string CheckWheel(const b2WheelJointDef& def)
{
    return FirstReason({CheckAnchors(def.localAnchorA, def.localAnchorB), CheckAxis(def.localAxisA),
                        CheckLimits(def.lowerTranslation, def.upperTranslation),
                        CheckMotor(def.motorSpeed, def.maxMotorTorque), CheckStiffness(def.stiffness, def.damping)});
}

std::string CheckWeld(const b2WeldJointDef& def)
{
    return FirstReason({CheckAnchors(def.localAnchorA, def.localAnchorB), CheckAngle(def.referenceAngle),
                        CheckStiffness(def.stiffness, def.damping)});
}

std::string CheckFriction(const b2FrictionJointDef& def)
{
    return FirstReason({CheckAnchors(def.localAnchorA, def.localAnchorB), CheckMaxima(def.maxForce, def.maxTorque)});
}

std::string CheckMotorJoint(const b2MotorJointDef& def)
{
    // SetCorrectionFactor asserts outside 0 to 1.
    return FirstReason({Unless(IsSaneCoordinate(def.linearOffset) && IsFinite(def.angularOffset),
                               "motor joint offset is not finite or too far out"),
                        CheckMaxima(def.maxForce, def.maxTorque),
                        Unless(def.correctionFactor >= 0.0f && def.correctionFactor <= 1.0f,
                               "correction factor is outside 0 to 1")});
}

std::string CheckBodies(const b2World& world, const b2JointDef& def)
{
    // Asserts: a locked world, a joint of a body to itself. A body of another world is not
    // asserted on, but the joint would tie this world's lists to it.
    const std::string locked = CheckUnlocked(world);
    if (!locked.empty())
    {
        return locked;
    }
    if (def.bodyA == nullptr || def.bodyB == nullptr)
    {
        return "joint needs two bodies";
    }
    return FirstReason({Unless(def.bodyA != def.bodyB, "joint connects a body to itself"),
                        Unless(def.bodyA->GetWorld() == &world && def.bodyB->GetWorld() == &world,
                               "joint body belongs to another world")});
}

}  // namespace

std::string CheckJointDef(const b2World& world, const b2JointDef& def)
{
    std::string reason = CheckBodies(world, def);
    if (!reason.empty())
    {
        return reason;
    }
    // The definition's class follows from its type, as the library itself assumes.
    switch (def.type)
    {
    case e_revoluteJoint:
        return CheckRevolute(static_cast<const b2RevoluteJointDef&>(def));
    case e_prismaticJoint:
        return CheckPrismatic(static_cast<const b2PrismaticJointDef&>(def));
    case e_distanceJoint:
        return CheckDistance(static_cast<const b2DistanceJointDef&>(def));
    case e_pulleyJoint:
        return CheckPulley(static_cast<const b2PulleyJointDef&>(def));
    case e_mouseJoint:
        return CheckMouse(static_cast<const b2MouseJointDef&>(def));
    case e_gearJoint:
        return CheckGear(world, static_cast<const b2GearJointDef&>(def));
    case e_wheelJoint:
        return CheckWheel(static_cast<const b2WheelJointDef&>(def));
    case e_weldJoint:
        return CheckWeld(static_cast<const b2WeldJointDef&>(def));
    case e_frictionJoint:
        return CheckFriction(static_cast<const b2FrictionJointDef&>(def));
    case e_motorJoint:
        return CheckMotorJoint(static_cast<const b2MotorJointDef&>(def));
    default:
        return "the library cannot create this joint type";  // asserts
    }
}

}  // namespace Physics
