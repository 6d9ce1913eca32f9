#include "Tests/Pyramid.h"

#include "Tests/SceneParts.h"

Pyramid::Pyramid()
{
    CreateGroundEdge(world, -40.0f, 40.0f);

    const float halfSize = 0.5f;
    const float pitch = 1.05f;  // a small gap between neighbours
    const b2PolygonShape box = MakeBox(halfSize, halfSize);
    for (int row = 0; row < k_baseCount; ++row)
    {
        // Each row sits exactly on the one below and is half a pitch further in.
        int count = k_baseCount - row;
        float x0 = -0.5f * pitch * (count - 1);
        for (int i = 0; i < count; ++i)
        {
            b2Vec2 position(x0 + pitch * i, halfSize + 2.0f * halfSize * row);
            CreateDynamicBody(world, position, box, 5.0f);
        }
    }
}
