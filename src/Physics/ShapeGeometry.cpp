#include "Physics/ShapeGeometry.h"

#include "Physics/BodyState.h"
#include "Physics/Create.h"
#include "Physics/Ghosts.h"
#include "Physics/Guards.h"
#include "Physics/Polygon.h"
#include "Physics/Reasons.h"

#include <algorithm>
#include <map>
#include <memory>
#include <set>

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
        if (count != 1 || !(g.radius > 0.0f) || g.radius > k_maxCoordinate)
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

// The shapes the changes build, in their order, or the reason one of them cannot be written.
std::string CheckChanges(const std::vector<GeometryChange>& changes, std::vector<std::unique_ptr<b2Shape>>& shapes)
{
    std::set<const b2Fixture*> seen;
    std::map<const b2Body*, MassChange> bodies;
    for (const GeometryChange& change : changes)
    {
        const b2Fixture* fixture = change.fixture;
        if (fixture == nullptr || fixture->GetType() != change.geometry.type)
        {
            return "the shape type cannot change";
        }
        if (!seen.insert(fixture).second)
        {
            return "a fixture is changed twice";
        }
        const b2Body* body = fixture->GetBody();
        const std::string locked = CheckUnlocked(*body->GetWorld());
        if (!locked.empty())
        {
            return locked;
        }
        std::string reason;
        std::unique_ptr<b2Shape> shape = BuildShape(change.geometry, reason);
        if (shape == nullptr)
        {
            return reason;
        }
        reason = CheckShape(*shape);
        if (!reason.empty())
        {
            return reason;
        }
        bodies.emplace(body, MassChange(*body)).first->second.reshaped.emplace_back(fixture, shape.get());
        shapes.push_back(std::move(shape));
    }
    // Each body's mass is recomputed once, with all of its new shapes in their places.
    for (const auto& body : bodies)
    {
        const std::string reason = CheckMassReset(*body.first, body.second);
        if (!reason.empty())
        {
            return reason;
        }
    }
    return {};
}

// Writes a checked geometry and its built shape into the fixture; the body's mass is left as it was.
void WriteShape(b2Fixture* fixture, const ShapeGeometry& geometry, const b2Shape& shape)
{
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
        *polygon = static_cast<const b2PolygonShape&>(shape);
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
}

}  // namespace

std::string CheckGeometryFor(const b2Fixture* fixture, const ShapeGeometry& geometry)
{
    return CheckGeometries({GeometryChange{const_cast<b2Fixture*>(fixture), geometry}});
}

bool SetGeometry(b2Fixture* fixture, const ShapeGeometry& geometry, std::string* error)
{
    return SetGeometries({GeometryChange{fixture, geometry}}, error);
}

std::string CheckGeometries(const std::vector<GeometryChange>& changes)
{
    std::vector<std::unique_ptr<b2Shape>> shapes;
    return CheckChanges(changes, shapes);
}

bool SetGeometries(const std::vector<GeometryChange>& changes, std::string* error)
{
    std::vector<std::unique_ptr<b2Shape>> shapes;
    if (Refused(CheckChanges(changes, shapes), error))
    {
        return false;
    }
    std::set<b2Body*> bodies;
    for (size_t i = 0; i < changes.size(); ++i)
    {
        WriteShape(changes[i].fixture, changes[i].geometry, *shapes[i]);
        bodies.insert(changes[i].fixture->GetBody());
    }
    for (b2Body* body : bodies)
    {
        ResetMassData(body);
        RefreshProxies(body);
    }
    return true;
}

}  // namespace Physics
