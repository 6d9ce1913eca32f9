#include "Editor/Editor.h"

#include "Editor/EditStep.h"
#include "Editor/JointAxes.h"
#include "Editor/Mat33.h"
#include "Editor/PolygonWinding.h"
#include "Physics/JointKinds.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <map>
#include <set>
#include <string>

namespace
{

const char* const k_windingRefusal = "Vertex move cancelled - polygon winding would be illegal";

b2Mat33 Translation(const b2Vec2& t)
{
    b2Mat33 m;
    setMat33Translation(m, t);
    return m;
}

b2Mat33 Rotation(float angle)
{
    b2Mat33 m;
    setMat33Rotation(m, angle);
    return m;
}

b2Mat33 Scale(float sx, float sy)
{
    b2Mat33 m;
    setMat33Scale(m, sx, sy);
    return m;
}

// `inner` applied about `centre`: translate by -centre, apply, translate back.
b2Mat33 About(const b2Vec2& centre, const b2Mat33& inner)
{
    return b2Mul(b2Mul(Translation(-centre), inner), Translation(centre));
}

float Determinant(const b2Mat33& m)
{
    return m.ex.x * m.ey.y - m.ey.x * m.ex.y;
}

const char* OperationName(int state)
{
    if (state & CS_TRANSLATE)
    {
        return "Translation";
    }
    return (state & CS_ROTATE) ? "Rotation" : "Scaling";
}

bool IsPicturedJoint(b2JointType type)
{
    return type == e_revoluteJoint || type == e_prismaticJoint || type == e_distanceJoint ||
           type == e_wheelJoint || type == e_ropeJoint;
}

// The point of a vertex-mode geometry named by a vertex index, or null for none.
b2Vec2* PointOfVertex(Physics::ShapeGeometry& g, int index)
{
    const int count = static_cast<int>(g.points.size());
    switch (g.type)
    {
    case b2Shape::e_edge:
        if (index == 0)
        {
            return &g.ghostBefore;
        }
        if (index == 3)
        {
            return &g.ghostAfter;
        }
        return index == 1 || index == 2 ? &g.points[index - 1] : nullptr;
    case b2Shape::e_polygon:
        return index >= 0 && index < count ? &g.points[index] : nullptr;
    case b2Shape::e_chain:
        // A loop's last vertex repeats its first.
        if (g.loop && index == count)
        {
            return &g.points[0];
        }
        return index >= 0 && index < count ? &g.points[index] : nullptr;
    default:
        return nullptr;
    }
}

// The fixture changes an accept writes: all but those refused on their own.
std::vector<Physics::GeometryChange> ApplicableChanges(const OperationProposal& proposal)
{
    std::vector<Physics::GeometryChange> changes;
    for (const FixtureProposal& change : proposal.fixtures)
    {
        if (change.refusal.empty())
        {
            changes.push_back(Physics::GeometryChange{change.fixture, change.geometry});
        }
    }
    return changes;
}

// Where a vertex of a reshaped fixture is found afterwards; -1 when it is gone. Polygons are
// stored from their rightmost point, so their vertices are found by position; a turned-around
// chain counts from its other end (a loop's closing vertex repeats its first).
int IndexAfter(const FixtureProposal& change, const b2Shape* shape, int index)
{
    const int count = static_cast<int>(change.geometry.points.size());
    if (change.geometry.type == b2Shape::e_polygon)
    {
        const auto* polygon = static_cast<const b2PolygonShape*>(shape);
        if (index < 0 || index >= count)
        {
            return -1;
        }
        const b2Vec2* found = std::find(polygon->m_vertices, polygon->m_vertices + polygon->m_count,
                                        change.geometry.points[index]);
        return found != polygon->m_vertices + polygon->m_count ? static_cast<int>(found - polygon->m_vertices) : -1;
    }
    if (change.reversed)
    {
        return index >= count ? count - 1 : count - 1 - index;
    }
    return index;
}

// Vertex references that follow their fixtures' new shapes; those whose vertex is gone are dropped.
void FollowReshapes(std::set<vertexInfo>& vertices, const OperationProposal& proposal)
{
    std::map<const b2Fixture*, const FixtureProposal*> reshaped;
    for (const FixtureProposal& change : proposal.fixtures)
    {
        if (change.refusal.empty())
        {
            reshaped[change.fixture] = &change;
        }
    }
    std::set<vertexInfo> followed;
    for (const vertexInfo& v : vertices)
    {
        auto found = reshaped.find(v.fixture);
        const int index =
            found != reshaped.end() ? IndexAfter(*found->second, v.fixture->GetShape(), v.index) : v.index;
        if (index >= 0)
        {
            followed.insert(vertexInfo{v.fixture, index});
        }
    }
    vertices.swap(followed);
}

// Counts with the singular or plural noun: "3 bodies", "1 fixture".
std::string Counted(size_t count, const char* one, const char* many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// The undo step's name: "translate 3 bodies", "scale 2 vertices", "move 1 joint anchor".
std::string StepLabel(const _controlState& cs, _editMethod method, const OperationProposal& proposal)
{
    const std::string verb = (cs.state & CS_TRANSLATE) ? "translate" : (cs.state & CS_ROTATE) ? "rotate" : "scale";
    switch (method)
    {
    case EM_BODIES:
        return verb + " " + Counted(cs.selectedBodies.size(), "body", "bodies");
    case EM_FIXTURES:
        return verb + " " + Counted(cs.selectedFixtures.size(), "fixture", "fixtures");
    case EM_VERTICES:
        return verb + " " + Counted(cs.selectedVertices.size(), "vertex", "vertices");
    default:
        return ((cs.state & CS_TRANSLATE) ? std::string("move") : verb) + " " +
               Counted(proposal.joints.size(), "joint anchor", "joint anchors");
    }
}

}  // namespace

OperationProposal Editor::proposeOperation() const
{
    OperationProposal proposal;
    const _controlState& cs = m_controlState;
    const int state = cs.state;
    if (m_world == nullptr || !(state & (CS_TRANSLATE | CS_ROTATE | CS_SCALE)))
    {
        return proposal;
    }

    // The operation in world coordinates; bodies scale by the x factor alone.
    const b2Vec2 factor = (state & CS_SCALE) ? getScaledFactor() : b2Vec2(1.0f, 1.0f);
    b2Mat33 world;
    b2Mat33 bodies;
    if (state & CS_TRANSLATE)
    {
        world = bodies = Translation(getTranslatedDelta());
    }
    else if (state & CS_ROTATE)
    {
        world = bodies = About(getRotationCenter(), Rotation(getRotatedAngle()));
    }
    else
    {
        world = About(getScaleCenter(), Scale(factor.x, factor.y));
        bodies = About(getScaleCenter(), Scale(factor.x, factor.x));
    }

    switch (m_editMethod)
    {
    case EM_BODIES:
        for (b2Body* body : cs.selectedBodies)
        {
            BodyPlacement placement{body, b2Mul(bodies, body->GetPosition()),
                                    body->GetAngle() + getMat33Angle(bodies)};
            if (proposal.refusal.empty())
            {
                proposal.refusal = WorldEdits::checkPlacement(placement.position, placement.angle);
            }
            proposal.bodies.push_back(placement);
        }
        break;

    case EM_FIXTURES:
        for (b2Fixture* fixture : cs.selectedFixtures)
        {
            // In the body's frame: the factors act along the body's own axes.
            const b2Transform& xf = fixture->GetBody()->GetTransform();
            b2Mat33 local;
            float radiusScale = 1.0f;
            if (state & CS_TRANSLATE)
            {
                local = Translation(b2MulT(xf.q, getTranslatedDelta()));
            }
            else if (state & CS_ROTATE)
            {
                local = About(b2MulT(xf, getRotationCenter()), Rotation(getRotatedAngle()));
            }
            else
            {
                local = About(b2MulT(xf, getScaleCenter()), Scale(factor.x, factor.y));
                radiusScale = (factor.x + factor.y) * 0.5f;
            }
            FixtureProposal change;
            change.fixture = fixture;
            change.geometry = Physics::MapGeometry(Physics::GetGeometry(fixture),
                                                   [&local](const b2Vec2& p) { return b2Mul(local, p); });
            change.geometry.radius *= radiusScale;
            proposal.fixtures.push_back(change);
        }
        break;

    case EM_VERTICES:
        // One proposal per fixture; vertices move through the world matrix, so a restricted
        // scale acts along the world's axes as the mouse does, whatever the body's angle.
        for (auto run = cs.selectedVertices.begin(); run != cs.selectedVertices.end();)
        {
            b2Fixture* fixture = run->fixture;
            const b2Transform& xf = fixture->GetBody()->GetTransform();
            FixtureProposal change;
            change.fixture = fixture;
            change.geometry = Physics::GetGeometry(fixture);
            const auto move = [&](b2Vec2& point) { point = b2MulT(xf, b2Mul(world, b2Mul(xf, point))); };
            std::set<b2Vec2*> moved;
            for (; run != cs.selectedVertices.end() && run->fixture == fixture; ++run)
            {
                b2Vec2* point = PointOfVertex(change.geometry, run->index);
                if (point != nullptr && moved.insert(point).second)
                {
                    move(*point);
                    if (point >= change.geometry.points.data() &&
                        point < change.geometry.points.data() + change.geometry.points.size())
                    {
                        change.movedPoints.push_back(static_cast<int>(point - change.geometry.points.data()));
                    }
                }
            }
            std::vector<b2Vec2>& points = change.geometry.points;
            if (change.geometry.type == b2Shape::e_polygon)
            {
                std::vector<b2Vec2> reversed(points.rbegin(), points.rend());
                if (!checkPolygonVertices(points.data(), static_cast<int>(points.size())) &&
                    !checkPolygonVertices(reversed.data(), static_cast<int>(reversed.size())))
                {
                    change.refusal = k_windingRefusal;
                }
            }
            else if (change.geometry.type == b2Shape::e_chain && change.movedPoints.size() == points.size())
            {
                // The whole chain moves: its ghost vertices go with it, as when its fixture moves.
                move(change.geometry.ghostBefore);
                move(change.geometry.ghostAfter);
                if (Determinant(world) < 0.0f)
                {
                    // A mirrored chain keeps colliding on the side that faced the bodies.
                    change.geometry = Physics::ReverseChain(change.geometry);
                    change.reversed = true;
                }
            }
            proposal.fixtures.push_back(change);
        }
        break;

    case EM_JOINTS:
        for (b2Joint* joint : cs.selectedJoints)
        {
            const b2JointType type = Physics::GetJointType(joint);
            const bool moves = (state & CS_TRANSLATE) ? IsPicturedJoint(type)
                               : (state & CS_ROTATE)
                                   ? type == e_revoluteJoint || type == e_distanceJoint || type == e_wheelJoint
                                   : false;
            if (!moves || !(state & (CS_ANCHOR_A | CS_ANCHOR_B)))
            {
                continue;
            }
            JointProposal change{joint, joint->GetAnchorA(), joint->GetAnchorB(), {}};
            b2Vec2& anchor = (state & CS_ANCHOR_B) ? change.anchorB : change.anchorA;
            anchor = b2Mul(world, anchor);
            if (proposal.refusal.empty())
            {
                proposal.refusal = WorldEdits::checkJointAnchors(joint, change.anchorA, change.anchorB);
            }
            proposal.joints.push_back(change);
        }
        break;
    }

    // The fixtures that would change are checked together: fixtures of one body that pass one at
    // a time may leave it with a mass the library asserts on.
    if (proposal.refusal.empty())
    {
        proposal.refusal = Physics::CheckGeometries(ApplicableChanges(proposal));
    }
    if (!proposal.refusal.empty())
    {
        proposal.refusal = std::string(OperationName(state)) + " refused: " + proposal.refusal;
    }
    return proposal;
}

void Editor::checkNewVertexPositions()
{
    _controlState& cs = m_controlState;
    cs.validVertexDisplays.clear();
    cs.invalidVertexDisplays.clear();
    if (m_editMethod != EM_VERTICES)
    {
        return;
    }
    const OperationProposal proposal = proposeOperation();
    for (const FixtureProposal& change : proposal.fixtures)
    {
        tentativeVertexDisplay display;
        display.fixture = change.fixture;
        display.movedIndices = change.movedPoints;
        const b2Transform& xf = change.fixture->GetBody()->GetTransform();
        if (change.geometry.type != b2Shape::e_circle)
        {
            for (const b2Vec2& p : change.geometry.points)
            {
                display.vertices.push_back(b2Mul(xf, p));
            }
        }
        const bool valid = change.refusal.empty() && proposal.refusal.empty();
        (valid ? cs.validVertexDisplays : cs.invalidVertexDisplays).push_back(display);
    }
}

bool Editor::accept()
{
    _controlState& cs = m_controlState;
    if (m_editMethod == EM_BODIES && (cs.state & (CS_LOWER_LIMIT | CS_UPPER_LIMIT)))
    {
        // Each click sets the limit again; the operation stays open.
        setJointLimit();
        return false;
    }
    const OperationProposal proposal = proposeOperation();
    if (!proposal.refusal.empty())
    {
        // Nothing is applied; the operation stays open so that the user can correct it.
        addMessage(proposal.refusal, k_refusalColour);
        return false;
    }
    {
        EditStep step(m_edits, StepLabel(cs, m_editMethod, proposal));
        std::string error;
        for (const BodyPlacement& placement : proposal.bodies)
        {
            m_edits.placeBody(placement.body, placement.position, placement.angle, &error);
        }
        for (const FixtureProposal& change : proposal.fixtures)
        {
            if (!change.refusal.empty())
            {
                addMessage(change.refusal, k_refusalColour);
            }
        }
        const std::vector<Physics::GeometryChange> changes = ApplicableChanges(proposal);
        if (!changes.empty() && m_edits.reshapeFixtures(changes, &error))
        {
            FollowReshapes(cs.selectedVertices, proposal);
            FollowReshapes(cs.candidateVertices, proposal);
        }
        for (const JointProposal& change : proposal.joints)
        {
            m_edits.moveJointAnchors(change.joint, change.anchorA, change.anchorB, &error);
        }
        // Everything was checked above; a change refused all the same is not kept quiet.
        if (!error.empty())
        {
            addMessage(std::string(OperationName(cs.state)) + " incomplete: " + error, k_errorColour);
        }
    }
    cs.selectionCenter = getSelectionCenter();
    closePasteStep();
    return true;
}

void Editor::setJointLimit()
{
    b2Joint* joint = getLimitJoint();
    const int state = m_controlState.state;
    if (joint == nullptr || !(state & (CS_LOWER_LIMIT | CS_UPPER_LIMIT)))
    {
        return;
    }
    const bool lowerLimit = (state & CS_LOWER_LIMIT) != 0;
    std::string error;
    EditStep step(m_edits, "set joint limit");
    switch (Physics::GetJointType(joint))
    {
    case e_prismaticJoint:
    {
        auto* prismatic = static_cast<b2PrismaticJoint*>(joint);
        const float value = b2Dot(getTranslatedDelta(), JointWorldAxis(joint)) + prismatic->GetJointTranslation();
        float lower = lowerLimit ? value : prismatic->GetLowerLimit();
        float upper = lowerLimit ? prismatic->GetUpperLimit() : value;
        m_edits.setJointLimits(joint, std::min(lower, upper), std::max(lower, upper), &error);
        break;
    }
    case e_revoluteJoint:
    {
        auto* revolute = static_cast<b2RevoluteJoint*>(joint);
        // The joint angle (body B's turn from body A's, less the reference angle) once the
        // selected body has turned.
        const float turn = getRotatedAngle();
        const bool bodyB = *m_controlState.selectedBodies.begin() == joint->GetBodyB();
        const float value = revolute->GetJointAngle() + (bodyB ? turn : -turn);
        float lower = lowerLimit ? value : revolute->GetLowerLimit();
        float upper = lowerLimit ? revolute->GetUpperLimit() : value;
        // The upper limit comes after the lower one by whole turns.
        if (lower > upper)
        {
            upper += std::ceil((lower - upper) / (2.0f * b2_pi)) * (2.0f * b2_pi);
            while (lower > upper && std::isfinite(upper))
            {
                upper = std::nextafter(upper, FLT_MAX);
            }
        }
        m_edits.setJointLimits(joint, lower, upper, &error);
        break;
    }
    default:
        break;
    }
    if (!error.empty())
    {
        addMessage("Limit refused: " + error, k_refusalColour);
    }
}

void Editor::resetAngles()
{
    EditStep step(m_edits, "reset angle");
    std::string error;
    for (b2Body* body : m_controlState.selectedBodies)
    {
        m_edits.placeBody(body, body->GetPosition(), 0.0f, &error);
    }
    if (!error.empty())
    {
        addMessage("Angle reset refused: " + error, k_refusalColour);
    }
}
