#include "Tests/CompoundShapes.h"

#include "Physics/Polygon.h"
#include "Tests/SceneParts.h"

namespace
{

// Columns wobble a little so that the stacks topple instead of standing.
float Wobble(int i)
{
    return (i % 2 == 0) ? -0.3f : 0.3f;
}

}  // namespace

CompoundShapes::CompoundShapes()
{
    CreateGroundEdge(world, -40.0f, 40.0f);

    b2PolygonShape stem = MakeBox(0.25f, 0.75f);
    b2PolygonShape bar;
    bar.SetAsBox(1.0f, 0.25f, b2Vec2(0.0f, 1.0f), 0.0f);
    for (int i = 0; i < 10; ++i)
    {
        b2Body* body = CreateDynamicBody(world, b2Vec2(-14.0f + Wobble(i), 2.0f + 3.0f * i));
        body->CreateFixture(&stem, 2.0f);
        body->CreateFixture(&bar, 2.0f);
    }

    const b2Vec2 hullPoints[4] = {b2Vec2(-1.5f, 0.0f), b2Vec2(1.5f, 0.0f), b2Vec2(2.0f, 0.6f), b2Vec2(-2.0f, 0.6f)};
    b2PolygonShape hull = Physics::MakePolygon(hullPoints, 4);
    b2PolygonShape mast;
    mast.SetAsBox(0.1f, 1.2f, b2Vec2(0.0f, 1.8f), 0.0f);
    const b2Vec2 sailPoints[3] = {b2Vec2(0.15f, 0.8f), b2Vec2(1.3f, 0.8f), b2Vec2(0.15f, 2.8f)};
    b2PolygonShape sail = Physics::MakePolygon(sailPoints, 3);
    for (int i = 0; i < 5; ++i)
    {
        b2Body* body = CreateDynamicBody(world, b2Vec2(-2.0f + Wobble(i), 1.0f + 4.0f * i));
        body->CreateFixture(&hull, 2.0f);
        body->CreateFixture(&mast, 1.0f);
        body->CreateFixture(&sail, 0.5f);
    }

    const float bucketX = 14.0f;
    b2Body* bucket = CreateDynamicBody(world, b2Vec2(bucketX, 0.0f));
    b2PolygonShape side;
    side.SetAsBox(2.5f, 0.15f, b2Vec2(0.0f, 0.15f), 0.0f);
    bucket->CreateFixture(&side, 4.0f);
    side.SetAsBox(0.15f, 1.6f, b2Vec2(-2.35f, 1.75f), 0.0f);
    bucket->CreateFixture(&side, 4.0f);
    side.SetAsBox(0.15f, 1.6f, b2Vec2(2.35f, 1.75f), 0.0f);
    bucket->CreateFixture(&side, 4.0f);

    b2CircleShape end = MakeCircle(0.5f);
    for (int i = 0; i < 8; ++i)
    {
        b2Body* body = CreateDynamicBody(world, b2Vec2(bucketX + Wobble(i), 6.0f + 2.0f * i));
        end.m_p.Set(-0.5f, 0.0f);
        body->CreateFixture(&end, 2.0f);
        end.m_p.Set(0.5f, 0.0f);
        body->CreateFixture(&end, 2.0f);
    }
}
