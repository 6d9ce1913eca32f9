#include "Tests/ApplyForce.h"

#include "Physics/Create.h"
#include "Physics/Polygon.h"
#include "Tests/SceneParts.h"

#include <cmath>

namespace
{

// Standing in for the weight that presses a body onto the floor under it.
constexpr float k_floorGravity = 10.0f;

// Drags `body` over `floor` as Coulomb friction with coefficient `mu` would: the force it
// resists with is mu × weight, the torque that force times the body's radius of gyration.
void AddFloorFriction(b2World* world, b2Body* floor, b2Body* body, float mu)
{
    float mass = body->GetMass();
    b2Vec2 localCenter = body->GetLocalCenter();
    float centralInertia = body->GetInertia() - mass * b2Dot(localCenter, localCenter);
    float gyrationRadius = std::sqrt(centralInertia / mass);

    b2FrictionJointDef jd;
    jd.Initialize(floor, body, body->GetWorldCenter());
    // The walls belong to the floor body: the joint must not switch their collisions off.
    jd.collideConnected = true;
    jd.maxForce = mu * mass * k_floorGravity;
    jd.maxTorque = mu * mass * k_floorGravity * gyrationRadius;
    Physics::CreateJoint(world, jd);
}

}  // namespace

ApplyForce::ApplyForce()
{
    world->SetGravity(b2Vec2_zero);

    b2Body* room = CreateStaticBody(world);
    const b2Vec2 corners[4] = {b2Vec2(-20.0f, 0.0f), b2Vec2(20.0f, 0.0f), b2Vec2(20.0f, 40.0f), b2Vec2(-20.0f, 40.0f)};
    for (int i = 0; i < 4; ++i)
    {
        AddEdge(room, corners[i], corners[(i + 1) % 4])->SetRestitution(0.4f);
    }

    // The ship's nose points along its local -y, its engine sits at the tail around (0, 2);
    // turned half a circle it faces up the room.
    m_ship = CreateDynamicBody(world, b2Vec2(0.0f, 6.0f), b2_pi);
    const b2Vec2 hullPoints[3] = {b2Vec2(-1.2f, 1.5f), b2Vec2(1.2f, 1.5f), b2Vec2(0.0f, -2.5f)};
    b2PolygonShape hull = Physics::MakePolygon(hullPoints, 3);
    m_ship->CreateFixture(&hull, 0.5f);
    b2PolygonShape engine;
    engine.SetAsBox(0.8f, 0.25f, b2Vec2(0.0f, 1.75f), 0.0f);
    m_ship->CreateFixture(&engine, 0.5f);
    AddFloorFriction(world, room, m_ship, 0.2f);

    // Crates to push around.
    b2PolygonShape crate = MakeBox(0.5f, 0.5f);
    for (int i = 0; i < 8; ++i)
    {
        b2Body* body = CreateDynamicBody(world, b2Vec2(-14.0f + 4.0f * i, 24.0f), crate, 1.0f);
        AddFloorFriction(world, room, body, 0.4f);
    }
}

void ApplyForce::Keyboard(unsigned char key)
{
    if (m_ship == nullptr)
    {
        return;
    }
    switch (key)
    {
    case 'w':
    {
        b2Vec2 force = m_ship->GetWorldVector(b2Vec2(0.0f, -200.0f));
        b2Vec2 point = m_ship->GetWorldPoint(b2Vec2(0.0f, 2.0f));
        m_ship->ApplyForce(force, point, true);
        break;
    }
    case 'a':
        m_ship->ApplyTorque(50.0f, true);
        break;
    case 'd':
        m_ship->ApplyTorque(-50.0f, true);
        break;
    default:
        break;
    }
}

void ApplyForce::BodyDestroyed(b2Body* body)
{
    ForgetIfDestroyed(m_ship, body);
}
