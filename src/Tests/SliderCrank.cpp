#include "Tests/SliderCrank.h"

#include "Physics/Create.h"
#include "Tests/SceneParts.h"

namespace
{

constexpr float k_crankAxleHeight = 8.0f;
constexpr float k_crankLength = 4.0f;
constexpr float k_rodLength = 10.0f;
constexpr float k_pistonHalfSize = 1.5f;

b2Body* UprightBar(b2World* world, float bottom, float length)
{
    b2PolygonShape bar = MakeBox(0.5f, 0.5f * length);
    return CreateDynamicBody(world, b2Vec2(0.0f, bottom + 0.5f * length), bar, 2.0f);
}

void Pin(b2World* world, b2Body* a, b2Body* b, float height)
{
    b2RevoluteJointDef jd;
    jd.Initialize(a, b, b2Vec2(0.0f, height));
    Physics::CreateJoint(world, jd);
}

}  // namespace

SliderCrank::SliderCrank()
{
    b2Body* ground = CreateGroundEdge(world, -40.0f, 40.0f);

    b2Body* crank = UprightBar(world, k_crankAxleHeight, k_crankLength);
    {
        b2RevoluteJointDef jd;
        jd.Initialize(ground, crank, b2Vec2(0.0f, k_crankAxleHeight));
        jd.motorSpeed = b2_pi;
        jd.maxMotorTorque = 20000.0f;
        jd.enableMotor = true;
        m_crankJoint = static_cast<b2RevoluteJoint*>(Physics::CreateJoint(world, jd));
    }

    const float rodBottom = k_crankAxleHeight + k_crankLength;
    b2Body* rod = UprightBar(world, rodBottom, k_rodLength);
    Pin(world, crank, rod, rodBottom);

    const float pistonCenter = rodBottom + k_rodLength;
    b2PolygonShape pistonShape = MakeBox(k_pistonHalfSize, k_pistonHalfSize);
    b2Body* piston = CreateDynamicBody(world, b2Vec2(0.0f, pistonCenter), pistonShape, 2.0f);
    Pin(world, rod, piston, pistonCenter);
    {
        b2PrismaticJointDef jd;
        jd.Initialize(ground, piston, b2Vec2(0.0f, pistonCenter), b2Vec2(0.0f, 1.0f));
        jd.maxMotorForce = 1000.0f;
        jd.enableMotor = true;
        m_slideJoint = static_cast<b2PrismaticJoint*>(Physics::CreateJoint(world, jd));
    }

    b2PolygonShape crate = MakeBox(k_pistonHalfSize, k_pistonHalfSize);
    CreateDynamicBody(world, b2Vec2(0.0f, pistonCenter + 2.0f * k_pistonHalfSize + 0.5f), crate, 2.0f);
}

void SliderCrank::Step(Settings* settings)
{
    Test::Step(settings);
    DrawLine("Keys: (f) toggle friction, (m) toggle motor");
    if (m_crankJoint != nullptr)
    {
        DrawLine("Motor Torque = %5.0f", m_crankJoint->GetMotorTorque(settings->hz));
    }
}

void SliderCrank::Keyboard(unsigned char key)
{
    switch (key)
    {
    case 'f':
        if (m_slideJoint != nullptr)
        {
            m_slideJoint->EnableMotor(!m_slideJoint->IsMotorEnabled());
            m_slideJoint->GetBodyB()->SetAwake(true);
        }
        break;
    case 'm':
        if (m_crankJoint != nullptr)
        {
            m_crankJoint->EnableMotor(!m_crankJoint->IsMotorEnabled());
            m_crankJoint->GetBodyB()->SetAwake(true);
        }
        break;
    default:
        break;
    }
}

void SliderCrank::JointDestroyed(b2Joint* joint)
{
    ForgetIfDestroyed(m_crankJoint, joint);
    ForgetIfDestroyed(m_slideJoint, joint);
}
