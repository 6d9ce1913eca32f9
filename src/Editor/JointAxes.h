// Axes of prismatic and wheel joints in world coordinates.
#pragma once

#include <box2d/box2d.h>

// Body A's rotation applied to the joint's local axis, normalised unless it is shorter than
// FLT_EPSILON. (0, 0) for joints without an axis.
b2Vec2 JointWorldAxis(const b2Joint* joint);
