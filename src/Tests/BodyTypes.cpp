#include "Tests/BodyTypes.h"

#include "Physics/BodyState.h"
#include "Physics/Create.h"
#include "Tests/SceneParts.h"

namespace
{

// The kinematic platform turns back beyond these x positions.
const float k_turnX = 10.0f;

}  // namespace

BodyTypes::BodyTypes()
{
    b2Body* ground = CreateGroundEdge(world, -20.0f, 20.0f);

    // A bar hanging from the platform's hinge down to the ground.
    b2Body* bar = CreateDynamicBody(world, b2Vec2(0.0f, 2.5f), MakeBox(0.5f, 2.5f), 2.0f);

    const b2Vec2 hinge(0.0f, 5.0f);
    m_platform = CreateDynamicBody(world, hinge, MakeBox(4.0f, 0.5f), 2.0f, 0.6f);

    // Motors at speed 0 with limited torque and force act as joint friction.
    b2RevoluteJointDef hingeDef;
    hingeDef.Initialize(bar, m_platform, hinge);
    hingeDef.maxMotorTorque = 50.0f;
    hingeDef.enableMotor = true;
    Physics::CreateJoint(world, hingeDef);

    b2PrismaticJointDef slideDef;
    slideDef.Initialize(ground, m_platform, hinge, b2Vec2(1.0f, 0.0f));
    slideDef.maxMotorForce = 1000.0f;
    slideDef.enableMotor = true;
    slideDef.lowerTranslation = -k_turnX;
    slideDef.upperTranslation = k_turnX;
    slideDef.enableLimit = true;
    Physics::CreateJoint(world, slideDef);

    // The payload.
    CreateDynamicBody(world, b2Vec2(0.0f, 8.0f), MakeBox(0.75f, 0.75f), 2.0f, 0.6f);
}

void BodyTypes::Keyboard(unsigned char key)
{
    if (m_platform == nullptr)
    {
        return;
    }
    // The editor may have reshaped the platform into something the library cannot give a
    // mass to; the physics layer refuses such a change instead of letting the library abort.
    switch (key)
    {
    case 'd':
        Physics::SetBodyType(m_platform, b2_dynamicBody);
        break;
    case 's':
        Physics::SetBodyType(m_platform, b2_staticBody);
        break;
    case 'k':
        if (Physics::SetBodyType(m_platform, b2_kinematicBody))
        {
            m_platform->SetLinearVelocity(b2Vec2(-k_platformSpeed, 0.0f));
            m_platform->SetAngularVelocity(0.0f);
        }
        break;
    default:
        break;
    }
}

void BodyTypes::Step(Settings* settings)
{
    // A kinematic platform ignores the joint limits, so it is turned round here.
    if (m_platform && m_platform->GetType() == b2_kinematicBody)
    {
        b2Vec2 p = m_platform->GetPosition();
        b2Vec2 v = m_platform->GetLinearVelocity();
        if ((p.x < -k_turnX && v.x < 0.0f) || (p.x > k_turnX && v.x > 0.0f))
        {
            m_platform->SetLinearVelocity(b2Vec2(-v.x, v.y));
        }
    }

    Test::Step(settings);
    DrawLine("Keys: (d) dynamic, (s) static, (k) kinematic");
}

void BodyTypes::BodyDestroyed(b2Body* body)
{
    ForgetIfDestroyed(m_platform, body);
}
