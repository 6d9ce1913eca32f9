// A pinball table: a closed chain as the table, two motorised flippers and a fast ball.
#pragma once

#include "Tests/RegisteredScene.h"

class Pinball : public RegisteredScene<Pinball>
{
public:
    Pinball();

    void Step(Settings* settings) override;
    void Keyboard(unsigned char key) override;
    void KeyboardUp(unsigned char key) override;
    void JointDestroyed(b2Joint* joint) override;

private:
    b2RevoluteJoint* m_leftJoint = nullptr;
    b2RevoluteJoint* m_rightJoint = nullptr;
    bool m_button = false;
};
