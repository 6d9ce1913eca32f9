// Deleting the selection. Bodies, fixtures and joints go through the scene host, which tells
// every listener (the editor among them, which drops its references) before each goes.
// Vertices are deleted by rewriting their fixture's shape in place, so the fixture keeps its
// name, material, flags and selection; a fixture left with too few vertices is removed instead.
#include "Editor/Editor.h"

#include "Editor/EditStep.h"
#include "Physics/Guards.h"
#include "Physics/ShapeGeometry.h"

#include <cstdio>

namespace
{

std::string DeletionLabel(_editMethod method, size_t count)
{
    static const char* const singular[] = {"body", "fixture", "vertex", "joint"};
    static const char* const plural[] = {"bodies", "fixtures", "vertices", "joints"};
    char label[64];
    std::snprintf(label, sizeof(label), "delete %zu %s", count, count == 1 ? singular[method] : plural[method]);
    return label;
}

size_t SelectionSize(const _controlState& cs, _editMethod method)
{
    switch (method)
    {
    case EM_BODIES:
        return cs.selectedBodies.size();
    case EM_FIXTURES:
        return cs.selectedFixtures.size();
    case EM_VERTICES:
        return cs.selectedVertices.size();
    case EM_JOINTS:
        return cs.selectedJoints.size();
    }
    return 0;
}

// Destroys each object of the live set that is still in it when its turn comes: one object may
// take others with it (a joint takes the gear joints coupling it), and the host's announcement
// removes those from the set first. Returns why the first refused object stayed.
template <class Object, class Destroy>
std::string DestroyEach(const std::set<Object*>& live, Destroy destroy)
{
    const std::vector<Object*> chosen(live.begin(), live.end());
    std::string firstRefusal;
    for (Object* object : chosen)
    {
        std::string error;
        if (live.count(object) != 0 && !destroy(object, &error) && firstRefusal.empty())
        {
            firstRefusal = error;
        }
    }
    return firstRefusal;
}

enum class VertexOutcome
{
    Unchanged,
    Reshaped,
    Removed
};

// What deleting some vertices of one fixture does to it, decided before anything changes.
struct VertexDeletion
{
    VertexOutcome outcome = VertexOutcome::Unchanged;
    Physics::ShapeGeometry geometry;  // the fixture's new shape when reshaped
    std::string refusal;
};

// Positions in the geometry's points of the vertices to delete. A loop's closing vertex is
// its first vertex.
std::set<size_t> DoomedPoints(const Physics::ShapeGeometry& g, const std::vector<vertexInfo>& group)
{
    std::set<size_t> doomed;
    for (const vertexInfo& v : group)
    {
        size_t i = static_cast<size_t>(v.index);
        if (g.loop && i == g.points.size())
        {
            i = 0;
        }
        if (v.index >= 0 && i < g.points.size())
        {
            doomed.insert(i);
        }
    }
    return doomed;
}

VertexDeletion PlanVertexDeletion(b2Fixture* fixture, const std::vector<vertexInfo>& group)
{
    VertexDeletion plan;
    Physics::ShapeGeometry g = Physics::GetGeometry(fixture);
    // Fewer remaining vertices than this remove the whole fixture.
    size_t fewest = 0;
    switch (g.type)
    {
    case b2Shape::e_edge:
        plan.outcome = VertexOutcome::Removed;
        break;
    case b2Shape::e_polygon:
        fewest = 3;
        break;
    case b2Shape::e_chain:
        fewest = g.loop ? 3 : 2;
        break;
    default:
        return plan;
    }
    if (plan.outcome != VertexOutcome::Removed)
    {
        const std::set<size_t> doomed = DoomedPoints(g, group);
        if (doomed.empty())
        {
            return plan;
        }
        if (g.points.size() - doomed.size() < fewest)
        {
            plan.outcome = VertexOutcome::Removed;
        }
        else
        {
            std::vector<b2Vec2> kept;
            for (size_t i = 0; i < g.points.size(); ++i)
            {
                if (doomed.count(i) == 0)
                {
                    kept.push_back(g.points[i]);
                }
            }
            // A ghost vertex belongs next to its end point: it goes with it.
            g.hasGhostBefore = g.hasGhostBefore && doomed.count(0) == 0;
            g.hasGhostAfter = g.hasGhostAfter && doomed.count(g.points.size() - 1) == 0;
            g.points = kept;
            plan.outcome = VertexOutcome::Reshaped;
            plan.geometry = g;
            plan.refusal = Physics::CheckGeometryFor(fixture, g);
        }
    }
    if (plan.outcome == VertexOutcome::Removed)
    {
        Physics::MassChange change(*fixture->GetBody());
        change.removed = fixture;
        plan.refusal = Physics::CheckMassReset(*fixture->GetBody(), change);
    }
    return plan;
}

// Runs of the selected vertices that belong to one fixture, in the selection's order.
std::vector<std::vector<vertexInfo>> GroupsByFixture(const std::set<vertexInfo>& vertices)
{
    std::vector<std::vector<vertexInfo>> groups;
    for (const vertexInfo& v : vertices)
    {
        if (groups.empty() || groups.back().front().fixture != v.fixture)
        {
            groups.emplace_back();
        }
        groups.back().push_back(v);
    }
    return groups;
}

}  // namespace

