#include "Tests/SceneBuilders.h"

#include "Physics/Ghosts.h"
#include "Tests/SceneParts.h"

b2PolygonShape MakeBox(float halfWidth, float halfHeight)
{
    b2PolygonShape box;
    box.SetAsBox(halfWidth, halfHeight);
    return box;
}

b2CircleShape MakeCircle(float radius)
{
    b2CircleShape circle;
    circle.m_radius = radius;
    return circle;
}

b2Body* CreateStaticBody(b2World* world, const b2Vec2& position)
{
    b2BodyDef bd;
    bd.position = position;
    return world->CreateBody(&bd);
}

b2Fixture* AddEdge(b2Body* body, const b2Vec2& a, const b2Vec2& b, float friction)
{
    b2EdgeShape edge;
    edge.SetTwoSided(a, b);
    b2FixtureDef fd;
    fd.shape = &edge;
    fd.friction = friction;
    return body->CreateFixture(&fd);
}

b2Fixture* AddChain(b2Body* body, const b2Vec2* points, int count, bool loop)
{
    b2ChainShape chain;
    if (loop)
    {
        Physics::SetLoop(chain, points, count);
    }
    else
    {
        Physics::SetChain(chain, points, count);
    }
    return body->CreateFixture(&chain, 0.0f);
}

void StackBoxes(b2World* world, float x, float baseY, int count, float halfSize, float density,
                float friction)
{
    const b2PolygonShape box = MakeBox(halfSize, halfSize);
    for (int i = 0; i < count; ++i)
    {
        const float y = baseY + halfSize + 2.0f * halfSize * static_cast<float>(i);
        SceneParts::CreateDynamicBody(world, b2Vec2(x, y), box, density, friction);
    }
}

b2Body* CreateSeesaw(b2World* world, b2Body* ground, const b2Vec2& position, float halfWidth, float halfHeight,
                     float density, float limitDegrees)
{
    b2Body* plank = SceneParts::CreateDynamicBody(world, position, MakeBox(halfWidth, halfHeight), density);
    b2RevoluteJointDef hinge;
    hinge.Initialize(ground, plank, plank->GetPosition());
    hinge.lowerAngle = -limitDegrees * b2_pi / 180.0f;
    hinge.upperAngle = limitDegrees * b2_pi / 180.0f;
    hinge.enableLimit = true;
    world->CreateJoint(&hinge);
    return plank;
}
