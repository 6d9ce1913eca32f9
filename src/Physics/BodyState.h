// Body switches with the meaning scene files give them.
#pragma once

#include <box2d/box2d.h>

namespace Physics
{

// A body that takes part in the simulation ("active" in scene files). Refused while the world
// is locked.
bool SetBodyActive(b2Body* body, bool active);
bool IsBodyActive(const b2Body* body);

// Rebuild a body's broad-phase proxies after its shapes were changed in place.
bool RefreshProxies(b2Body* body);

// Put a body to sleep: velocities, force, torque and sleep time cleared.
void PutToSleep(b2Body* body);

}  // namespace Physics
