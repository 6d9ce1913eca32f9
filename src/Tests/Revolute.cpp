#include "Tests/Revolute.h"

#include "Tests/SceneParts.h"

Revolute::Revolute()
{
    b2Body* ground = CreateGroundEdge(world, -40.0f, 40.0f);

    // A tray pinned at its middle. The limit lets it tilt 30 degrees either way under what it
    // carries; the motor, once enabled, turns it counter-clockwise, all the way round (tipping
    // everything out) when the limit is off.
    const b2Vec2 pivot(0.0f, 10.0f);
    b2Body* tray = CreateDynamicBody(world, pivot, MakeBox(6.0f, 0.25f), 5.0f, 0.6f);
    for (float side : {-1.0f, 1.0f})
    {
        b2PolygonShape wall;
        wall.SetAsBox(0.25f, 1.0f, b2Vec2(side * 5.75f, 1.0f), 0.0f);
        tray->CreateFixture(&wall, 5.0f);
    }
    b2RevoluteJointDef jd;
    jd.Initialize(ground, tray, pivot);
    jd.lowerAngle = -b2_pi / 6.0f;
    jd.upperAngle = b2_pi / 6.0f;
    jd.enableLimit = true;
    jd.motorSpeed = 1.0f;
    jd.maxMotorTorque = 10000.0f;
    jd.enableMotor = false;
    m_joint = static_cast<b2RevoluteJoint*>(world->CreateJoint(&jd));

    // Dropped onto the right half, so the tray first settles on its lower limit.
    const b2CircleShape ball = MakeCircle(0.5f);
    for (int i = 0; i < 3; ++i)
    {
        const float x = 1.5f + 1.5f * static_cast<float>(i);
        CreateDynamicBody(world, b2Vec2(x, 14.0f + 2.0f * static_cast<float>(i)), ball, 1.0f, 0.6f);
    }
    CreateDynamicBody(world, b2Vec2(2.5f, 22.0f), MakeTriangle(0.75f, 1.2f), 1.0f);
    CreateDynamicBody(world, b2Vec2(4.5f, 24.0f), MakeBox(0.6f, 0.4f), 1.0f);
}

void Revolute::Step(Settings* settings)
{
    Test::Step(settings);
    DrawLine("Keys: (l) limits, (m) motor");
}

void Revolute::Keyboard(unsigned char key)
{
    if (m_joint != nullptr)
    {
        ToggleLimitOrMotor(m_joint, key);
    }
}

void Revolute::JointDestroyed(b2Joint* joint)
{
    ForgetIfDestroyed(m_joint, joint);
}
