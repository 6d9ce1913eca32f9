// A platform that a ball thrown from below flies through and then lands on.
#pragma once

#include "Tests/RegisteredScene.h"

class OneSidedPlatform : public RegisteredScene<OneSidedPlatform>
{
public:
    OneSidedPlatform();

    void PreSolve(b2Contact* contact, const b2Manifold* oldManifold) override;
    void FixtureDestroyed(b2Fixture* fixture) override;

private:
    b2Fixture* m_platform = nullptr;
    b2Fixture* m_character = nullptr;
};
