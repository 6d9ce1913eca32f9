// A motor-driven crank turning a connecting rod that pushes a piston along a vertical slide,
// with a crate riding on the piston. The slide's motor at speed zero acts as friction.
#pragma once

#include "Tests/RegisteredScene.h"

class SliderCrank : public RegisteredScene<SliderCrank>
{
public:
    SliderCrank();

    void Step(Settings* settings) override;
    void Keyboard(unsigned char key) override;
    void JointDestroyed(b2Joint* joint) override;

private:
    b2RevoluteJoint* m_crankJoint = nullptr;
    b2PrismaticJoint* m_slideJoint = nullptr;
};
