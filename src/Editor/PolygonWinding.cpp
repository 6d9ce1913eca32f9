#include "Editor/PolygonWinding.h"

#include <algorithm>

bool checkPolygonVertices(const b2Vec2* vertices, int count)
{
    for (int i = 0; i < count; ++i)
    {
        const int next = i + 1 < count ? i + 1 : 0;
        const b2Vec2 e = vertices[next] - vertices[i];
        for (int k = 0; k < count; ++k)
        {
            if (k == i || k == next)
            {
                continue;
            }
            const b2Vec2 r = vertices[k] - vertices[i];
            if (!(e.x * r.y - e.y * r.x > 0.0f))
            {
                return false;
            }
        }
    }
    return true;
}

void reversePolygonVertices(b2Vec2* vertices, int count)
{
    std::reverse(vertices, vertices + std::max(count, 0));
}
