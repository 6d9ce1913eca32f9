// Base of the scenes that fire a fast body at thin targets again and again. Each launch resets
// the library's collision counters, and every frame shows how much distance and time-of-impact
// work continuous collision has done since.
#pragma once

#include "Framework/Test.h"

class RelaunchingScene : public Test
{
public:
    void Step(Settings* settings) override;

protected:
    // Relaunches every `period` simulated steps.
    explicit RelaunchingScene(int period);

    // Puts the scene's bodies back in their launch state.
    virtual void Launch() = 0;
    // Resets the counters and launches.
    void Relaunch();

    // The target: a ground edge 40 m wide with a thin wall, 4 m tall, standing on it.
    void CreateWalledGround();

private:
    int m_period;
};
