#include "Tests/SensorTest.h"

#include "Tests/SceneParts.h"

namespace
{

constexpr float k_pull = 100.0f;

}  // namespace

SensorTest::SensorTest()
{
    b2Body* ground = CreateGroundEdge(world, -40.0f, 40.0f);

    // Reaching down to the ground, so that a ball that falls through still lands inside it.
    b2CircleShape sensorShape = MakeCircle(6.0f);
    sensorShape.m_p.Set(0.0f, 6.0f);
    b2FixtureDef fd;
    fd.shape = &sensorShape;
    fd.isSensor = true;
    m_sensor = ground->CreateFixture(&fd);

    // The outer balls miss the sensor. Damping lets the caught ones come to rest at its centre
    // instead of swinging through it for ever.
    b2CircleShape ball = MakeCircle(1.0f);
    for (int i = 0; i < k_ballCount; ++i)
    {
        m_balls[i] = CreateDynamicBody(world, b2Vec2(-9.0f + 3.0f * i, 30.0f), ball, 1.0f);
        m_balls[i]->SetLinearDamping(1.0f);
    }
}

bool SensorTest::IsTouching(int index) const
{
    return m_sensorContacts[index] > 0;
}

void SensorTest::CountSensorContact(b2Contact* contact, int change)
{
    b2Fixture* fixtureA = contact->GetFixtureA();
    b2Fixture* fixtureB = contact->GetFixtureB();
    b2Fixture* other = nullptr;
    if (fixtureA == m_sensor)
    {
        other = fixtureB;
    }
    else if (fixtureB == m_sensor)
    {
        other = fixtureA;
    }
    if (other == nullptr)
    {
        return;
    }
    for (int i = 0; i < k_ballCount; ++i)
    {
        if (m_balls[i] != nullptr && m_balls[i] == other->GetBody())
        {
            m_sensorContacts[i] = b2Max(0, m_sensorContacts[i] + change);
        }
    }
}

void SensorTest::BeginContact(b2Contact* contact)
{
    CountSensorContact(contact, +1);
}

void SensorTest::EndContact(b2Contact* contact)
{
    CountSensorContact(contact, -1);
}

void SensorTest::Step(Settings* settings)
{
    Test::Step(settings);

    if (m_sensor == nullptr)
    {
        return;
    }
    b2Vec2 localCenter = b2Vec2_zero;
    if (m_sensor->GetType() == b2Shape::e_circle)
    {
        localCenter = static_cast<const b2CircleShape*>(m_sensor->GetShape())->m_p;
    }
    b2Vec2 center = m_sensor->GetBody()->GetWorldPoint(localCenter);
    for (int i = 0; i < k_ballCount; ++i)
    {
        if (!IsTouching(i))
        {
            continue;
        }
        b2Vec2 position = m_balls[i]->GetPosition();
        b2Vec2 d = center - position;
        if (d.LengthSquared() < b2_epsilon * b2_epsilon)
        {
            continue;
        }
        d.Normalize();
        m_balls[i]->ApplyForce(k_pull * d, position, false);
    }
}

void SensorTest::ForgetSensor()
{
    m_sensor = nullptr;
    for (int i = 0; i < k_ballCount; ++i)
    {
        // A ball held asleep by the pull would otherwise hang in the air.
        if (IsTouching(i))
        {
            m_balls[i]->SetAwake(true);
        }
        m_sensorContacts[i] = 0;
    }
}

void SensorTest::BodyDestroyed(b2Body* body)
{
    if (m_sensor != nullptr && m_sensor->GetBody() == body)
    {
        ForgetSensor();
    }
    for (int i = 0; i < k_ballCount; ++i)
    {
        if (m_balls[i] == body)
        {
            m_balls[i] = nullptr;
            m_sensorContacts[i] = 0;
        }
    }
}

void SensorTest::FixtureDestroyed(b2Fixture* fixture)
{
    if (fixture == m_sensor)
    {
        ForgetSensor();
    }
}
