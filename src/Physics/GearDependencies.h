// Gear joints hold pointers to two other joints, which the library does not follow when those
// joints go away (with their body or on their own): such gears must be destroyed first.
#pragma once

#include <box2d/box2d.h>

#include <vector>

namespace Physics
{

// Gears of `world` that use a joint attached to `body`, each listed once.
std::vector<b2Joint*> GearsDependingOn(b2World* world, const b2Body* body);

// Gears of `world` that use `joint`, each listed once.
std::vector<b2Joint*> GearsDependingOn(b2World* world, const b2Joint* joint);

}  // namespace Physics
