#include "Tests/Bridge.h"

#include "Physics/Polygon.h"
#include "Tests/SceneParts.h"

namespace
{

constexpr int k_plankCount = 30;
constexpr float k_deckHeight = 12.0f;

}  // namespace

Bridge::Bridge()
{
    b2Body* ground = CreateGroundEdge(world, -40.0f, 40.0f);

    LinkFcn hinge = HingeLink(world);
    const float halfSpan = 0.5f * k_plankCount;
    b2Body* last = CreatePlankRow(world, ground, b2Vec2(-halfSpan, k_deckHeight), k_plankCount, 20.0f,
                                              hinge);
    hinge(last, ground, b2Vec2(halfSpan, k_deckHeight));

    b2PolygonShape triangle = MakeTriangle(0.5f, 1.0f);
    const b2Vec2 pentagonPoints[5] = {b2Vec2(0.0f, 0.9f), b2Vec2(-0.85f, 0.28f), b2Vec2(-0.53f, -0.73f),
                                      b2Vec2(0.53f, -0.73f), b2Vec2(0.85f, 0.28f)};
    b2PolygonShape pentagon = Physics::MakePolygon(pentagonPoints, 5);
    b2CircleShape circle = MakeCircle(0.5f);
    for (int i = 0; i < 3; ++i)
    {
        CreateDynamicBody(world, b2Vec2(-9.0f + 8.0f * i, k_deckHeight + 3.0f), triangle, 1.0f);
        CreateDynamicBody(world, b2Vec2(-6.0f + 8.0f * i, k_deckHeight + 5.0f), pentagon, 1.0f);
        CreateDynamicBody(world, b2Vec2(-3.0f + 8.0f * i, k_deckHeight + 7.0f), circle, 1.0f);
    }
}
