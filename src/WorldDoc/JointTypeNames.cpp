#include "WorldDoc/JointTypeNames.h"

namespace
{

struct JointTypeEntry
{
    b2JointType type;
    const char* name;
};

const JointTypeEntry k_jointTypes[] = {
    {e_revoluteJoint, "revolute"}, {e_prismaticJoint, "prismatic"}, {e_distanceJoint, "distance"},
    {e_pulleyJoint, "pulley"},     {e_mouseJoint, "mouse"},         {e_gearJoint, "gear"},
    {e_wheelJoint, "wheel"},       {e_weldJoint, "weld"},           {e_frictionJoint, "friction"},
    {e_ropeJoint, "rope"},
};

}  // namespace

const char* JointTypeName(b2JointType type)
{
    for (const JointTypeEntry& entry : k_jointTypes)
    {
        if (entry.type == type)
        {
            return entry.name;
        }
    }
    return nullptr;
}

b2JointType JointTypeFromName(const std::string& name)
{
    for (const JointTypeEntry& entry : k_jointTypes)
    {
        if (name == entry.name)
        {
            return entry.type;
        }
    }
    return e_unknownJoint;
}
