#include "Tests/EdgeTest.h"

#include "Physics/Ghosts.h"
#include "Tests/SceneParts.h"

EdgeTest::EdgeTest()
{
    const b2Vec2 valley[] = {b2Vec2(-38.0f, 14.0f), b2Vec2(-28.0f, 8.0f), b2Vec2(-18.0f, 4.0f),
                             b2Vec2(-8.0f, 1.0f),   b2Vec2(0.0f, 0.0f),   b2Vec2(8.0f, 1.0f),
                             b2Vec2(18.0f, 4.0f),   b2Vec2(28.0f, 8.0f),  b2Vec2(38.0f, 14.0f)};
    const int pointCount = sizeof(valley) / sizeof(valley[0]);

    // Separate edges, each recording its neighbours as ghost vertices so that the ground is
    // saved as one connected surface.
    b2Body* ground = CreateStaticBody(world);
    for (int i = 0; i + 1 < pointCount; ++i)
    {
        b2Fixture* edge = AddEdge(ground, valley[i], valley[i + 1]);
        Physics::EdgeGhosts ghosts;
        ghosts.hasVertex0 = i > 0;
        ghosts.vertex0 = ghosts.hasVertex0 ? valley[i - 1] : b2Vec2_zero;
        ghosts.hasVertex3 = i + 2 < pointCount;
        ghosts.vertex3 = ghosts.hasVertex3 ? valley[i + 2] : b2Vec2_zero;
        Physics::SetEdgeGhosts(edge, ghosts);
    }

    const b2PolygonShape box = MakeBox(0.5f, 0.5f);
    const b2CircleShape ball = MakeCircle(0.5f);
    for (int i = 0; i < 3; ++i)
    {
        const float x = 20.0f + 6.0f * static_cast<float>(i);
        CreateDynamicBody(world, b2Vec2(-x, 0.45f * x), box, 1.0f);
        CreateDynamicBody(world, b2Vec2(x, 0.45f * x), ball, 1.0f);
    }
}
