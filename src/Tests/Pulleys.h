// Two boxes hanging on a pulley joint whose sides have different ratios.
#pragma once

#include "Framework/Test.h"

class Pulleys : public Test
{
public:
    Pulleys();
    static Test* Create();

    void Step(Settings* settings) override;
    void JointDestroyed(b2Joint* joint) override;

private:
    b2PulleyJoint* m_joint1 = nullptr;
};
