// The "type" strings by which scene files name joint types.
#pragma once

#include <box2d/box2d.h>

#include <string>

// Null for a type scene files cannot hold.
const char* JointTypeName(b2JointType type);
// e_unknownJoint for a name scene files do not use.
b2JointType JointTypeFromName(const std::string& name);
