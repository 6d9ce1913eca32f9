// Two boxes hanging on a pulley joint whose sides have different ratios.
#pragma once

#include "Tests/RegisteredScene.h"

class Pulleys : public RegisteredScene<Pulleys>
{
public:
    Pulleys();

    void Step(Settings* settings) override;
    void JointDestroyed(b2Joint* joint) override;

private:
    b2PulleyJoint* m_joint1 = nullptr;
};
