// A thin plank thrown down at a thin wall standing on the ground, spinning at a random rate;
// continuous collision against the static ground stops it from tunnelling. It is thrown again
// every 1.5 seconds.
#pragma once

#include "Tests/RelaunchingScene.h"

class ContinuousTest : public RelaunchingScene
{
public:
    static Test* Create();
    ContinuousTest();

    void BodyDestroyed(b2Body* body) override;

    b2Body* GetPlank() const { return m_plank; }

protected:
    void Launch() override;

private:
    b2Body* m_plank = nullptr;
};
