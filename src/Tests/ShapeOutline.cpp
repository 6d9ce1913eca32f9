#include "Tests/ShapeOutline.h"

void DrawShapeOutline(DebugDraw& draw, const b2Shape& shape, const b2Transform& xf, const b2Color& color)
{
    switch (shape.GetType())
    {
    case b2Shape::e_circle:
    {
        const auto& circle = static_cast<const b2CircleShape&>(shape);
        draw.DrawCircle(b2Mul(xf, circle.m_p), circle.m_radius, color);
        break;
    }
    case b2Shape::e_polygon:
    {
        const auto& polygon = static_cast<const b2PolygonShape&>(shape);
        b2Vec2 vertices[b2_maxPolygonVertices];
        for (int32 i = 0; i < polygon.m_count; ++i)
        {
            vertices[i] = b2Mul(xf, polygon.m_vertices[i]);
        }
        draw.DrawPolygon(vertices, polygon.m_count, color);
        break;
    }
    case b2Shape::e_edge:
    {
        const auto& edge = static_cast<const b2EdgeShape&>(shape);
        draw.DrawSegment(b2Mul(xf, edge.m_vertex1), b2Mul(xf, edge.m_vertex2), color);
        break;
    }
    case b2Shape::e_chain:
    {
        const auto& chain = static_cast<const b2ChainShape&>(shape);
        for (int32 i = 0; i + 1 < chain.m_count; ++i)
        {
            draw.DrawSegment(b2Mul(xf, chain.m_vertices[i]), b2Mul(xf, chain.m_vertices[i + 1]), color);
        }
        break;
    }
    default:
        break;
    }
}
