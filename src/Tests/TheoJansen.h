// Theo Jansen's walking linkage: six legs of two triangles each, driven by a motorised crank
// wheel through soft distance joints, walking over a carpet of balls.
#pragma once

#include "Tests/RegisteredScene.h"

class TheoJansen : public RegisteredScene<TheoJansen>
{
public:
    TheoJansen();

    void Step(Settings* settings) override;
    void Keyboard(unsigned char key) override;
    void JointDestroyed(b2Joint* joint) override;
    void BodyDestroyed(b2Body* body) override;

private:
    // One leg on side s (-1 left, +1 right) hinged on the chassis and tied to the crank wheel
    // at `wheelAnchor` (scene coordinates before the offset).
    void CreateLeg(float s, const b2Vec2& wheelAnchor);

    b2Vec2 m_offset{0.0f, 8.0f};
    b2Body* m_chassis = nullptr;
    b2Body* m_wheel = nullptr;
    b2RevoluteJoint* m_motorJoint = nullptr;
    float m_motorSpeed = 2.0f;
    bool m_motorOn = true;
};
