// Two wheels on revolute joints and a rack on a prismatic joint, coupled by gear joints as if
// their teeth meshed: the falling rack turns the large wheel, which turns the small one. The
// read-outs show that each gear's sum stays constant.
#pragma once

#include "Tests/RegisteredScene.h"

class Gears : public RegisteredScene<Gears>
{
public:
    Gears();

    void Step(Settings* settings) override;
    void JointDestroyed(b2Joint* joint) override;

private:
    b2RevoluteJoint* m_smallWheelJoint = nullptr;
    b2RevoluteJoint* m_largeWheelJoint = nullptr;
    b2PrismaticJoint* m_rackJoint = nullptr;
    b2GearJoint* m_wheelGear = nullptr;
    b2GearJoint* m_rackGear = nullptr;
};
