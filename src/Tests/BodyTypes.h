// A platform sliding on a prismatic joint along the ground, with a bar hanging from a hinge
// under it down to the ground, carrying a box. Keys switch the platform between dynamic, static and kinematic; as a
// kinematic body it shuttles left and right on its own.
#pragma once

#include "Tests/RegisteredScene.h"

class BodyTypes : public RegisteredScene<BodyTypes>
{
public:
    static constexpr float k_platformSpeed = 3.0f;

    BodyTypes();

    void Step(Settings* settings) override;
    void Keyboard(unsigned char key) override;
    void BodyDestroyed(b2Body* body) override;

    b2Body* GetPlatform() const { return m_platform; }

private:
    b2Body* m_platform = nullptr;
};
