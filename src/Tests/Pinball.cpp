#include "Tests/Pinball.h"

#include "Tests/SceneParts.h"

namespace
{

constexpr float k_flipperHalfLength = 2.1f;

// A flipper hinged at `pivot` and reaching towards the table's centre line; `side` is -1 for
// the left flipper, +1 for the right one.
b2RevoluteJoint* CreateFlipper(b2World* world, b2Body* table, const b2Vec2& pivot, float side)
{
    const b2Vec2 centre = pivot + b2Vec2(-side * k_flipperHalfLength, 0.0f);
    b2Body* flipper = CreateDynamicBody(world, centre, MakeBox(k_flipperHalfLength, 0.2f), 1.0f);

    const float down = 20.0f * b2_pi / 180.0f;
    const float up = 25.0f * b2_pi / 180.0f;
    b2RevoluteJointDef jd;
    jd.Initialize(table, flipper, pivot);
    jd.enableMotor = true;
    jd.maxMotorTorque = 1000.0f;
    jd.enableLimit = true;
    jd.lowerAngle = side < 0.0f ? -down : -up;
    jd.upperAngle = side < 0.0f ? up : down;
    return static_cast<b2RevoluteJoint*>(world->CreateJoint(&jd));
}

}  // namespace

Pinball::Pinball()
{
    // Clockwise, so the chain holds the ball inside: a drain funnel between the flippers,
    // inlanes leading down onto them, walls and a roof.
    const b2Vec2 outline[] = {b2Vec2(0.0f, 0.0f),    b2Vec2(-4.6f, 7.6f),  b2Vec2(-14.0f, 16.0f),
                              b2Vec2(-14.0f, 40.0f), b2Vec2(14.0f, 40.0f), b2Vec2(14.0f, 16.0f),
                              b2Vec2(4.6f, 7.6f)};
    b2Body* table = CreateStaticBody(world);
    AddChain(table, outline, sizeof(outline) / sizeof(outline[0]), true);

    m_leftJoint = CreateFlipper(world, table, b2Vec2(-4.5f, 8.0f), -1.0f);
    m_rightJoint = CreateFlipper(world, table, b2Vec2(4.5f, 8.0f), 1.0f);

    b2Body* ball = CreateDynamicBody(world, b2Vec2(1.0f, 30.0f), MakeCircle(0.5f), 1.0f);
    ball->SetBullet(true);
}

void Pinball::Step(Settings* settings)
{
    // Counter-clockwise raises the left flipper's tip, clockwise the right one's.
    const float leftSpeed = m_button ? 20.0f : -10.0f;
    if (m_leftJoint)
    {
        m_leftJoint->SetMotorSpeed(leftSpeed);
    }
    if (m_rightJoint)
    {
        m_rightJoint->SetMotorSpeed(-leftSpeed);
    }

    Test::Step(settings);
    DrawLine("Press 'a' to control the flippers");
}

void Pinball::Keyboard(unsigned char key)
{
    if (key == 'a' || key == 'A')
    {
        m_button = true;
    }
}

void Pinball::KeyboardUp(unsigned char key)
{
    if (key == 'a' || key == 'A')
    {
        m_button = false;
    }
}

void Pinball::JointDestroyed(b2Joint* joint)
{
    ForgetIfDestroyed(m_leftJoint, joint);
    ForgetIfDestroyed(m_rightJoint, joint);
}
