#include "Physics/GearDependencies.h"

namespace Physics
{

namespace
{

bool Couples(b2GearJoint* gear, const b2Joint* joint)
{
    return gear->GetJoint1() == joint || gear->GetJoint2() == joint;
}

bool Touches(b2Joint* joint, const b2Body* body)
{
    return joint->GetBodyA() == body || joint->GetBodyB() == body;
}

template <typename Predicate>
std::vector<b2Joint*> GearsWhere(b2World* world, Predicate dependsOn)
{
    std::vector<b2Joint*> gears;
    for (b2Joint* j = world->GetJointList(); j != nullptr; j = j->GetNext())
    {
        if (j->GetType() == e_gearJoint && dependsOn(static_cast<b2GearJoint*>(j)))
        {
            gears.push_back(j);
        }
    }
    return gears;
}

}  // namespace

std::vector<b2Joint*> GearsDependingOn(b2World* world, const b2Joint* joint)
{
    return GearsWhere(world, [joint](b2GearJoint* gear) { return Couples(gear, joint); });
}

std::vector<b2Joint*> GearsDependingOn(b2World* world, const b2Body* body)
{
    return GearsWhere(world, [body](b2GearJoint* gear) {
        return Touches(gear, body) || Touches(gear->GetJoint1(), body) || Touches(gear->GetJoint2(), body);
    });
}

}  // namespace Physics
