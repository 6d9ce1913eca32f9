// A ship pushed around a walled room by a thruster and turned by torques. There is no gravity:
// friction joints to the floor slow the ship and the crates down as if seen from above.
#pragma once

#include "Tests/RegisteredScene.h"

class ApplyForce : public RegisteredScene<ApplyForce>
{
public:
    ApplyForce();

    void Keyboard(unsigned char key) override;
    void BodyDestroyed(b2Body* body) override;

private:
    b2Body* m_ship = nullptr;
};
