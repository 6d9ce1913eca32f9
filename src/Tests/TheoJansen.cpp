#include "Tests/TheoJansen.h"

#include "Physics/Create.h"
#include "Physics/Polygon.h"
#include "Physics/Springs.h"
#include "Tests/SceneParts.h"

#include <utility>

namespace
{

// Legs, crank wheel and chassis share this group so that the linkage never collides with itself.
constexpr int16 k_walkerGroup = -1;

b2Body* CreateLinkageBody(b2World* world, const b2Vec2& position, const b2Shape& shape,
                          float angularDamping)
{
    b2BodyDef bd;
    bd.type = b2_dynamicBody;
    bd.position = position;
    bd.angularDamping = angularDamping;
    b2Body* body = world->CreateBody(&bd);
    b2FixtureDef fd;
    fd.shape = &shape;
    fd.density = 1.0f;
    fd.filter.groupIndex = k_walkerGroup;
    body->CreateFixture(&fd);
    return body;
}

void CreateSoftLink(b2World* world, b2Body* a, b2Body* b, const b2Vec2& anchorA,
                    const b2Vec2& anchorB)
{
    b2DistanceJointDef jd;
    jd.Initialize(a, b, anchorA, anchorB);
    Physics::SetSpring(Physics::CreateJoint(world, jd), 10.0f, 0.5f);
}

}  // namespace

TheoJansen::TheoJansen()
{
    b2Body* ground = CreateGroundEdge(world, -50.0f, 50.0f);
    AddEdge(ground, b2Vec2(-50.0f, 0.0f), b2Vec2(-50.0f, 10.0f));
    AddEdge(ground, b2Vec2(50.0f, 0.0f), b2Vec2(50.0f, 10.0f));
    const b2CircleShape ball = MakeCircle(0.25f);
    for (int i = 0; i < 40; ++i)
    {
        CreateDynamicBody(world, b2Vec2(-40.0f + 2.0f * static_cast<float>(i), 0.5f), ball, 1.0f);
    }

    const b2Vec2 pivot(0.0f, 0.8f);
    m_chassis = CreateLinkageBody(world, pivot + m_offset, MakeBox(2.5f, 1.0f), 0.0f);
    m_wheel = CreateLinkageBody(world, pivot + m_offset, MakeCircle(1.6f), 0.0f);

    b2RevoluteJointDef jd;
    jd.Initialize(m_wheel, m_chassis, pivot + m_offset);
    jd.collideConnected = false;
    jd.motorSpeed = m_motorSpeed;
    jd.maxMotorTorque = 400.0f;
    jd.enableMotor = m_motorOn;
    m_motorJoint = static_cast<b2RevoluteJoint*>(world->CreateJoint(&jd));

    // The same three pairs of legs tied to the wheel at three crank angles.
    const b2Vec2 wheelAnchor(0.0f, 0.0f);
    const float crankAngles[3] = {0.0f, 120.0f * b2_pi / 180.0f, -120.0f * b2_pi / 180.0f};
    for (float angle : crankAngles)
    {
        m_wheel->SetTransform(m_wheel->GetPosition(), angle);
        CreateLeg(-1.0f, wheelAnchor);
        CreateLeg(1.0f, wheelAnchor);
    }
}

void TheoJansen::CreateLeg(float s, const b2Vec2& wheelAnchor)
{
    const b2Vec2 p1(5.4f * s, -6.1f);
    const b2Vec2 p2(7.2f * s, -1.2f);
    const b2Vec2 p3(4.3f * s, -1.9f);
    const b2Vec2 p4(3.1f * s, 0.8f);
    const b2Vec2 p5(6.0f * s, 1.5f);
    const b2Vec2 p6(2.5f * s, 3.7f);

    // Mirrored legs list their vertices the other way round so both stay counter-clockwise.
    b2Vec2 lower[3] = {p1, p2, p3};
    b2Vec2 upper[3] = {b2Vec2_zero, p5 - p4, p6 - p4};
    if (s < 0.0f)
    {
        std::swap(lower[1], lower[2]);
        std::swap(upper[1], upper[2]);
    }

    const float legDamping = 10.0f;
    b2Body* body1 = CreateLinkageBody(world, m_offset, Physics::MakePolygon(lower, 3), legDamping);
    b2Body* body2 = CreateLinkageBody(world, p4 + m_offset, Physics::MakePolygon(upper, 3), legDamping);

    CreateSoftLink(world, body1, body2, p2 + m_offset, p5 + m_offset);
    CreateSoftLink(world, body1, body2, p3 + m_offset, p4 + m_offset);
    CreateSoftLink(world, body1, m_wheel, p3 + m_offset, wheelAnchor + m_offset);
    CreateSoftLink(world, body2, m_wheel, p6 + m_offset, wheelAnchor + m_offset);

    b2RevoluteJointDef jd;
    jd.Initialize(body2, m_chassis, p4 + m_offset);
    world->CreateJoint(&jd);
}

void TheoJansen::Step(Settings* settings)
{
    DrawLine("Keys: left = a, brake = s, right = d, toggle motor = m");
    Test::Step(settings);
}

void TheoJansen::Keyboard(unsigned char key)
{
    if (!m_motorJoint)
    {
        return;
    }
    switch (key)
    {
    case 'a':
        m_motorJoint->SetMotorSpeed(-m_motorSpeed);
        break;
    case 's':
        m_motorJoint->SetMotorSpeed(0.0f);
        break;
    case 'd':
        m_motorJoint->SetMotorSpeed(m_motorSpeed);
        break;
    case 'm':
        m_motorOn = !m_motorJoint->IsMotorEnabled();
        m_motorJoint->EnableMotor(m_motorOn);
        break;
    default:
        break;
    }
}

void TheoJansen::JointDestroyed(b2Joint* joint)
{
    ForgetIfDestroyed(m_motorJoint, joint);
}

void TheoJansen::BodyDestroyed(b2Body* body)
{
    ForgetIfDestroyed(m_chassis, body);
    ForgetIfDestroyed(m_wheel, body);
}
