// A platform that a ball thrown from below flies through and then lands on.
#pragma once

#include "Framework/Test.h"

class OneSidedPlatform : public Test
{
public:
    OneSidedPlatform();
    static Test* Create();

    void PreSolve(b2Contact* contact, const b2Manifold* oldManifold) override;
    void FixtureDestroyed(b2Fixture* fixture) override;

private:
    b2Fixture* m_platform = nullptr;
    b2Fixture* m_character = nullptr;
};
