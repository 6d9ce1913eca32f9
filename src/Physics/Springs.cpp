#include "Physics/Springs.h"

#include "Physics/Guards.h"
#include "Physics/JointKinds.h"
#include "Physics/JointRecord.h"

namespace Physics
{

namespace
{

// The maximum length of a spring: far enough never to act, small enough that the solver's
// length error times the step rate stays finite.
constexpr float k_springMaxLength = 100000.0f * b2_lengthUnitsPerMeter;

bool HasSpring(b2JointType type)
{
    return type == e_distanceJoint || type == e_wheelJoint || type == e_weldJoint || type == e_mouseJoint;
}

// Minimum then maximum length of a distance joint. The library clamps each against the other,
// so the minimum first drops to the slop, leaving room for any maximum.
void SetLengthRange(b2DistanceJoint& joint, float minLength, float maxLength)
{
    joint.SetMinLength(b2_linearSlop);
    joint.SetMaxLength(maxLength);
    joint.SetMinLength(minLength);
}

template <class Joint>
void Store(b2Joint* joint, float stiffness, float damping)
{
    auto* typed = static_cast<Joint*>(joint);
    typed->SetStiffness(stiffness);
    typed->SetDamping(damping);
}

// Stiffness and damping from the recorded frequency and ratio for the bodies' current masses:
// linear for the joints that hold a point, angular for the weld joint, which holds an angle.
void ApplyStiffness(b2Joint* joint, const JointRecord& record)
{
    float stiffness = 0.0f;
    float damping = 0.0f;
    const b2JointType type = joint->GetType();
    auto convert = type == e_weldJoint ? b2AngularStiffness : b2LinearStiffness;
    convert(stiffness, damping, record.frequencyHz, record.dampingRatio, joint->GetBodyA(), joint->GetBodyB());
    switch (type)
    {
    case e_distanceJoint:
        Store<b2DistanceJoint>(joint, stiffness, damping);
        break;
    case e_wheelJoint:
        Store<b2WheelJoint>(joint, stiffness, damping);
        break;
    case e_weldJoint:
        Store<b2WeldJoint>(joint, stiffness, damping);
        break;
    case e_mouseJoint:
        Store<b2MouseJoint>(joint, stiffness, damping);
        break;
    default:
        break;
    }
}

// Frequency and ratio of a joint that can carry a spring (ropes cannot), else null record.
JointRecord SpringRecord(const b2Joint* joint)
{
    if (joint == nullptr || !HasSpring(GetJointType(joint)))
    {
        return {};
    }
    return ReadJointRecord(joint);
}

}  // namespace

bool SetSpring(b2Joint* joint, float frequencyHz, float dampingRatio)
{
    if (joint == nullptr || !HasSpring(GetJointType(joint)) || !IsNonNegative(frequencyHz) ||
        !IsNonNegative(dampingRatio))
    {
        return false;
    }
    RecordSpring(joint, frequencyHz, dampingRatio);
    if (joint->GetType() == e_distanceJoint)
    {
        auto* distance = static_cast<b2DistanceJoint*>(joint);
        const float length = distance->GetLength();
        const bool spring = frequencyHz > 0.0f;
        SetLengthRange(*distance, spring ? b2_linearSlop : length, spring ? k_springMaxLength : length);
    }
    ApplyStiffness(joint, ReadJointRecord(joint));
    return true;
}

float GetSpringFrequency(const b2Joint* joint)
{
    return SpringRecord(joint).frequencyHz;
}

float GetSpringDampingRatio(const b2Joint* joint)
{
    return SpringRecord(joint).dampingRatio;
}

bool SetDistanceLength(b2Joint* distanceJoint, float length)
{
    if (distanceJoint == nullptr || GetJointType(distanceJoint) != e_distanceJoint || !IsFinite(length))
    {
        return false;
    }
    auto* distance = static_cast<b2DistanceJoint*>(distanceJoint);
    const float stored = distance->SetLength(length);
    if (!(ReadJointRecord(distance).frequencyHz > 0.0f))
    {
        SetLengthRange(*distance, stored, stored);
    }
    return true;
}

void UpdateSprings(b2World* world)
{
    if (world == nullptr)
    {
        return;
    }
    for (b2Joint* joint = world->GetJointList(); joint != nullptr; joint = joint->GetNext())
    {
        if (!HasSpring(joint->GetType()))
        {
            continue;
        }
        const JointRecord record = ReadJointRecord(joint);
        // Joints without a recorded frequency keep whatever stiffness they were given.
        if (!record.rope && record.frequencyHz > 0.0f)
        {
            ApplyStiffness(joint, record);
        }
    }
}

}  // namespace Physics
