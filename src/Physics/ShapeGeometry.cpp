#include "Physics/ShapeGeometry.h"

#include "Physics/BodyState.h"
#include "Physics/Create.h"
#include "Physics/Ghosts.h"
#include "Physics/Guards.h"
#include "Physics/Polygon.h"
#include "Physics/Reasons.h"

#include <algorithm>
#include <memory>

namespace Physics
{

namespace
{

std::vector<b2Vec2> ChainPoints(const b2ChainShape& chain, bool loop)
{
    // A loop stores its first vertex again at the end.
    const int count = loop ? chain.m_count - 1 : chain.m_count;
    return std::vector<b2Vec2>(chain.m_vertices, chain.m_vertices + std::max(count, 0));
}

bool AllSane(const ShapeGeometry& g)
{
    return std::all_of(g.points.begin(), g.points.end(), IsSaneCoordinate) &&
           (!g.hasGhostBefore || IsSaneCoordinate(g.ghostBefore)) && (!g.hasGhostAfter || IsSaneCoordinate(g.ghostAfter));
}

// The library's shape for `g`, or null with the reason it cannot be built.
std::unique_ptr<b2Shape> BuildShape(const ShapeGeometry& g, std::string& reason)
{
    if (!AllSane(g))
    {
        reason = "a point is not finite or too far out";
        return nullptr;
    }
    const int count = static_cast<int>(g.points.size());
    switch (g.type)
    {
    case b2Shape::e_circle:
    {
        if (count != 1 || !(g.radius > 0.0f) || g.radius > kMaxCoordinate)
        {
            reason = "circle radius must be above zero";
            return nullptr;
        }
        auto circle = std::make_unique<b2CircleShape>();
        circle->m_p = g.points[0];
        circle->m_radius = g.radius;
        return circle;
    }
    case b2Shape::e_edge:
    {
        if (count != 2 || !(b2Distance(g.points[0], g.points[1]) > b2_linearSlop))
        {
            reason = "edge end points are too close together";
            return nullptr;
        }
        auto edge = std::make_unique<b2EdgeShape>();
        edge->SetTwoSided(g.points[0], g.points[1]);
        edge->m_vertex0 = g.ghostBefore;
        edge->m_vertex3 = g.ghostAfter;
        return edge;
    }
    case b2Shape::e_polygon:
    {
        auto polygon = std::make_unique<b2PolygonShape>();
        if (count > b2_maxPolygonVertices || !SetPolygon(*polygon, g.points.data(), count))
        {
            reason = "polygon needs 3 to 8 corners enclosing an area";
            return nullptr;
        }
        return polygon;
    }
    case b2Shape::e_chain:
    {
        auto chain = std::make_unique<b2ChainShape>();
        const bool built = g.loop ? SetLoop(*chain, g.points.data(), count) : SetChain(*chain, g.points.data(), count);
        if (!built)
        {
            reason = "chain points are too close together";
            return nullptr;
        }
        return chain;
    }
    default:
        reason = "unknown shape type";
        return nullptr;
    }
}

}  // namespace

ShapeGeometry GetGeometry(const b2Fixture* fixture)
{
    ShapeGeometry g;
    const b2Shape* shape = fixture->GetShape();
    g.type = shape->GetType();
    switch (g.type)
    {
    case b2Shape::e_circle:
    {
        const auto* circle = static_cast<const b2CircleShape*>(shape);
        g.points = {circle->m_p};
        g.radius = circle->m_radius;
        break;
    }
    case b2Shape::e_edge:
    {
        const auto* edge = static_cast<const b2EdgeShape*>(shape);
        const EdgeGhosts ghosts = GetEdgeGhosts(fixture);
        g.points = {edge->m_vertex1, edge->m_vertex2};
        g.oneSided = edge->m_oneSided;
        g.hasGhostBefore = ghosts.hasVertex0;
        g.hasGhostAfter = ghosts.hasVertex3;
        g.ghostBefore = ghosts.vertex0;
        g.ghostAfter = ghosts.vertex3;
        break;
    }
    case b2Shape::e_polygon:
    {
        const auto* polygon = static_cast<const b2PolygonShape*>(shape);
        g.points.assign(polygon->m_vertices, polygon->m_vertices + polygon->m_count);
        break;
    }
    case b2Shape::e_chain:
    {
        const auto* chain = static_cast<const b2ChainShape*>(shape);
        const ChainGhosts ghosts = GetChainGhosts(fixture);
        // A loop has both ghost vertices by construction: they follow from its points.
        const int n = chain->m_count;
        g.loop = ghosts.hasPrevVertex && ghosts.hasNextVertex && n >= 4 && chain->m_vertices[0] == chain->m_vertices[n - 1];
        g.points = ChainPoints(*chain, g.loop);
        if (!g.loop)
        {
            g.hasGhostBefore = ghosts.hasPrevVertex;
            g.hasGhostAfter = ghosts.hasNextVertex;
            g.ghostBefore = ghosts.prevVertex;
            g.ghostAfter = ghosts.nextVertex;
        }
        break;
    }
    default:
        break;
    }
    return g;
}

ShapeGeometry ReverseChain(ShapeGeometry chain)
{
    std::reverse(chain.points.begin(), chain.points.end());
    std::swap(chain.hasGhostBefore, chain.hasGhostAfter);
    std::swap(chain.ghostBefore, chain.ghostAfter);
    return chain;
}

std::string CheckGeometry(const ShapeGeometry& geometry)
{
    std::string reason;
    std::unique_ptr<b2Shape> shape = BuildShape(geometry, reason);
    return shape != nullptr ? CheckShape(*shape) : reason;
}

namespace
{

// The reason `geometry` cannot go into `fixture`; the built shape in `shape` when it can.
std::string CheckReplacement(const b2Fixture* fixture, const ShapeGeometry& geometry, std::unique_ptr<b2Shape>& shape)
{
    if (fixture == nullptr || fixture->GetType() != geometry.type)
    {
        return "the shape type cannot change";
    }
    const b2Body* body = fixture->GetBody();
    if (body->GetWorld()->IsLocked())
    {
        return "the world is locked";
    }
    std::string reason;
    shape = BuildShape(geometry, reason);
    if (shape == nullptr)
    {
        return reason;
    }
    reason = CheckShape(*shape);
    if (!reason.empty())
    {
        return reason;
    }
    // The body's mass is recomputed with the new shape in place of the old one.
    b2FixtureDef replacement;
    replacement.shape = shape.get();
    replacement.density = fixture->GetDensity();
    MassChange change(*body);
    change.removed = fixture;
    change.added = &replacement;
    return CheckMassReset(*body, change);
}

}  // namespace

std::string CheckGeometryFor(const b2Fixture* fixture, const ShapeGeometry& geometry)
{
    std::unique_ptr<b2Shape> shape;
    return CheckReplacement(fixture, geometry, shape);
}

bool SetGeometry(b2Fixture* fixture, const ShapeGeometry& geometry, std::string* error)
{
    std::unique_ptr<b2Shape> shape;
    if (Refused(CheckReplacement(fixture, geometry, shape), error))
    {
        return false;
    }
    b2Body* body = fixture->GetBody();
    switch (geometry.type)
    {
    case b2Shape::e_circle:
    {
        auto* circle = static_cast<b2CircleShape*>(fixture->GetShape());
        circle->m_p = geometry.points[0];
        circle->m_radius = geometry.radius;
        break;
    }
    case b2Shape::e_edge:
    {
        auto* edge = static_cast<b2EdgeShape*>(fixture->GetShape());
        edge->m_vertex1 = geometry.points[0];
        edge->m_vertex2 = geometry.points[1];
        SetEdgeGhosts(fixture, EdgeGhosts{geometry.hasGhostBefore, geometry.hasGhostAfter, geometry.ghostBefore,
                                          geometry.ghostAfter});
        edge->m_oneSided = geometry.oneSided;
        break;
    }
    case b2Shape::e_polygon:
    {
        auto* polygon = static_cast<b2PolygonShape*>(fixture->GetShape());
        const float skin = polygon->m_radius;
        *polygon = *static_cast<b2PolygonShape*>(shape.get());
        polygon->m_radius = skin;
        break;
    }
    case b2Shape::e_chain:
        RecreateChain(fixture, geometry.points.data(), static_cast<int>(geometry.points.size()), geometry.loop);
        if (!geometry.loop)
        {
            SetChainGhosts(fixture, ChainGhosts{geometry.hasGhostBefore, geometry.hasGhostAfter,
                                                geometry.ghostBefore, geometry.ghostAfter});
        }
        break;
    default:
        break;
    }
    ResetMassData(body);
    RefreshProxies(body);
    return true;
}

}  // namespace Physics
