// Checks applied to values that reach the physics library from input the user controls
// (scene files, the clipboard, panel values, editor gestures). The library is built with its
// assertions on, so a value it would assert on must be refused here, before the call.
#pragma once

#include <box2d/box2d.h>

#include <string>

namespace Physics
{

// Coordinates beyond this magnitude overflow the broad-phase bounds arithmetic.
constexpr float kMaxCoordinate = 1.0e9f;

bool IsFinite(float value);
bool IsFinite(const b2Vec2& v);
// Finite and within kMaxCoordinate: usable as a position, vertex, anchor or vector.
bool IsSaneCoordinate(const b2Vec2& v);

// Each returns an empty string when the definition is safe to hand to the library,
// otherwise a short reason ("linear damping is negative").
std::string CheckBodyDef(const b2BodyDef& def);
std::string CheckFixtureDef(const b2FixtureDef& def);  // def.shape included
std::string CheckShape(const b2Shape& shape);
std::string CheckJointDef(const b2World& world, const b2JointDef& def);
std::string CheckMassData(const b2Body& body, const b2MassData& massData);

}  // namespace Physics
