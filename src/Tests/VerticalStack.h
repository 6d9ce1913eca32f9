// Columns of stacked boxes against a wall, and a bullet fired into them on demand.
#pragma once

#include "Tests/RegisteredScene.h"

class VerticalStack : public RegisteredScene<VerticalStack>
{
public:
    VerticalStack();

    void Step(Settings* settings) override;
    void Keyboard(unsigned char key) override;
    void BodyDestroyed(b2Body* body) override;

private:
    void LaunchBullet();

    b2Body* m_bullet = nullptr;
};