void Editor::doDelete()
{
    _controlState& cs = m_controlState;
    if (m_world == nullptr || !haveSelection())
    {
        return;
    }
    std::string refusal;
    {
        EditStep step(m_edits, DeletionLabel(m_editMethod, SelectionSize(cs, m_editMethod)));
        switch (m_editMethod)
        {
        case EM_BODIES:
            refusal = DestroyEach(cs.selectedBodies,
                                  [this](b2Body* body, std::string* error) { return m_edits.destroyBody(body, error); });
            break;
        case EM_FIXTURES:
            refusal = DestroyEach(cs.selectedFixtures, [this](b2Fixture* fixture, std::string* error) {
                return m_edits.destroyFixture(fixture, error);
            });
            break;
        case EM_JOINTS:
            refusal = DestroyEach(cs.selectedJoints,
                                  [this](b2Joint* joint, std::string* error) { return m_edits.destroyJoint(joint, error); });
            break;
        case EM_VERTICES:
        {
            // Every fixture's outcome is checked before any of them changes.
            std::vector<std::vector<vertexInfo>> groups = GroupsByFixture(cs.selectedVertices);
            for (const std::vector<vertexInfo>& group : groups)
            {
                const std::string reason = PlanVertexDeletion(group.front().fixture, group).refusal;
                if (refusal.empty())
                {
                    refusal = reason;
                }
            }
            if (refusal.empty())
            {
                for (std::vector<vertexInfo>& group : groups)
                {
                    deleteVertices(group);
                }
                cs.selectedVertices.clear();
            }
            break;
        }
        }
    }
    if (!refusal.empty())
    {
        addMessage("Not deleted: " + refusal, k_refusalColour);
    }
    updateSelectionCandidate();
    cs.selectionCenter = getSelectionCenter();
    updateUIPanelInfo();
}

void Editor::deleteVertices(std::vector<vertexInfo>& group)
{
    if (group.empty() || group.front().fixture == nullptr)
    {
        return;
    }
    b2Fixture* fixture = group.front().fixture;
    const VertexDeletion plan = PlanVertexDeletion(fixture, group);
    std::string error = plan.refusal;
    EditStep step(m_edits, DeletionLabel(EM_VERTICES, group.size()));
    if (error.empty() && plan.outcome == VertexOutcome::Removed)
    {
        m_edits.destroyFixture(fixture, &error);
    }
    else if (error.empty() && plan.outcome == VertexOutcome::Reshaped && m_edits.reshapeFixture(fixture, plan.geometry, &error))
    {
        forgetVertices(fixture);
    }
    if (!error.empty())
    {
        addMessage("Not deleted: " + error, k_refusalColour);
    }
}

void Editor::forgetVertices(b2Fixture* fixture)
{
    for (std::set<vertexInfo>* vertices : {&m_controlState.candidateVertices, &m_controlState.disambiguationVertices,
                                           &m_controlState.selectedVertices})
    {
        for (auto it = vertices->begin(); it != vertices->end();)
        {
            it = it->fixture == fixture ? vertices->erase(it) : std::next(it);
        }
    }
}
