// In-place edits of joints whose stored definition fields the library offers no setter for.
// Each writes only the named field: no wake-up, no change of lengths, limits or motors, and
// the joint object (and every pointer to it) is kept. False when the joint type has no such
// field or the value is not finite.
#pragma once

#include <box2d/box2d.h>

namespace Physics
{

// Store `worldPoint` as local anchor A (B), expressed in body A's (B's) current frame.
// Distance, prismatic, revolute, rope and wheel joints.
bool SetAnchorA(b2Joint* joint, const b2Vec2& worldPoint);
bool SetAnchorB(b2Joint* joint, const b2Vec2& worldPoint);

// Prismatic and wheel joints: the local x axis becomes `axis` unchanged (not normalised),
// the local y axis its perpendicular (-axis.y, axis.x). A zero axis is refused: it would leave
// the joint nothing to slide along.
bool SetAxis(b2Joint* joint, const b2Vec2& axis);

// Prismatic joints.
bool SetReferenceAngle(b2Joint* joint, float angle);

// Revolute (radians), prismatic and wheel joints (metres). False unless both are finite and
// lower <= upper: the library asserts on inverted limits.
bool SetLimits(b2Joint* joint, float lower, float upper);

// Any joint type. Existing contacts between the two bodies are not re-filtered; the caller
// rebuilds them where that matters.
void SetCollideConnected(b2Joint* joint, bool flag);

}  // namespace Physics
