// Four boxes held to the ground and to each other by eight soft distance joints; bodies and
// joints can be deleted one by one.
#pragma once

#include "Tests/RegisteredScene.h"

class Web : public RegisteredScene<Web>
{
public:
    Web();

    void Step(Settings* settings) override;
    void Keyboard(unsigned char key) override;
    void JointDestroyed(b2Joint* joint) override;
    void BodyDestroyed(b2Body* body) override;

private:
    b2Body* m_bodies[4] = {};
    b2Joint* m_joints[8] = {};
};
