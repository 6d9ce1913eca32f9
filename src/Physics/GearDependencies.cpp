#include "Physics/GearDependencies.h"

namespace Physics
{

namespace
{

template <class UsesJoint>
std::vector<b2Joint*> GearsUsing(b2World* world, UsesJoint usesJoint)
{
    std::vector<b2Joint*> gears;
    for (b2Joint* joint = world->GetJointList(); joint != nullptr; joint = joint->GetNext())
    {
        if (joint->GetType() != e_gearJoint)
        {
            continue;
        }
        auto* gear = static_cast<b2GearJoint*>(joint);
        if (usesJoint(gear->GetJoint1()) || usesJoint(gear->GetJoint2()))
        {
            gears.push_back(gear);
        }
    }
    return gears;
}

}  // namespace

std::vector<b2Joint*> GearsDependingOn(b2World* world, const b2Body* body)
{
    return GearsUsing(world, [body](b2Joint* joint) {
        return joint->GetBodyA() == body || joint->GetBodyB() == body;
    });
}

std::vector<b2Joint*> GearsDependingOn(b2World* world, const b2Joint* joint)
{
    return GearsUsing(world, [joint](const b2Joint* used) { return used == joint; });
}

}  // namespace Physics
