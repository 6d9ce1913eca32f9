#include "Physics/Guards.h"

#include "Physics/Polygon.h"
#include "Physics/Reasons.h"

#include <algorithm>
#include <cmath>

namespace Physics
{

namespace
{

std::string CheckCircle(const b2CircleShape& circle)
{
    return Unless(IsSaneCoordinate(circle.m_p), "circle centre is not finite or too far out");
}

std::string CheckEdge(const b2EdgeShape& edge)
{
    const bool sane = IsSaneCoordinate(edge.m_vertex0) && IsSaneCoordinate(edge.m_vertex1) &&
                      IsSaneCoordinate(edge.m_vertex2) && IsSaneCoordinate(edge.m_vertex3);
    return Unless(sane, "edge vertex is not finite or too far out");
}

std::string CheckPolygon(const b2PolygonShape& polygon)
{
    const int count = polygon.m_count;
    if (count < 3 || count > b2_maxPolygonVertices)
    {
        return "polygon needs 3 to 8 vertices";
    }
    const b2Vec2* vertices = polygon.m_vertices;
    const b2Vec2* normals = polygon.m_normals;
    return FirstReason({
        Unless(std::all_of(vertices, vertices + count, IsSaneCoordinate) &&
                   std::all_of(normals, normals + count, [](const b2Vec2& n) { return IsFinite(n); }) &&
                   IsSaneCoordinate(polygon.m_centroid),
               "polygon vertex is not finite or too far out"),
        // Asserts in the mass computation when the body is dynamic and the density positive.
        Unless(HasUsableArea(vertices, count), "polygon area is too small"),
    });
}

std::string CheckChain(const b2ChainShape& chain)
{
    if (chain.m_vertices == nullptr || chain.m_count < 2)
    {
        return "chain needs at least 2 vertices";
    }
    const b2Vec2* vertices = chain.m_vertices;
    const int count = chain.m_count;
    return FirstReason({
        Unless(std::all_of(vertices, vertices + count, IsSaneCoordinate) &&
                   IsSaneCoordinate(chain.m_prevVertex) && IsSaneCoordinate(chain.m_nextVertex),
               "chain vertex is not finite or too far out"),
        Unless(AreNeighboursApart(vertices, count), "chain vertices are too close together"),
    });
}

}  // namespace

bool IsFinite(float value)
{
    return std::isfinite(value);
}

bool IsFinite(const b2Vec2& v)
{
    return IsFinite(v.x) && IsFinite(v.y);
}

bool IsNonNegative(float value)
{
    return IsFinite(value) && value >= 0.0f;
}

bool IsKnownBodyType(int type)
{
    return type == b2_staticBody || type == b2_kinematicBody || type == b2_dynamicBody;
}

bool IsSaneCoordinate(const b2Vec2& v)
{
    return IsFinite(v) && std::fabs(v.x) <= k_maxCoordinate && std::fabs(v.y) <= k_maxCoordinate;
}

bool AreNeighboursApart(const b2Vec2* points, int count)
{
    for (int i = 1; i < count; ++i)
    {
        if (!(b2DistanceSquared(points[i - 1], points[i]) > b2_linearSlop * b2_linearSlop))
        {
            return false;
        }
    }
    return true;
}

std::string CheckUnlocked(const b2World& world)
{
    return Unless(!world.IsLocked(), "the world is locked");
}

std::string CheckBodyDef(const b2BodyDef& def)
{
    // Asserts: an unknown type, a non-finite position, angle or velocity, negative damping.
    // A non-finite gravity scale is accepted by the library and turns the body's motion to NaN.
    return FirstReason({
        Unless(IsKnownBodyType(def.type), "unknown body type"),
        Unless(IsSaneCoordinate(def.position), "body position is not finite or too far out"),
        Unless(IsFinite(def.angle), "body angle is not finite"),
        Unless(IsFinite(def.linearVelocity) && IsFinite(def.angularVelocity), "body velocity is not finite"),
        Unless(IsNonNegative(def.linearDamping) && IsNonNegative(def.angularDamping),
               "body damping is negative or not finite"),
        Unless(IsFinite(def.gravityScale), "gravity scale is not finite"),
    });
}

std::string CheckShape(const b2Shape& shape)
{
    // Asserts on a non-finite radius (the bounding box). A negative one is accepted but the
    // inverted bounding box never overlaps anything.
    if (!IsNonNegative(shape.m_radius) || shape.m_radius > k_maxCoordinate)
    {
        return "shape radius is negative, not finite or too large";
    }
    switch (shape.GetType())
    {
    case b2Shape::e_circle:
        return CheckCircle(static_cast<const b2CircleShape&>(shape));
    case b2Shape::e_edge:
        return CheckEdge(static_cast<const b2EdgeShape&>(shape));
    case b2Shape::e_polygon:
        return CheckPolygon(static_cast<const b2PolygonShape&>(shape));
    case b2Shape::e_chain:
        return CheckChain(static_cast<const b2ChainShape&>(shape));
    default:
        return "unknown shape type";
    }
}

std::string CheckFixtureDef(const b2FixtureDef& def)
{
    if (def.shape == nullptr)
    {
        return "fixture has no shape";
    }
    // Negative or non-finite densities and frictions are accepted by the library but give
    // negative masses and NaN contact friction.
    return FirstReason({
        CheckShape(*def.shape),
        Unless(IsNonNegative(def.density), "density is negative or not finite"),
        Unless(IsNonNegative(def.friction), "friction is negative or not finite"),
        Unless(IsFinite(def.restitution) && IsFinite(def.restitutionThreshold), "restitution is not finite"),
    });
}

}  // namespace Physics
