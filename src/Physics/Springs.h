// Springs described by frequency (Hz) and damping ratio, as scene files and the panel store
// them. The library wants stiffness and damping, which depend on the bodies' masses, so the
// frequency and ratio are the stored values and stiffness is derived from them again whenever
// masses may have changed.
#pragma once

#include <box2d/box2d.h>

namespace Physics
{

// Distance, wheel, weld and mouse joints. For a distance joint a frequency of 0 makes a rigid
// rod of its length, a positive one a spring around it. False for other joint types, for
// non-finite or negative values.
bool SetSpring(b2Joint* joint, float frequencyHz, float dampingRatio);
float GetSpringFrequency(const b2Joint* joint);
float GetSpringDampingRatio(const b2Joint* joint);

// The distance joint's rest length; a rigid rod follows it.
bool SetDistanceLength(b2Joint* distanceJoint, float length);

// Recompute stiffness and damping of every spring in the world from the stored frequency and
// ratio and the bodies' current masses. Cheap; called before each step.
void UpdateSprings(b2World* world);

}  // namespace Physics
