#include "Physics/GearDependencies.h"

#include <algorithm>

namespace Physics
{

namespace
{

// A gear joint's bodies are the second bodies of the two joints it couples, so every gear using
// `joint` is in the joint list of that joint's body B: no walk over the whole world is needed.
void AddGearsUsing(const b2Joint* joint, std::vector<b2Joint*>& gears)
{
    for (b2JointEdge* edge = const_cast<b2Joint*>(joint)->GetBodyB()->GetJointList(); edge != nullptr;
         edge = edge->next)
    {
        if (edge->joint->GetType() != e_gearJoint)
        {
            continue;
        }
        auto* gear = static_cast<b2GearJoint*>(edge->joint);
        if ((gear->GetJoint1() == joint || gear->GetJoint2() == joint) &&
            std::find(gears.begin(), gears.end(), gear) == gears.end())
        {
            gears.push_back(gear);
        }
    }
}

}  // namespace

std::vector<b2Joint*> GearsDependingOn(b2World*, const b2Body* body)
{
    std::vector<b2Joint*> gears;
    for (b2JointEdge* edge = const_cast<b2Body*>(body)->GetJointList(); edge != nullptr; edge = edge->next)
    {
        AddGearsUsing(edge->joint, gears);
    }
    return gears;
}

std::vector<b2Joint*> GearsDependingOn(b2World*, const b2Joint* joint)
{
    std::vector<b2Joint*> gears;
    AddGearsUsing(joint, gears);
    return gears;
}

}  // namespace Physics
