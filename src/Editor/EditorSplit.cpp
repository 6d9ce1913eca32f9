// Inserting a vertex where the split point shown while Tab is held lies. Polygons and chains
// get the vertex in place; an edge is shortened to the split point and a second edge with the
// same material continues from there. A split that would leave a shape the physics library
// rejects is refused with nothing changed.
#include "Editor/Editor.h"

#include "Editor/EditStep.h"
#include "Physics/Polygon.h"
#include "Physics/ShapeGeometry.h"

#include <cfloat>

namespace
{

// How far outside the split polygon edge the new vertex goes, so that the polygon stays
// strictly convex.
constexpr float k_polygonSplitOffset = 0.01f;

// The polygon with a vertex inserted on its edge from vertex i to vertex i + 1; an empty
// reason when that gives a polygon with one corner more.
std::string SplitPolygon(Physics::ShapeGeometry& g, int i, float t)
{
    const int n = static_cast<int>(g.points.size());
    if (n >= b2_maxPolygonVertices)
    {
        return "the polygon has as many corners as it can have";
    }
    const b2Vec2 a = g.points[i];
    const b2Vec2 e = g.points[(i + 1) % n] - a;
    const float length = e.Length();
    if (length < FLT_EPSILON)
    {
        return "the polygon edge has no length";
    }
    // Counter-clockwise polygons have their outside on the right of each edge.
    const b2Vec2 outward(e.y / length, -e.x / length);
    g.points.insert(g.points.begin() + i + 1, a + t * e + k_polygonSplitOffset * outward);
    b2PolygonShape hull;
    if (!Physics::SetPolygon(hull, g.points.data(), n + 1) || hull.m_count != n + 1)
    {
        return "the new vertex would not be a corner of the polygon";
    }
    return {};
}

// The chain with a vertex inserted on its child edge i (a loop's last child edge closes it).
void SplitChain(Physics::ShapeGeometry& g, int i, float t)
{
    const size_t n = g.points.size();
    const b2Vec2 a = g.points[static_cast<size_t>(i)];
    const b2Vec2 c = g.points[(static_cast<size_t>(i) + 1) % n];
    g.points.insert(g.points.begin() + i + 1, a + t * (c - a));
}

int SegmentCount(const Physics::ShapeGeometry& g)
{
    const int n = static_cast<int>(g.points.size());
    switch (g.type)
    {
    case b2Shape::e_polygon:
        return n;
    case b2Shape::e_chain:
        return g.loop ? n : n - 1;
    case b2Shape::e_edge:
        return 1;
    default:
        return 0;
    }
}

}  // namespace

void Editor::executeSplitVertex()
{
    const _vertexSplitInfo info = m_controlState.splitInfo;
    b2Fixture* fixture = info.fixture;
    if (fixture == nullptr)
    {
        return;
    }
    Physics::ShapeGeometry g = Physics::GetGeometry(fixture);
    if (info.edgeIndex < 0 || info.edgeIndex >= SegmentCount(g))
    {
        return;
    }
    const float t = b2Clamp(info.fraction, 0.0f, 1.0f);
    std::string error;
    {
        EditStep step(m_edits, "split vertex");
        switch (g.type)
        {
        case b2Shape::e_polygon:
            error = SplitPolygon(g, info.edgeIndex, t);
            if (error.empty())
            {
                m_edits.reshapeFixture(fixture, g, &error);
            }
            break;
        case b2Shape::e_chain:
            SplitChain(g, info.edgeIndex, t);
            m_edits.reshapeFixture(fixture, g, &error);
            break;
        case b2Shape::e_edge:
        {
            // The first part keeps the ghost vertex before it, the new edge the one after.
            const b2Vec2 p = g.points[0] + t * (g.points[1] - g.points[0]);
            Physics::ShapeGeometry first = g;
            first.points[1] = p;
            first.hasGhostAfter = false;
            Physics::ShapeGeometry second = g;
            second.points[0] = p;
            second.hasGhostBefore = false;
            error = Physics::CheckGeometryFor(fixture, first);
            if (error.empty())
            {
                error = Physics::CheckGeometry(second);
            }
            if (!error.empty())
            {
                break;
            }
            b2EdgeShape edge;
            edge.SetTwoSided(second.points[0], second.points[1]);
            b2FixtureDef def;
            duplicateFixtureProperties(fixture, def);
            def.shape = &edge;
            b2Fixture* added = m_edits.createFixture(fixture->GetBody(), def, &error);
            if (added != nullptr)
            {
                m_edits.reshapeFixture(added, second, &error);
                m_edits.reshapeFixture(fixture, first, &error);
            }
            break;
        }
        default:
            return;
        }
    }
    if (!error.empty())
    {
        addMessage("No vertex inserted: " + error, k_refusalColour);
        return;
    }
    forgetVertices(fixture);
    updateSelectionCandidate();
    m_controlState.selectionCenter = getSelectionCenter();
}
