// Columns of stacked boxes against a wall, and a bullet fired into them on demand.
#pragma once

#include "Framework/Test.h"

class VerticalStack : public Test
{
public:
    VerticalStack();
    static Test* Create();

    void Step(Settings* settings) override;
    void Keyboard(unsigned char key) override;
    void BodyDestroyed(b2Body* body) override;

private:
    void LaunchBullet();

    b2Body* m_bullet = nullptr;
};
