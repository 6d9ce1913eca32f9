// The guides of the open operation: translating, rotating and scaling draw the selection where
// accepting would put it, from the very proposal that accepting applies; measuring draws its
// line. Each shows its amount beside the mouse.
#include "Editor/Editor.h"
#include "Editor/EditorDebugDraw.h"
#include "Editor/Mat33.h"
#include "Framework/VertexBatch.h"
#include "Physics/ShapeGeometry.h"

#include <algorithm>

namespace
{

constexpr float k_degreesPerRadian = 57.29578f;
constexpr float k_movedPointPixels = 8.0f;
const b2Color k_movingColour(1.0f, 1.0f, 0.75f);
const b2Color k_refusedColour(1.0f, 0.0f, 0.0f);
const b2Color k_xAxisGuideColour(1.0f, 0.5f, 0.5f);
const b2Color k_yAxisGuideColour(0.5f, 1.0f, 0.5f);
constexpr float k_faintAlpha = 0.2f;

// Polygons and loops close their outline; edges and open chains do not.
bool IsClosedOutline(const b2Fixture* fixture)
{
    const b2Shape::Type type = fixture->GetType();
    return type == b2Shape::e_polygon || (type == b2Shape::e_chain && Physics::GetGeometry(fixture).loop);
}

}  // namespace

void Editor::drawProposal(const OperationProposal& proposal, bool fixtureNubs)
{
    const _controlState& cs = m_controlState;
    // What accepting would refuse is drawn in red.
    const b2Color colour = proposal.refusal.empty() ? k_movingColour : k_refusedColour;
    for (const BodyPlacement& placement : proposal.bodies)
    {
        drawBodyNub(placement.body, b2Transform(placement.position, b2Rot(placement.angle)), colour, true, false, true);
    }
    // While a joint limit is set, the joint shows its limits.
    b2Joint* limitJoint = getLimitJoint();
    if ((cs.state & (CS_LOWER_LIMIT | CS_UPPER_LIMIT)) && limitJoint != nullptr)
    {
        b2Mat33 identity;
        setMat33Translation(identity, b2Vec2_zero);
        drawJointNub(limitJoint, identity, k_movingColour, false, false, true);
    }
    if (m_editMethod == EM_FIXTURES)
    {
        for (const FixtureProposal& change : proposal.fixtures)
        {
            drawFixtureNub(change.fixture, change.geometry, colour, fixtureNubs, fixtureNubs);
        }
    }
    if (m_editMethod == EM_VERTICES)
    {
        for (const FixtureProposal& change : proposal.fixtures)
        {
            const b2Transform& xf = change.fixture->GetBody()->GetTransform();
            for (int index : change.movedPoints)
            {
                g_editorDebugDraw.DrawPoint(b2Mul(xf, change.geometry.points[index]), k_movedPointPixels, colour);
            }
        }
        drawTentativeVertexOutlines();
    }
    if (m_editMethod == EM_JOINTS)
    {
        // Joints the operation leaves alone are drawn where they are.
        for (b2Joint* joint : cs.selectedJoints)
        {
            b2Vec2 a = joint->GetAnchorA();
            b2Vec2 b = joint->GetAnchorB();
            bool moved = false;
            for (const JointProposal& change : proposal.joints)
            {
                if (change.joint == joint)
                {
                    a = change.anchorA;
                    b = change.anchorB;
                    moved = true;
                }
            }
            drawJointNub(joint, a, b, moved, colour, true, true, false);
        }
    }
}

void Editor::drawTentativeVertexOutlines()
{
    const _controlState& cs = m_controlState;
    VertexBatch& batch = FrameBatch();
    batch.setLineWidth(2.0f);
    auto outline = [](const tentativeVertexDisplay& display) {
        return IsClosedOutline(display.fixture) ? Primitive::LineLoop : Primitive::LineStrip;
    };
    for (const tentativeVertexDisplay& display : cs.validVertexDisplays)
    {
        batch.begin(outline(display));
        for (size_t i = 0; i < display.vertices.size(); ++i)
        {
            const bool moved = std::find(display.movedIndices.begin(), display.movedIndices.end(),
                                         static_cast<int>(i)) != display.movedIndices.end();
            batch.vertex(display.vertices[i], k_movingColour, moved ? 1.0f : k_faintAlpha);
        }
        batch.end();
    }
    for (const tentativeVertexDisplay& display : cs.invalidVertexDisplays)
    {
        batch.begin(outline(display));
        for (const b2Vec2& v : display.vertices)
        {
            batch.vertex(v, k_refusedColour);
        }
        batch.end();
    }
    batch.setLineWidth(1.0f);
}

void Editor::drawTranslateUI()
{
    const int state = m_controlState.state;
    const b2Vec2 c = getSelectionCenter();
    if (state & CS_X_AXIS)
    {
        drawLine(b2Vec2(m_displayLowerLeft.x, c.y), b2Vec2(m_displayUpperRight.x, c.y), k_xAxisGuideColour, false,
                 false, 1.0f);
    }
    if (state & CS_Y_AXIS)
    {
        drawLine(b2Vec2(c.x, m_displayLowerLeft.y), b2Vec2(c.x, m_displayUpperRight.y), k_yAxisGuideColour, false,
                 false, 1.0f);
    }
    drawProposal(proposeOperation(), true);
}

void Editor::drawRotateUI()
{
    drawLine(getRotationCenter(), m_mouseWorld, k_guideColour, true, true, 1.0f);
    drawProposal(proposeOperation(), true);
    const b2Vec2 at = getPositionForTextAtMouse();
    drawString(static_cast<int>(at.x), static_cast<int>(at.y), k_guideColour, "%.6f",
               getRotatedAngle() * k_degreesPerRadian);
}

void Editor::drawScaleUI()
{
    drawLine(getScaleCenter(), m_mouseWorld, k_guideColour, true, true, 1.0f);
    // Scaled fixtures show their shapes only.
    drawProposal(proposeOperation(), false);
    const b2Vec2 factor = getScaledFactor();
    const b2Vec2 at = getPositionForTextAtMouse();
    drawString(static_cast<int>(at.x), static_cast<int>(at.y), k_guideColour, "%.4f,%.4f", factor.x, factor.y);
}

void Editor::drawMeasureUI()
{
    drawLine(m_controlState.startMouseWorld, m_mouseWorld, k_guideColour, true, true, 1.0f);
    const b2Vec2 at = getPositionForTextAtMouse();
    drawString(static_cast<int>(at.x), static_cast<int>(at.y), k_guideColour, "%.6f",
               b2Distance(m_mouseWorld, m_controlState.startMouseWorld));
}
