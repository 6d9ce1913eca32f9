// Joint kinds as scene files and the editor know them, including the rope joint, which the
// library builds as a distance joint bounded only from above.
#pragma once

#include <box2d/box2d.h>

#include <string>

namespace Physics
{

// The library's type, except e_ropeJoint for a rope made by CreateRopeJoint.
b2JointType GetJointType(const b2Joint* joint);

// A gear coupling two revolute or prismatic joints at `ratio`, between the bodies they move
// (body B of each), as scene files define gears.
b2GearJointDef CouplingGear(b2Joint* joint1, b2Joint* joint2, float ratio = 1.0f);

struct RopeJointDef
{
    b2Body* bodyA = nullptr;
    b2Body* bodyB = nullptr;
    b2Vec2 localAnchorA = b2Vec2_zero;
    b2Vec2 localAnchorB = b2Vec2_zero;
    float maxLength = 0.0f;
    bool collideConnected = false;
};

// A rope: the anchors never get further apart than maxLength, nothing stops them coming
// closer. Null (with *error set when given) on refused input: the bodies as CreateJoint
// checks them, a non-finite length or one beyond k_maxCoordinate. Lengths below b2_linearSlop,
// where the library's distance joints are not stable, become b2_linearSlop; others are kept
// bit for bit.
b2Joint* CreateRopeJoint(b2World* world, const RopeJointDef& def, std::string* error = nullptr);
// 0 for a joint that is not a rope.
float GetRopeMaxLength(const b2Joint* rope);
// False for a joint that is not a rope or a length CreateRopeJoint refuses.
bool SetRopeMaxLength(b2Joint* rope, float maxLength);

}  // namespace Physics
