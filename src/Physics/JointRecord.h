// What the layer remembers about a joint, kept in the joint's own user data so that it can
// neither outlive the joint nor be inherited by a new joint at a reused address: the spring
// frequency and damping ratio as given (bit for bit), or the mark of a rope.
#pragma once

#include <box2d/box2d.h>

namespace Physics
{

struct JointRecord
{
    float frequencyHz = 0.0f;
    float dampingRatio = 0.0f;
    bool rope = false;
};

// A joint the layer never recorded anything on reads as frequency 0, ratio 0, no rope.
JointRecord ReadJointRecord(const b2Joint* joint);
void RecordSpring(b2Joint* joint, float frequencyHz, float dampingRatio);
void RecordRope(b2Joint* joint);

}  // namespace Physics
