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
    void BodyDestroyed(b2Body* body) override;

    b2Body* GetPlank() const { return m_plank; }

protected:
    // Puts the scene's bodies back in their launch state.
    virtual void Launch() = 0;
    // Resets the counters and launches.
    void Relaunch();

    // The target: a ground edge as wide as the view with a thin wall, 4 m tall, standing on
    // it; and the plank (8 m by 0.4 m) at `plankPosition`. A body knocked off the ground falls
    // until the next launch puts it back.
    void CreateTargetAndPlank(const b2Vec2& plankPosition);

    // Puts `body`, unless it was destroyed, at `position` unturned, moving at the given speeds.
    static void PutBack(b2Body* body, const b2Vec2& position, const b2Vec2& velocity, float angularVelocity);

    b2Body* m_plank = nullptr;
};
