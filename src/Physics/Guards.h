// Checks applied to values that reach the physics library from input the user controls
// (scene files, the clipboard, panel values, editor gestures). The library is built with its
// assertions on, so a value it would assert on must be refused here, before the call. Which
// values assert was found by trying each against the library (comments say "asserts"); the
// other checks refuse values it accepts but that leave the simulation meaningless or make it
// diverge: non-finite numbers and negative magnitudes (densities, forces, stiffnesses).
#pragma once

#include <box2d/box2d.h>

#include <string>
#include <utility>
#include <vector>

namespace Physics
{

// Coordinates beyond this magnitude are refused: single precision resolves nothing finer than
// tens of metres there, and squared distances head for overflow.
constexpr float k_maxCoordinate = 1.0e9f;
// Amounts the editor lets a user type (masses, densities, gravity scales, friction, restitution,
// motor speeds and powers) stay within this magnitude. A step multiplies several of them
// together (gravity scale, mass and gravity; restitution and a mass's speed), and a product
// that overflows turns the body's velocity, then its position, into not-a-number.
constexpr float k_maxAmount = 1.0e9f;
// Typed masses and densities are 0 or at least this. The solver divides by masses and inertias
// and multiplies what it gets: a step of a bridge with one plank of mass 1e-30 made every body
// of it not-a-number.
constexpr float k_minMass = 1.0e-6f;

bool IsFinite(float value);
bool IsFinite(const b2Vec2& v);
// Finite and not below zero: usable as a density, friction, force, stiffness or damping.
bool IsNonNegative(float value);
// 0, 1 or 2. Check integers read from files with this before converting them to b2BodyType:
// other values (beyond 3) are not even valid values of the enumeration.
bool IsKnownBodyType(int type);

// Finite and within k_maxCoordinate: usable as a position, vertex, anchor or vector.
bool IsSaneCoordinate(const b2Vec2& v);

// Each point further than b2_linearSlop from the one before it: the library asserts on closer
// neighbours when it builds a chain (and again when a fixture copies it).
bool AreNeighboursApart(const b2Vec2* points, int count);

// "the world is locked" while the world steps (objects cannot be created, destroyed or
// reshaped then: the library asserts), else nothing.
std::string CheckUnlocked(const b2World& world);

// Each returns an empty string when the definition is safe to hand to the library,
// otherwise a short reason ("density is negative or not finite").
std::string CheckBodyDef(const b2BodyDef& def);
std::string CheckFixtureDef(const b2FixtureDef& def);  // def.shape included
std::string CheckShape(const b2Shape& shape);
std::string CheckJointDef(const b2World& world, const b2JointDef& def);
std::string CheckMassData(const b2Body& body, const b2MassData& massData);

// A change after which the library recomputes a body's mass from its fixtures (creating or
// destroying a fixture with density, ResetMassData, SetType, SetFixedRotation).
struct MassChange
{
    explicit MassChange(const b2Body& body)
        : type(body.GetType()), fixedRotation(body.IsFixedRotation())
    {
    }

    const b2FixtureDef* added = nullptr;  // joins the fixtures, in front as creation puts it
    const b2Fixture* removed = nullptr;   // leaves them
    b2BodyType type;                      // the body's type afterwards
    bool fixedRotation;                   // the body's fixed-rotation flag afterwards
    // Fixtures that keep their place in the list with another shape.
    std::vector<std::pair<const b2Fixture*, const b2Shape*>> reshaped;
    // Every density of the body's fixtures is multiplied by this (a new mass for the body).
    float densityScale = 1.0f;
};
// The library asserts when a dynamic body's inertia about its centre of mass comes out zero or
// negative in single precision, which happens to fixtures that are small for their distance
// from the body origin. This repeats its arithmetic exactly. A fixture with density whose shape
// CheckShape refuses is refused too: its mass computation asserts (a polygon without area can
// sit on a static body, which never computes its mass, until the body turns dynamic). A mass
// that overflows is refused too: the library would divide by it and leave the body's centre, and
// then its velocity, not a number.
std::string CheckMassReset(const b2Body& body, const MassChange& change);

}  // namespace Physics
