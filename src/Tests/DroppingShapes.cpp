#include "Tests/DroppingShapes.h"

#include "Physics/Polygon.h"
#include "Tests/RandomNumbers.h"
#include "Tests/RotatingRay.h"

#include <cmath>

DroppingShapes::DroppingShapes()
{
    const b2Vec2 wideTriangle[] = {{-0.5f, 0.0f}, {0.5f, 0.0f}, {0.0f, 1.5f}};
    m_polygons[0] = Physics::MakePolygon(wideTriangle, 3);

    const b2Vec2 spike[] = {{-0.1f, 0.0f}, {0.1f, 0.0f}, {0.0f, 1.5f}};
    m_polygons[1] = Physics::MakePolygon(spike, 3);

    // A regular octagon one metre across its flats.
    b2Vec2 octagon[8];
    const float radius = 0.5f / std::cos(b2_pi / 8.0f);
    for (int i = 0; i < 8; ++i)
    {
        float angle = b2_pi / 8.0f + i * b2_pi / 4.0f;
        octagon[i].Set(radius * std::cos(angle), radius * std::sin(angle));
    }
    m_polygons[2] = Physics::MakePolygon(octagon, 8);

    m_polygons[3].SetAsBox(0.5f, 0.5f);

    m_circle.m_radius = 0.5f;
}

void DroppingShapes::Keyboard(unsigned char key)
{
    if (key >= '1' && key <= '5')
    {
        Drop(key - '1');
    }
    else if (key == 'd')
    {
        DestroyFirstBody();
    }
}

void DroppingShapes::Drop(int kind)
{
    // The host's announcement empties the slot.
    DestroyBody(m_bodies[m_ringPosition]);

    b2BodyDef bd;
    bd.type = b2_dynamicBody;
    bd.position = DropPosition();
    bd.angle = RandomFloat(-b2_pi, b2_pi);
    if (kind == k_polygonKinds)
    {
        bd.angularDamping = 0.02f;
    }
    b2Body* body = world->CreateBody(&bd);

    b2FixtureDef fd;
    fd.shape = kind < k_polygonKinds ? static_cast<const b2Shape*>(&m_polygons[kind]) : &m_circle;
    fd.density = 1.0f;
    fd.friction = 0.3f;
    body->CreateFixture(&fd);

    m_bodies[m_ringPosition] = body;
    m_ringPosition = (m_ringPosition + 1) % k_maxBodies;
}

void DroppingShapes::DestroyFirstBody()
{
    for (b2Body* body : m_bodies)
    {
        if (body != nullptr)
        {
            DestroyBody(body);
            return;
        }
    }
}

void DroppingShapes::BodyDestroyed(b2Body* body)
{
    for (b2Body*& slot : m_bodies)
    {
        if (slot == body)
        {
            slot = nullptr;
        }
    }
}

void DroppingShapes::StepWithRay(Settings* settings, RotatingRay& ray)
{
    const int stepsBefore = stepCount;
    Test::Step(settings);
    ray.Update(world, stepCount != stepsBefore);
    ray.Draw(debugDraw);
}
