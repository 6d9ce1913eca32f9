#include "Editor/JointAxes.h"

#include <cfloat>

b2Vec2 JointWorldAxis(const b2Joint* joint)
{
    b2Vec2 localAxis = b2Vec2_zero;
    if (joint->GetType() == e_prismaticJoint)
    {
        localAxis = static_cast<const b2PrismaticJoint*>(joint)->GetLocalAxisA();
    }
    else if (joint->GetType() == e_wheelJoint)
    {
        localAxis = static_cast<const b2WheelJoint*>(joint)->GetLocalAxisA();
    }
    // The library offers no const access to a joint's bodies.
    b2Vec2 axis = b2Mul(const_cast<b2Joint*>(joint)->GetBodyA()->GetTransform().q, localAxis);
    if (axis.Length() >= FLT_EPSILON)
    {
        axis.Normalize();
    }
    return axis;
}
