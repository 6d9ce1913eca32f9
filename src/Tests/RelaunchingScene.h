// Base of the scenes that fire a fast body at thin targets again and again. Each launch resets
// the library's collision counters, and every frame shows how much distance and time-of-impact
// work continuous collision has done since.
#pragma once

#include "Framework/Test.h"

class RelaunchingScene : public Test
{
public:
    // Simulated steps from one launch to the next.
    static constexpr int k_relaunchPeriod = 90;

    void Step(Settings* settings) override;

protected:
    // Puts the scene's bodies back in their launch state.
    virtual void Launch() = 0;
    // Resets the counters and launches.
    void Relaunch();

    // The target: a ground edge as wide as the view with a thin wall, 4 m tall, standing on
    // it. A body knocked off the ground falls until the next launch puts it back.
    void CreateTargetGround();
};
