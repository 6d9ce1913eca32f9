#include "Tests/SceneParts.h"

#include "Physics/Create.h"
#include "Physics/Ghosts.h"
#include "Physics/Polygon.h"

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
        CreateDynamicBody(world, b2Vec2(x, y), box, density, friction);
    }
}

b2Body* CreateSeesaw(b2World* world, b2Body* ground, const b2Vec2& position, float halfWidth, float halfHeight,
                     float density, float limitDegrees)
{
    b2Body* plank = CreateDynamicBody(world, position, MakeBox(halfWidth, halfHeight), density);
    b2RevoluteJointDef hinge;
    hinge.Initialize(ground, plank, plank->GetPosition());
    hinge.lowerAngle = -limitDegrees * b2_pi / 180.0f;
    hinge.upperAngle = limitDegrees * b2_pi / 180.0f;
    hinge.enableLimit = true;
    world->CreateJoint(&hinge);
    return plank;
}

b2Body* CreateGroundEdge(b2World* world, float x1, float x2)
{
    b2Body* ground = CreateStaticBody(world);
    AddEdge(ground, b2Vec2(x1, 0.0f), b2Vec2(x2, 0.0f));
    return ground;
}

b2Body* CreateDynamicBody(b2World* world, const b2Vec2& position, float angle)
{
    b2BodyDef bd;
    bd.type = b2_dynamicBody;
    bd.position = position;
    bd.angle = angle;
    return world->CreateBody(&bd);
}

b2Body* CreateDynamicBody(b2World* world, const b2Vec2& position, const b2Shape& shape, float density,
                          float friction)
{
    b2Body* body = CreateDynamicBody(world, position);
    b2FixtureDef fd;
    fd.shape = &shape;
    fd.density = density;
    fd.friction = friction;
    body->CreateFixture(&fd);
    return body;
}

b2PolygonShape MakeTriangle(float halfBase, float height)
{
    const b2Vec2 corners[3] = {b2Vec2(-halfBase, 0.0f), b2Vec2(halfBase, 0.0f), b2Vec2(0.0f, height)};
    return Physics::MakePolygon(corners, 3);
}

LinkFcn HingeLink(b2World* world)
{
    return [world](b2Body* a, b2Body* b, const b2Vec2& anchor) {
        b2RevoluteJointDef jd;
        jd.Initialize(a, b, anchor);
        Physics::CreateJoint(world, jd);
    };
}

b2Body* CreatePlankRow(b2World* world, b2Body* start, const b2Vec2& leftEnd, int count, float density,
                       const LinkFcn& link)
{
    b2PolygonShape plank;
    plank.SetAsBox(0.5f, 0.125f);
    b2Body* previous = start;
    for (int i = 0; i < count; ++i)
    {
        b2Vec2 jointPoint = leftEnd + b2Vec2(static_cast<float>(i), 0.0f);
        b2Body* body = CreateDynamicBody(world, jointPoint + b2Vec2(0.5f, 0.0f), plank, density);
        if (previous != nullptr)
        {
            link(previous, body, jointPoint);
        }
        previous = body;
    }
    return previous;
}
