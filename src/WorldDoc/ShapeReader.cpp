#include "WorldDoc/ShapeReader.h"

#include "Physics/Guards.h"
#include "Physics/Polygon.h"

#include <vector>

namespace
{

struct ShapeMember
{
    const char* key;
    FixtureShape::Kind kind;
    bool loop;
};

// The order in which a reader looks for the shape; "loop" comes only from other programs.
const ShapeMember k_shapeMembers[] = {
    {"circle", FixtureShape::k_circle, false}, {"edge", FixtureShape::k_edge, false},
    {"loop", FixtureShape::k_chain, true},     {"chain", FixtureShape::k_chain, false},
    {"polygon", FixtureShape::k_polygon, false},
};

bool Fail(std::string& problem, const char* shape, const std::string& what)
{
    problem = std::string(shape) + ' ' + what;
    return false;
}

bool FailMembers(std::string& problem, const char* shape, const MemberReader& members)
{
    problem = std::string(shape) + ": " + members.problem();
    return false;
}

// "polygon has 9 vertices (at most 8)".
bool FailCount(std::string& problem, const char* shape, std::size_t count, const std::string& bound)
{
    const std::string vertices = count == 1 ? " vertex (" : " vertices (";
    return Fail(problem, shape, "has " + std::to_string(count) + vertices + bound + ")");
}

// Every point must be finite and within the coordinate range the library copes with.
bool CheckPoints(std::string& problem, const char* shape, const char* what, const b2Vec2* points,
                 std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
    {
        if (!Physics::IsSaneCoordinate(points[i]))
        {
            const std::string which = count > 1 ? std::string(what) + " " + std::to_string(i) : what;
            return Fail(problem, shape, which + " is not finite or too far from the origin");
        }
    }
    return true;
}

}  // namespace

bool FixtureShape::read(MemberReader& fixture, std::string& problem)
{
    m_kind = k_none;
    for (const ShapeMember& entry : k_shapeMembers)
    {
        if (!fixture.has(entry.key))
        {
            continue;
        }
        const Json::Value* object = fixture.getObject(entry.key);
        if (!object)
        {
            problem = fixture.problem();
            return false;
        }
        MemberReader members(*object);
        m_kind = entry.kind;
        switch (entry.kind)
        {
        case k_circle:
            return readCircle(members, problem);
        case k_edge:
            return readEdge(members, problem);
        case k_chain:
            return readChain(members, entry.loop, problem);
        default:
            return readPolygon(members, problem);
        }
    }
    return true;
}

const b2Shape* FixtureShape::shape() const
{
    switch (m_kind)
    {
    case k_circle:
        return &m_circle;
    case k_edge:
        return &m_edge;
    case k_chain:
        return &m_chain;
    case k_polygon:
        return &m_polygon;
    default:
        return nullptr;
    }
}

void FixtureShape::attachGhosts(b2Fixture* fixture) const
{
    if (m_kind == k_edge)
    {
        Physics::SetEdgeGhosts(fixture, m_edgeGhosts);
    }
    else if (m_kind == k_chain)
    {
        Physics::SetChainGhosts(fixture, m_chainGhosts);
    }
}

bool FixtureShape::readCircle(MemberReader& circle, std::string& problem)
{
    m_circle.m_radius = circle.getFloat("radius");
    m_circle.m_p = circle.getVector("center");
    if (!circle.ok())
    {
        return FailMembers(problem, "circle", circle);
    }
    // The radius is checked with the rest of the fixture when it is created.
    return CheckPoints(problem, "circle", "centre", &m_circle.m_p, 1);
}

bool FixtureShape::readEdge(MemberReader& edge, std::string& problem)
{
    b2Vec2 points[2] = {edge.getVector("vertex1"), edge.getVector("vertex2")};
    Physics::EdgeGhosts& ghosts = m_edgeGhosts;
    ghosts.hasVertex0 = edge.getFlaggedVector("hasVertex0", "vertex0", ghosts.vertex0);
    ghosts.hasVertex3 = edge.getFlaggedVector("hasVertex3", "vertex3", ghosts.vertex3);
    if (!edge.ok())
    {
        return FailMembers(problem, "edge", edge);
    }
    if (!CheckPoints(problem, "edge", "vertex", points, 2) ||
        !CheckPoints(problem, "edge", "vertex0", &ghosts.vertex0, 1) ||
        !CheckPoints(problem, "edge", "vertex3", &ghosts.vertex3, 1))
    {
        return false;
    }
    m_edge.SetTwoSided(points[0], points[1]);
    return true;
}

bool FixtureShape::readChain(MemberReader& chain, bool loop, std::string& problem)
{
    const char* name = loop ? "loop" : "chain";
    std::vector<b2Vec2> points;
    chain.getVectorArray("vertices", points);
    Physics::ChainGhosts& ghosts = m_chainGhosts;
    if (!loop)
    {
        ghosts.hasPrevVertex = chain.getFlaggedVector("hasPrevVertex", "prevVertex", ghosts.prevVertex);
        ghosts.hasNextVertex = chain.getFlaggedVector("hasNextVertex", "nextVertex", ghosts.nextVertex);
    }
    if (!chain.ok())
    {
        return FailMembers(problem, name, chain);
    }
    const std::size_t fewest = loop ? 3 : 2;
    if (points.size() < fewest)
    {
        return FailCount(problem, name, points.size(), loop ? "at least 3" : "at least 2");
    }
    if (!CheckPoints(problem, name, "vertex", points.data(), points.size()) ||
        !CheckPoints(problem, name, "prevVertex", &ghosts.prevVertex, 1) ||
        !CheckPoints(problem, name, "nextVertex", &ghosts.nextVertex, 1))
    {
        return false;
    }
    const int count = static_cast<int>(points.size());
    const bool built = loop ? Physics::SetLoop(m_chain, points.data(), count)
                            : Physics::SetChain(m_chain, points.data(), count);
    if (!built)
    {
        return Fail(problem, name, "has neighbouring vertices that coincide or nearly so");
    }
    if (loop)
    {
        // A closed loop has both ghost vertices: its own neighbours across the closing point.
        ghosts.hasPrevVertex = true;
        ghosts.hasNextVertex = true;
        ghosts.prevVertex = m_chain.m_prevVertex;
        ghosts.nextVertex = m_chain.m_nextVertex;
    }
    return true;
}

bool FixtureShape::readPolygon(MemberReader& polygon, std::string& problem)
{
    std::vector<b2Vec2> points;
    polygon.getVectorArray("vertices", points);
    if (!polygon.ok())
    {
        return FailMembers(problem, "polygon", polygon);
    }
    if (points.size() < 3)
    {
        return FailCount(problem, "polygon", points.size(), "at least 3");
    }
    if (points.size() > static_cast<std::size_t>(b2_maxPolygonVertices))
    {
        return FailCount(problem, "polygon", points.size(), "at most " + std::to_string(b2_maxPolygonVertices));
    }
    if (!CheckPoints(problem, "polygon", "vertex", points.data(), points.size()))
    {
        return false;
    }
    if (!Physics::SetPolygon(m_polygon, points.data(), static_cast<int>(points.size())))
    {
        return Fail(problem, "polygon", "encloses too little area");
    }
    return true;
}
