// Gear joints hold pointers to the two joints they couple and to those joints' bodies, but the
// library neither destroys nor tells a gear when one of them goes. Whoever destroys a joint or a
// body destroys the gears that depend on it first.
#pragma once

#include <box2d/box2d.h>

#include <vector>

namespace Physics
{

// Gear joints of `world` coupling `joint`.
std::vector<b2Joint*> GearsDependingOn(b2World* world, const b2Joint* joint);
// Gear joints of `world` coupling a joint attached to `body`.
std::vector<b2Joint*> GearsDependingOn(b2World* world, const b2Body* body);

}  // namespace Physics
