#include "Tests/RopeJoint.h"

#include "Tests/SceneParts.h"

namespace
{

constexpr int k_linkCount = 10;
constexpr float k_weightHalfSize = 1.5f;

}  // namespace

RopeJoint::RopeJoint()
{
    b2Body* ground = CreateGroundEdge(world, -40.0f, 40.0f);

    // The chain starts horizontal, hinged to the ground at its left end.
    const b2Vec2 hook(0.0f, 30.0f);
    b2Body* lastLink =
        CreatePlankRow(world, ground, hook, k_linkCount, 20.0f, HingeLink(world));

    const b2Vec2 chainEnd = hook + b2Vec2(static_cast<float>(k_linkCount), 0.0f);
    b2Body* weight = CreateDynamicBody(world, chainEnd + b2Vec2(k_weightHalfSize, 0.0f),
                                                   MakeBox(k_weightHalfSize, k_weightHalfSize), 100.0f);
    HingeLink(world)(lastLink, weight, chainEnd);

    // Exactly as long as the straight chain: the chain never carries the weight alone.
    m_ropeDef.bodyA = ground;
    m_ropeDef.bodyB = weight;
    m_ropeDef.localAnchorA = hook;
    m_ropeDef.localAnchorB = b2Vec2_zero;
    m_ropeDef.maxLength = b2Distance(hook, weight->GetPosition());
    m_rope = Physics::CreateRopeJoint(world, m_ropeDef);
}

void RopeJoint::Step(Settings* settings)
{
    Test::Step(settings);
    DrawLine("Press (j) to toggle the rope joint.");
    DrawLine(m_rope ? "Rope ON" : "Rope OFF");
}

void RopeJoint::Keyboard(unsigned char key)
{
    if (key != 'j')
    {
        return;
    }
    if (m_rope)
    {
        DestroyJoint(m_rope);
    }
    else if (m_ropeDef.bodyA && m_ropeDef.bodyB)
    {
        m_rope = Physics::CreateRopeJoint(world, m_ropeDef);
    }
}

void RopeJoint::JointDestroyed(b2Joint* joint)
{
    ForgetIfDestroyed(m_rope, joint);
}

void RopeJoint::BodyDestroyed(b2Body* body)
{
    // A rope needs both ends: without one it can no longer be tied again.
    ForgetIfDestroyed(m_ropeDef.bodyA, body);
    ForgetIfDestroyed(m_ropeDef.bodyB, body);
}
