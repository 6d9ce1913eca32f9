#include "Physics/Polygon.h"

#include "Physics/Guards.h"

#include <algorithm>

namespace Physics
{

namespace
{

// Index of the rightmost point, the lowest among equally right ones.
int StartPoint(const b2Vec2* points, int count)
{
    int start = 0;
    for (int i = 1; i < count; ++i)
    {
        const b2Vec2& p = points[i];
        const b2Vec2& best = points[start];
        if (p.x > best.x || (p.x == best.x && p.y < best.y))
        {
            start = i;
        }
    }
    return start;
}

// Gift wrapping without welding. Fills `hull` with point indices in counter-clockwise order
// and returns their number, or 0 when the walk does not close within `count` steps (possible
// only for points the orientation test cannot tell apart).
int WrapHull(const b2Vec2* points, int count, int* hull)
{
    const int start = StartPoint(points, count);
    int size = 0;
    int current = start;
    do
    {
        if (size == count)
        {
            return 0;
        }
        hull[size++] = current;
        const b2Vec2& h = points[current];
        int next = current == 0 ? 1 : 0;
        for (int j = next + 1; j < count; ++j)
        {
            if (j == current)
            {
                continue;
            }
            const b2Vec2 r = points[next] - h;
            const b2Vec2 v = points[j] - h;
            const float cross = r.x * v.y - r.y * v.x;
            if (cross < 0.0f || (cross == 0.0f && v.LengthSquared() > r.LengthSquared()))
            {
                next = j;
            }
        }
        current = next;
    } while (current != start);
    return size;
}

// The polygon's centroid with the library's arithmetic (triangles fanned from the first
// vertex, which keeps round-off small). The caller has checked the area.
b2Vec2 Centroid(const b2Vec2* vertices, int count)
{
    const b2Vec2 s = vertices[0];
    const float inv3 = 1.0f / 3.0f;
    b2Vec2 c(0.0f, 0.0f);
    float area = 0.0f;
    for (int i = 0; i < count; ++i)
    {
        const b2Vec2 p1 = vertices[0] - s;
        const b2Vec2 p2 = vertices[i] - s;
        const b2Vec2 p3 = i + 1 < count ? vertices[i + 1] - s : vertices[0] - s;
        const float triangleArea = 0.5f * b2Cross(p2 - p1, p3 - p1);
        area += triangleArea;
        c += triangleArea * inv3 * (p1 + p2 + p3);
    }
    return (1.0f / area) * c + s;
}

}  // namespace

bool HasUsableArea(const b2Vec2* vertices, int count)
{
    if (vertices == nullptr || count < 3)
    {
        return false;
    }
    const b2Vec2 s = vertices[0];
    float area = 0.0f;
    for (int i = 0; i < count; ++i)
    {
        const b2Vec2 e1 = vertices[i] - s;
        const b2Vec2 e2 = i + 1 < count ? vertices[i + 1] - s : vertices[0] - s;
        area += 0.5f * b2Cross(e1, e2);
    }
    return area > b2_epsilon;
}

bool SetPolygon(b2PolygonShape& shape, const b2Vec2* points, int count)
{
    if (points == nullptr || count < 3)
    {
        return false;
    }
    const int used = std::min(count, b2_maxPolygonVertices);
    if (!std::all_of(points, points + used, IsSaneCoordinate))
    {
        return false;
    }
    int hull[b2_maxPolygonVertices];
    const int hullCount = WrapHull(points, used, hull);
    if (hullCount < 3)
    {
        return false;
    }
    b2Vec2 vertices[b2_maxPolygonVertices];
    for (int i = 0; i < hullCount; ++i)
    {
        vertices[i] = points[hull[i]];
    }
    if (!HasUsableArea(vertices, hullCount))
    {
        return false;
    }

    shape.m_count = hullCount;
    for (int i = 0; i < hullCount; ++i)
    {
        shape.m_vertices[i] = vertices[i];
        const b2Vec2 edge = vertices[i + 1 < hullCount ? i + 1 : 0] - vertices[i];
        b2Vec2 normal(edge.y, -edge.x);
        normal.Normalize();  // leaves edges shorter than b2_epsilon unnormalised
        shape.m_normals[i] = normal;
    }
    shape.m_centroid = Centroid(vertices, hullCount);
    shape.m_radius = b2_polygonRadius;
    return true;
}

b2PolygonShape MakePolygon(const b2Vec2* points, int count)
{
    b2PolygonShape shape;
    SetPolygon(shape, points, count);
    return shape;
}

}  // namespace Physics
