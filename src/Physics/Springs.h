// Springs described by frequency (Hz) and damping ratio, as scene files and the panel store
// them. The library wants stiffness and damping, which depend on the bodies' masses, so the
// frequency and ratio are the stored values and stiffness is derived from them again whenever
// masses may have changed.
#pragma once

#include <box2d/box2d.h>

namespace Physics
{

// Distance, wheel, weld and mouse joints (not ropes). For a distance joint a frequency of 0
// makes a rigid rod of its length, a positive one a spring around it (free between
// b2_linearSlop and a length too great to matter). False for other joint types, for
// non-finite or negative values. The values are kept in the joint's user data.
bool SetSpring(b2Joint* joint, float frequencyHz, float dampingRatio);
// The values given to SetSpring, bit for bit. 0 for a joint never given them, even one whose
// stiffness was set straight through the library: the library keeps no frequency.
float GetSpringFrequency(const b2Joint* joint);
float GetSpringDampingRatio(const b2Joint* joint);

// The distance joint's rest length (at least b2_linearSlop); a rigid rod's minimum and
// maximum follow it. False for ropes, other types and non-finite lengths.
bool SetDistanceLength(b2Joint* distanceJoint, float length);

// Recompute stiffness and damping of every spring in the world from the stored frequency and
// ratio and the bodies' current masses. Joints without a stored frequency keep what they have.
// Cheap (a pass over the joint list); called before each step.
void UpdateSprings(b2World* world);

}  // namespace Physics
