#include "Tests/Car.h"

#include "Physics/Create.h"
#include "Physics/Polygon.h"
#include "Physics/Springs.h"
#include "Tests/SceneParts.h"

#include <algorithm>

Car::Car()
{
    b2Body* ground = CreateGround();
    CreateTeeter(ground);
    CreateBridge(ground);
    StackBoxes(world, 230.0f, 0.0f, 5, 0.5f, 0.5f);
    CreateCar();
}

b2Body* Car::CreateGround()
{
    b2Body* ground = CreateStaticBody(world);
    const float friction = 0.6f;
    AddEdge(ground, b2Vec2(-20.0f, 0.0f), b2Vec2(20.0f, 0.0f), friction);

    const float heights[10] = {0.25f, 1.0f, 4.0f, 0.0f, 0.0f, -1.0f, -2.0f, -2.0f, -1.25f, 0.0f};
    const float width = 5.0f;
    float x = 20.0f;
    float y = 0.0f;
    for (int hill = 0; hill < 2; ++hill)
    {
        for (float height : heights)
        {
            AddEdge(ground, b2Vec2(x, y), b2Vec2(x + width, height), friction);
            y = height;
            x += width;
        }
    }

    AddEdge(ground, b2Vec2(120.0f, 0.0f), b2Vec2(160.0f, 0.0f), friction);
    AddEdge(ground, b2Vec2(200.0f, 0.0f), b2Vec2(240.0f, 0.0f), friction);
    AddEdge(ground, b2Vec2(240.0f, 0.0f), b2Vec2(250.0f, 5.0f), friction);
    AddEdge(ground, b2Vec2(260.0f, 0.0f), b2Vec2(300.0f, 0.0f), friction);
    AddEdge(ground, b2Vec2(300.0f, 0.0f), b2Vec2(300.0f, 20.0f), friction);
    return ground;
}

void Car::CreateTeeter(b2Body* ground)
{
    b2Body* teeter = CreateSeesaw(world, ground, b2Vec2(140.0f, 1.0f), 10.0f, 0.25f, 1.0f, 8.0f);
    teeter->ApplyAngularImpulse(100.0f, true);
}

void Car::CreateBridge(b2Body* ground)
{
    const int plankCount = 20;
    const float y = -0.125f;
    const b2PolygonShape plankBox = MakeBox(1.0f, 0.125f);
    b2RevoluteJointDef jd;
    b2Body* previous = ground;
    for (int i = 0; i < plankCount; ++i)
    {
        const float x = 160.0f + 2.0f * static_cast<float>(i);
        b2Body* plank = CreateDynamicBody(world, b2Vec2(x + 1.0f, y), plankBox, 1.0f, 0.6f);
        jd.Initialize(previous, plank, b2Vec2(x, y));
        world->CreateJoint(&jd);
        previous = plank;
    }
    jd.Initialize(previous, ground, b2Vec2(160.0f + 2.0f * plankCount, y));
    world->CreateJoint(&jd);
}

void Car::CreateCar()
{
    const b2Vec2 outline[6] = {b2Vec2(-1.5f, -0.5f), b2Vec2(1.5f, -0.5f), b2Vec2(1.5f, 0.0f),
                               b2Vec2(0.0f, 0.9f),   b2Vec2(-1.15f, 0.9f), b2Vec2(-1.5f, 0.2f)};
    const b2PolygonShape chassis = Physics::MakePolygon(outline, 6);

    m_car = CreateDynamicBody(world, b2Vec2(0.0f, 1.0f), chassis, 1.0f);

    const b2CircleShape wheel = MakeCircle(0.4f);
    m_wheel1 = CreateDynamicBody(world, b2Vec2(-1.0f, 0.35f), wheel, 1.0f, 0.9f);
    m_wheel2 = CreateDynamicBody(world, b2Vec2(1.0f, 0.4f), wheel, 1.0f, 0.9f);

    const b2Vec2 axis(0.0f, 1.0f);
    b2WheelJointDef jd;
    jd.Initialize(m_car, m_wheel1, m_wheel1->GetPosition(), axis);
    jd.motorSpeed = 0.0f;
    jd.maxMotorTorque = 20.0f;
    jd.enableMotor = true;
    m_spring1 = static_cast<b2WheelJoint*>(Physics::CreateJoint(world, jd));

    jd.Initialize(m_car, m_wheel2, m_wheel2->GetPosition(), axis);
    jd.motorSpeed = 0.0f;
    jd.maxMotorTorque = 10.0f;
    jd.enableMotor = false;
    m_spring2 = static_cast<b2WheelJoint*>(Physics::CreateJoint(world, jd));

    ApplySuspension();
}

void Car::ApplySuspension()
{
    for (b2WheelJoint* spring : {m_spring1, m_spring2})
    {
        if (spring)
        {
            Physics::SetSpring(spring, m_hz, m_zeta);
        }
    }
}

void Car::Step(Settings* settings)
{
    DrawLine("Keys: left = a, brake = s, right = d, hz down = q, hz up = e");
    DrawLine("frequency = %g hz, damping ratio = %g", m_hz, m_zeta);
    if (m_car)
    {
        settings->viewCenter.x = m_car->GetPosition().x;
    }
    Test::Step(settings);
}

void Car::Keyboard(unsigned char key)
{
    switch (key)
    {
    case 'a':
        if (m_spring1)
        {
            m_spring1->SetMotorSpeed(m_speed);
        }
        break;
    case 's':
        if (m_spring1)
        {
            m_spring1->SetMotorSpeed(0.0f);
        }
        break;
    case 'd':
        if (m_spring1)
        {
            m_spring1->SetMotorSpeed(-m_speed);
        }
        break;
    case 'q':
        m_hz = std::max(m_hz - 1.0f, 0.0f);
        ApplySuspension();
        break;
    case 'e':
        m_hz += 1.0f;
        ApplySuspension();
        break;
    default:
        break;
    }
}

void Car::JointDestroyed(b2Joint* joint)
{
    ForgetIfDestroyed(m_spring1, joint);
    ForgetIfDestroyed(m_spring2, joint);
}

void Car::BodyDestroyed(b2Body* body)
{
    ForgetIfDestroyed(m_car, body);
    ForgetIfDestroyed(m_wheel1, body);
    ForgetIfDestroyed(m_wheel2, body);
}
