// Body switches with the meaning scene files give them.
#pragma once

#include <box2d/box2d.h>

#include <string>

namespace Physics
{

// A body that takes part in the simulation ("active" in scene files). Refused while the world
// is locked.
bool SetBodyActive(b2Body* body, bool active);
bool IsBodyActive(const b2Body* body);

// Rebuild a body's broad-phase proxies after its shapes were changed in place.
bool RefreshProxies(b2Body* body);

// The library's SetType and SetFixedRotation, which recompute the mass: refused (false, with
// *error set when given) while the world is locked or when the recomputation would assert
// (see CheckMassReset).
bool SetBodyType(b2Body* body, b2BodyType type, std::string* error = nullptr);
bool SetFixedRotation(b2Body* body, bool fixedRotation, std::string* error = nullptr);

// Put a body to sleep: velocities, force, torque and sleep time cleared.
void PutToSleep(b2Body* body);

// Pairs up the broad-phase proxies that were created or moved since the last step, as the next
// step would. The broad-phase lists them until a step, and every proxy destroyed meanwhile
// searches that list: in a world that is edited without stepping, call this after each edit so
// that destruction stays cheap. Refused (false) while the world is locked.
bool SettleBroadPhase(b2World* world);

}  // namespace Physics
