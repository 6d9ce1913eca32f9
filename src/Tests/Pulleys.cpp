#include "Tests/Pulleys.h"

#include "Tests/SceneParts.h"

Pulleys::Pulleys()
{
    CreateGroundEdge(world, -40.0f, 40.0f);

    const float halfSize = 1.0f;
    const b2PolygonShape box = MakeBox(halfSize, halfSize);
    b2Body* boxA = CreateDynamicBody(world, b2Vec2(-6.0f, 20.0f), box, 5.0f);
    b2Body* boxB = CreateDynamicBody(world, b2Vec2(6.0f, 14.0f), box, 5.0f);

    // The rope runs from each box's top over a pulley at height 30; the B side counts 1.5
    // times, so with equal boxes A sinks to the ground and pulls B up.
    const b2Vec2 topA = boxA->GetPosition() + b2Vec2(0.0f, halfSize);
    const b2Vec2 topB = boxB->GetPosition() + b2Vec2(0.0f, halfSize);
    b2PulleyJointDef jd;
    jd.Initialize(boxA, boxB, b2Vec2(-6.0f, 30.0f), b2Vec2(6.0f, 30.0f), topA, topB, 1.5f);
    m_joint1 = static_cast<b2PulleyJoint*>(world->CreateJoint(&jd));
}

void Pulleys::Step(Settings* settings)
{
    Test::Step(settings);
    if (m_joint1)
    {
        const float ratio = m_joint1->GetRatio();
        const float length = m_joint1->GetCurrentLengthA() + ratio * m_joint1->GetCurrentLengthB();
        DrawLine("L1 + %4.2f * L2 = %4.2f", ratio, length);
    }
}

void Pulleys::JointDestroyed(b2Joint* joint)
{
    ForgetIfDestroyed(m_joint1, joint);
}
