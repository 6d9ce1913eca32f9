// A body of two boxes that splits in two when something hits it hard: the contact callback
// notices the hit, and the next step (when the world may be changed again) moves the second
// box to a body of its own.
#pragma once

#include "Tests/RegisteredScene.h"

class Breakable : public RegisteredScene<Breakable>
{
public:
    Breakable();

    void PostSolve(b2Contact* contact, const b2ContactImpulse* impulse) override;
    void Step(Settings* settings) override;
    void BodyDestroyed(b2Body* body) override;
    void FixtureDestroyed(b2Fixture* fixture) override;

private:
    void Break();

    b2Body* m_body = nullptr;
    b2Fixture* m_piece1 = nullptr;
    b2Fixture* m_piece2 = nullptr;
    // The body's motion before the step that broke it.
    b2Vec2 m_velocity = b2Vec2_zero;
    float m_angularVelocity = 0.0f;
    bool m_hitHard = false;
    bool m_broken = false;
};
