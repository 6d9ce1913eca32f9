// A world step that never leaves the world not-a-number. The library's solver overflows on some
// worlds it accepts (a sliver of a polygon far from its body's origin at the end of a stretched
// chain of welds; a gravity scale times a mass beyond the float range) and then writes NaN into
// every body the overflow reaches. A saved scene would then lose those bodies.
#pragma once

#include <box2d/box2d.h>

#include <vector>

namespace Physics
{

class FiniteStepper
{
public:
    // Steps the world. When the step leaves any body's position, angle or velocity not finite,
    // every body gets back the place and velocity it had before the step, and this returns false.
    bool step(b2World* world, float timeStep, int velocityIterations, int positionIterations);

private:
    struct Motion
    {
        b2Vec2 position;
        float angle;
        b2Vec2 linearVelocity;
        float angularVelocity;
    };
    std::vector<Motion> m_before;  // kept between steps so that a frame allocates nothing
};

}  // namespace Physics
