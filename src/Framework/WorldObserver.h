// Told by a scene host before one of its world's objects, or the world itself, goes away, so that
// code keeping pointers into the world (the editor) can drop them while they are still valid.
// The physics library reuses a freed address at once: a pointer kept past this call may later
// name an unrelated new object.
#pragma once

#include <box2d/box2d.h>

class WorldObserver
{
public:
    virtual ~WorldObserver() = default;

    // A body goes with its fixtures and joints; each of those is announced on its own as well.
    virtual void BodyGoing(b2Body*) {}
    virtual void FixtureGoing(b2Fixture*) {}
    virtual void JointGoing(b2Joint*) {}
    // The whole world is deleted; no object of it is announced separately. `replacement` is the
    // world the host goes on with, or null when the host itself is going.
    virtual void WorldGoing(b2World* /*world*/, b2World* /*replacement*/) {}
};
