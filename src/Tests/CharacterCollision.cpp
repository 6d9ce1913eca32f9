#include "Tests/CharacterCollision.h"

#include "Physics/Polygon.h"
#include "Tests/SceneParts.h"

#include <cmath>

namespace
{

constexpr float k_walkSpeed = 3.0f;
// Walkers sharing a lane pass through each other instead of pushing each other to a stop.
constexpr int16 k_walkerGroup = -1;

b2PolygonShape MakeHexagon(float radius)
{
    b2Vec2 corners[6];
    for (int i = 0; i < 6; ++i)
    {
        const float angle = static_cast<float>(i) * b2_pi / 3.0f;
        corners[i].Set(radius * std::cos(angle), radius * std::sin(angle));
    }
    return Physics::MakePolygon(corners, 6);
}

}  // namespace

CharacterCollision::CharacterCollision()
{
    CreateGroundEdge(world, -40.0f, 40.0f);

    const b2PolygonShape square = MakeBox(0.5f, 0.5f);
    const b2PolygonShape hexagon = MakeHexagon(0.5f);
    const b2CircleShape circle = MakeCircle(0.5f);

    // Left: square tiles with aligned tops, one static body. Polygons sliding across the
    // seams between neighbouring boxes may catch on an inner corner.
    b2Body* tiles = CreateStaticBody(world);
    for (int i = 0; i < 24; ++i)
    {
        b2PolygonShape tile;
        tile.SetAsBox(0.5f, 0.5f, b2Vec2(-37.5f + static_cast<float>(i), 0.5f), 0.0f);
        tiles->CreateFixture(&tile, 0.0f);
    }
    AddWalker(square, b2Vec2(-36.0f, 1.5f), -37.0f, -15.0f);
    AddWalker(hexagon, b2Vec2(-24.0f, 1.5f), -37.0f, -15.0f);

    // Middle: an open chain of hills, listed right to left so that its upper side collides.
    const b2Vec2 hills[] = {b2Vec2(12.0f, 0.0f),  b2Vec2(10.0f, 0.0f), b2Vec2(8.0f, 1.0f),
                            b2Vec2(6.0f, 1.0f),   b2Vec2(4.0f, 3.0f),  b2Vec2(0.0f, 3.0f),
                            b2Vec2(-2.0f, 1.5f),  b2Vec2(-6.0f, 1.5f), b2Vec2(-8.0f, 0.0f),
                            b2Vec2(-12.0f, 0.0f)};
    AddChain(CreateStaticBody(world), hills, 10, false);
    AddWalker(square, b2Vec2(-10.0f, 1.0f), -11.0f, 11.0f);
    AddWalker(hexagon, b2Vec2(-4.0f, 2.5f), -11.0f, 11.0f);
    AddWalker(circle, b2Vec2(2.0f, 4.0f), -11.0f, 11.0f);

    // Right: a rock walked over from outside (counter-clockwise loop) and a room walked in
    // from inside (clockwise loop).
    const b2Vec2 rock[] = {b2Vec2(16.0f, 0.0f), b2Vec2(28.0f, 0.0f), b2Vec2(25.0f, 3.0f),
                           b2Vec2(19.0f, 3.0f)};
    AddChain(CreateStaticBody(world), rock, 4, true);
    AddWalker(circle, b2Vec2(15.0f, 0.5f), 15.0f, 29.0f);
    AddWalker(square, b2Vec2(22.0f, 3.5f), 15.0f, 29.0f);

    const b2Vec2 room[] = {b2Vec2(30.0f, 8.0f), b2Vec2(30.0f, 14.0f), b2Vec2(38.0f, 14.0f),
                           b2Vec2(38.0f, 8.0f), b2Vec2(34.0f, 6.0f)};
    AddChain(CreateStaticBody(world), room, 5, true);
    AddWalker(circle, b2Vec2(32.0f, 9.0f), 31.0f, 37.0f);
    AddWalker(hexagon, b2Vec2(36.0f, 9.0f), 31.0f, 37.0f);
}

void CharacterCollision::AddWalker(const b2Shape& shape, const b2Vec2& position, float minX,
                                   float maxX)
{
    b2Body* body = CreateDynamicBody(world, position, shape, 20.0f);
    b2Filter filter;
    filter.groupIndex = k_walkerGroup;
    body->GetFixtureList()->SetFilterData(filter);
    // Polygons stay upright like characters; circles roll.
    body->SetFixedRotation(shape.GetType() != b2Shape::e_circle);
    m_walkers.push_back({body, minX, maxX, k_walkSpeed});
}

void CharacterCollision::Step(Settings* settings)
{
    for (Walker& walker : m_walkers)
    {
        if (!walker.body)
        {
            continue;
        }
        const b2Vec2 position = walker.body->GetPosition();
        if (position.x > walker.maxX)
        {
            walker.speed = -k_walkSpeed;
        }
        else if (position.x < walker.minX)
        {
            walker.speed = k_walkSpeed;
        }
        const b2Vec2 velocity = walker.body->GetLinearVelocity();
        walker.body->SetLinearVelocity(b2Vec2(walker.speed, velocity.y));
    }

    Test::Step(settings);
    DrawLine("This tests various character collision shapes.");
    DrawLine("Limitation: square and hexagon can snag on aligned boxes.");
    DrawLine("Feature: edge chains have smooth collision inside and out.");
}

void CharacterCollision::BodyDestroyed(b2Body* body)
{
    for (Walker& walker : m_walkers)
    {
        ForgetIfDestroyed(walker.body, body);
    }
}
