// A chain of planks hanging from the ground with a heavy weight at its end, and a rope from the
// ground to the weight that keeps the chain from stretching; the rope can be cut and re-tied.
#pragma once

#include "Tests/RegisteredScene.h"
#include "Physics/JointKinds.h"

class RopeJoint : public RegisteredScene<RopeJoint>
{
public:
    RopeJoint();

    void Step(Settings* settings) override;
    void Keyboard(unsigned char key) override;
    void JointDestroyed(b2Joint* joint) override;
    void BodyDestroyed(b2Body* body) override;

private:
    Physics::RopeJointDef m_ropeDef;
    b2Joint* m_rope = nullptr;
};
