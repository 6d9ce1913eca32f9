#include "Tests/Prismatic.h"

#include "Physics/Create.h"
#include "Tests/SceneParts.h"

Prismatic::Prismatic()
{
    b2Body* ground = CreateGroundEdge(world, -40.0f, 40.0f);

    b2BodyDef bd;
    bd.type = b2_dynamicBody;
    bd.position.Set(0.0f, 10.0f);
    bd.angle = 0.5f * b2_pi;
    b2Body* box = world->CreateBody(&bd);
    b2PolygonShape shape;
    shape.SetAsBox(2.0f, 0.5f);
    box->CreateFixture(&shape, 5.0f);

    b2Vec2 axis(2.0f, 1.0f);
    axis.Normalize();
    b2PrismaticJointDef pjd;
    pjd.Initialize(ground, box, bd.position, axis);
    pjd.motorSpeed = 10.0f;
    pjd.maxMotorForce = 10000.0f;
    pjd.enableMotor = true;
    pjd.lowerTranslation = -10.0f;
    pjd.upperTranslation = 10.0f;
    pjd.enableLimit = true;
    m_joint = static_cast<b2PrismaticJoint*>(Physics::CreateJoint(world, pjd));
}

void Prismatic::Keyboard(unsigned char key)
{
    if (m_joint == nullptr || ToggleLimitOrMotor(m_joint, key))
    {
        return;
    }
    if (key == 's')
    {
        m_joint->SetMotorSpeed(-m_joint->GetMotorSpeed());
    }
}

void Prismatic::Step(Settings* settings)
{
    Test::Step(settings);
    DrawLine("Keys: (l) limits, (m) motors, (s) speed");
    if (m_joint)
    {
        DrawLine("Motor Force = %4.0f", m_joint->GetMotorForce(settings->hz));
    }
}

void Prismatic::JointDestroyed(b2Joint* joint)
{
    ForgetIfDestroyed(m_joint, joint);
}
