#include "Tests/SceneBuilders.h"

b2Fixture* AddEdge(b2Body* body, const b2Vec2& a, const b2Vec2& b, float friction)
{
    b2EdgeShape edge;
    edge.SetTwoSided(a, b);
    b2FixtureDef fd;
    fd.shape = &edge;
    fd.friction = friction;
    return body->CreateFixture(&fd);
}

b2Body* CreateEdgeGround(b2World* world, const b2Vec2& a, const b2Vec2& b, float friction)
{
    b2BodyDef bd;
    b2Body* ground = world->CreateBody(&bd);
    AddEdge(ground, a, b, friction);
    return ground;
}

b2Body* CreateBox(b2World* world, const b2Vec2& position, float halfWidth, float halfHeight,
                  float density, float friction, b2BodyType type)
{
    b2BodyDef bd;
    bd.type = type;
    bd.position = position;
    b2Body* body = world->CreateBody(&bd);
    b2PolygonShape box;
    box.SetAsBox(halfWidth, halfHeight);
    b2FixtureDef fd;
    fd.shape = &box;
    fd.density = density;
    fd.friction = friction;
    body->CreateFixture(&fd);
    return body;
}

b2Body* CreateBall(b2World* world, const b2Vec2& position, float radius, float density,
                   float friction, float restitution)
{
    b2BodyDef bd;
    bd.type = b2_dynamicBody;
    bd.position = position;
    b2Body* body = world->CreateBody(&bd);
    b2CircleShape circle;
    circle.m_radius = radius;
    b2FixtureDef fd;
    fd.shape = &circle;
    fd.density = density;
    fd.friction = friction;
    fd.restitution = restitution;
    body->CreateFixture(&fd);
    return body;
}

void StackBoxes(b2World* world, float x, float baseY, int count, float halfSize, float density,
                float friction)
{
    for (int i = 0; i < count; ++i)
    {
        const float y = baseY + halfSize + 2.0f * halfSize * static_cast<float>(i);
        CreateBox(world, b2Vec2(x, y), halfSize, halfSize, density, friction);
    }
}
