// A box on a slanted prismatic joint to the ground, driven up its axis by a motor against a
// limit. Keys toggle the limit and the motor and reverse the motor.
#pragma once

#include "Tests/RegisteredScene.h"

class Prismatic : public RegisteredScene<Prismatic>
{
public:
    Prismatic();

    void Step(Settings* settings) override;
    void Keyboard(unsigned char key) override;
    void JointDestroyed(b2Joint* joint) override;

    b2PrismaticJoint* GetJoint() const { return m_joint; }

private:
    b2PrismaticJoint* m_joint = nullptr;
};
