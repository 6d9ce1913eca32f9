// Guarded creation of bodies, fixtures and joints. Every creation from user-controlled values
// goes through here: a refused definition returns null and says why. The user data of created
// fixtures and joints belongs to this layer (it is reset on creation).
#pragma once

#include <box2d/box2d.h>

#include <string>

namespace Physics
{

// Null with *error set when the world is locked or the definition would trip a library
// assertion. `error` may be null.
b2Body* CreateBody(b2World* world, const b2BodyDef& def, std::string* error = nullptr);
b2Fixture* CreateFixture(b2Body* body, const b2FixtureDef& def, std::string* error = nullptr);

// Distance joints are created with the older rigid-rod meaning (minimum and maximum length
// equal to the length); give them a spring afterwards with SetSpring.
b2Joint* CreateJoint(b2World* world, const b2JointDef& def, std::string* error = nullptr);

// Mass data as the scene format stores it; refused (false) when the library would assert,
// for example a rotational inertia about the origin smaller than mass × |centre|².
bool SetMassData(b2Body* body, const b2MassData& massData, std::string* error = nullptr);

// The library's ResetMassData, refused (false) when it would assert: a dynamic body whose
// fixtures' inertia about their common centre of mass comes out zero or negative in single
// precision (small fixtures far from the body origin).
bool ResetMassData(b2Body* body, std::string* error = nullptr);

}  // namespace Physics
