// A tray on a revolute joint with a limit and a motor, carrying circles and polygons dropped
// onto it.
#pragma once

#include "Tests/RegisteredScene.h"

class Revolute : public RegisteredScene<Revolute>
{
public:
    Revolute();

    void Step(Settings* settings) override;
    void Keyboard(unsigned char key) override;
    void JointDestroyed(b2Joint* joint) override;

private:
    b2RevoluteJoint* m_joint = nullptr;
};
