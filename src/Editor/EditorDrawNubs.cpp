// Nubs: the markers and highlighted outlines of bodies, fixtures, vertices and joints that the
// selection display and the operation overlays draw, coloured plain, candidate or selected, and
// the small pictures that tell joint types apart.
#include "Editor/Editor.h"
#include "Editor/EditorDebugDraw.h"
#include "Editor/JointAxes.h"
#include "Editor/Mat33.h"
#include "Framework/VertexBatch.h"
#include "Physics/JointKinds.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace
{

const b2Color k_cyan(0.0f, 1.0f, 1.0f);
const b2Color k_red(1.0f, 0.0f, 0.0f);
const b2Color k_green(0.0f, 1.0f, 0.0f);
constexpr float k_dotPixels = 5.0f;
constexpr float k_jointIconPixels = 10.0f;

b2Mat33 Identity()
{
    b2Mat33 m;
    setMat33Translation(m, b2Vec2_zero);
    return m;
}

b2Mat33 Translation(const b2Vec2& t)
{
    b2Mat33 m;
    setMat33Translation(m, t);
    return m;
}

b2Vec2 Direction(float angle)
{
    return b2Vec2(std::cos(angle), std::sin(angle));
}

// A line across `direction` through p, `half` to each side.
void Tick(const b2Vec2& p, const b2Vec2& direction, float half, const b2Color& colour)
{
    b2Vec2 across(-direction.y, direction.x);
    FrameBatch().segment(p - half * across, p + half * across, colour);
}

// Entry i of a row of n proxies `spacing` apart, centred `spacing` below their objects.
b2Vec2 RowOffset(int i, int n, float spacing)
{
    return b2Vec2((1.0f - static_cast<float>(n)) * 0.5f * spacing + spacing * static_cast<float>(i), -spacing);
}

// Only these joint types can be picked and have a picture.
bool HasPicture(b2JointType type)
{
    return type == e_revoluteJoint || type == e_prismaticJoint || type == e_distanceJoint || type == e_wheelJoint ||
           type == e_ropeJoint;
}

// Lines at the lower and upper limit (as body B would point there), the allowed range as an arc,
// and the current direction, all about anchor b.
void DrawRevoluteLimits(b2RevoluteJoint* joint, const b2Vec2& b, float u, const b2Color& colour)
{
    float r = 1.5f * u;
    b2Vec2 d = joint->GetBodyB()->GetWorldCenter() - b;
    if (d.Normalize() < b2_epsilon)
    {
        d.Set(1.0f, 0.0f);
    }
    float current = std::atan2(d.y, d.x);
    float angle = joint->GetJointAngle();
    float lower = current + joint->GetLowerLimit() - angle;
    float upper = current + joint->GetUpperLimit() - angle;
    b2Vec2 lowerEnd = b + 2.0f * r * Direction(lower);
    b2Vec2 upperEnd = b + 3.0f * r * Direction(upper);
    VertexBatch& batch = FrameBatch();
    batch.setLineWidth(1.0f);
    batch.segment(b, lowerEnd, colour);
    batch.segment(b, upperEnd, colour);
    g_editorDebugDraw.DrawPoint(lowerEnd, k_dotPixels, colour);
    g_editorDebugDraw.DrawPoint(upperEnd, k_dotPixels, colour);

    if (upper < lower)
    {
        upper += 2.0f * b2_pi * std::ceil((lower - upper) / (2.0f * b2_pi));
    }
    batch.begin(Primitive::LineStrip);
    for (int i = 0; i <= 16; ++i)
    {
        batch.vertex(b + r * Direction(lower + (upper - lower) * static_cast<float>(i) / 16.0f), k_limitRangeColour);
    }
    batch.end();
    batch.segment(b, b + 2.6f * r * d, k_green);
}

// Ticks at the lower and upper limit positions along the axis, the range between them beside
// the axis, and a tick at the current position.
void DrawPrismaticLimits(b2PrismaticJoint* joint, const b2Vec2& a, const b2Vec2& b, float u, const b2Color& colour)
{
    b2Vec2 axis = JointWorldAxis(joint);
    b2Vec2 p = closestPointOnLineToPoint(a, b, joint->GetBodyB()->GetWorldCenter(), nullptr);
    b2Vec2 lowerPosition = p - (joint->GetJointTranslation() - joint->GetLowerLimit()) * axis;
    b2Vec2 upperPosition = lowerPosition + (joint->GetUpperLimit() - joint->GetLowerLimit()) * axis;
    b2Vec2 side = 0.25f * u * b2Vec2(-axis.y, axis.x);
    FrameBatch().setLineWidth(1.0f);
    Tick(lowerPosition, axis, 2.0f * u, colour);
    Tick(upperPosition, axis, 3.0f * u, colour);
    FrameBatch().segment(lowerPosition + side, upperPosition + side, k_limitRangeColour);
    Tick(p, axis, 2.5f * u, k_green);
}

// Two cords joining the facing sides of the anchor circles; a rope adds slanted strands between
// them, one per icon size along its length, so it reads as twisted.
void DrawCords(const b2Vec2& a, const b2Vec2& b, float u, bool rope, const b2Color& colour)
{
    const float near = 0.261799395f;
    const float far = 2.87979317f;
    b2Vec2 delta = b - a;
    float theta = std::atan2(delta.y, delta.x);
    b2Vec2 left0 = a + u * Direction(theta + near);
    b2Vec2 left1 = b + u * Direction(theta + far);
    b2Vec2 right0 = a + u * Direction(theta - near);
    b2Vec2 right1 = b + u * Direction(theta - far);
    VertexBatch& batch = FrameBatch();
    batch.setLineWidth(2.0f);
    batch.begin(Primitive::Lines);
    batch.vertex(left0, colour);
    batch.vertex(left1, colour);
    batch.vertex(right0, colour);
    batch.vertex(right1, colour);
    batch.end();
    batch.setLineWidth(1.0f);
    if (!rope || !(u > 0.0f))
    {
        return;
    }
    int strands = static_cast<int>(std::min(std::floor(b2Distance(left0, left1) / u), 200.0f));
    batch.begin(Primitive::Lines);
    for (int i = 1; i < strands; ++i)
    {
        float t0 = static_cast<float>(i) / static_cast<float>(strands);
        float t1 = std::min(1.0f, (static_cast<float>(i) + 0.5f) / static_cast<float>(strands));
        batch.vertex(left0 + t0 * (left1 - left0), colour);
        batch.vertex(right0 + t1 * (right1 - right0), colour);
    }
    batch.end();
}

}  // namespace

void Editor::drawSelectUI()
{
    if (m_world == nullptr)
    {
        return;
    }
    const _controlState& cs = m_controlState;
    const bool deleting = cs.state == CS_DELETE;
    const bool disambiguating = (cs.state & CS_DISAMBIGUATE) != 0;
    const b2Mat33 identity = Identity();

    switch (m_editMethod)
    {
    case EM_BODIES:
        if (!deleting && disambiguating)
        {
            int n = static_cast<int>(cs.disambiguationBodies.size());
            int i = 0;
            for (b2Body* body : cs.disambiguationBodies)
            {
                b2Vec2 position = body->GetPosition();
                drawLine(position, position + RowOffset(i++, n, 1.5f), k_leaderLineColour, true, true, 1.0f);
            }
            i = 0;
            for (b2Body* body : cs.disambiguationBodies)
            {
                b2Color colour = cs.selectedBodies.count(body) != 0    ? k_selectedColour
                                 : cs.candidateBodies.count(body) != 0 ? k_disambiguationCandidateColour
                                                                       : k_plainNubColour;
                drawBodyNub(body, Translation(RowOffset(i++, n, 1.5f)), colour, false, false, true);
            }
        }
        else if (!deleting)
        {
            for (b2Body* body = m_world->GetBodyList(); body != nullptr; body = body->GetNext())
            {
                drawBodyNub(body, identity, k_plainNubColour, false, false, true);
            }
        }
        if (!deleting && cs.candidateBodies.size() == 1)
        {
            drawBodyNub(*cs.candidateBodies.begin(), identity, k_candidateColour, true, true, true);
        }
        for (b2Body* body : cs.selectedBodies)
        {
            drawBodyNub(body, identity, k_selectedColour, true, false, true);
        }
        break;

    case EM_FIXTURES:
        if (!deleting && cs.candidateFixtures.size() == 1)
        {
            drawFixtureNub(*cs.candidateFixtures.begin(), identity, 1.0f, k_candidateColour, true, true, true);
        }
        for (b2Fixture* fixture : cs.selectedFixtures)
        {
            drawFixtureNub(fixture, identity, 1.0f, k_selectedColour, false, false, false);
        }
        break;

    case EM_VERTICES:
    {
        // 8 pixels, smaller only when a world unit is less than a pixel wide.
        float pointSize = std::max(1.0f, std::min(8.0f, worldToPixel(8.0f)));
        FrameBatch().setPointSize(pointSize);
        if (disambiguating)
        {
            int n = static_cast<int>(cs.disambiguationVertices.size());
            int i = 0;
            for (const vertexInfo& v : cs.disambiguationVertices)
            {
                b2Vec2 position = getWorldPosition(v, g_identityTransform);
                drawLine(position, position + RowOffset(i++, n, 1.0f), k_leaderLineColour, true, true, 1.0f);
            }
            i = 0;
            for (const vertexInfo& v : cs.disambiguationVertices)
            {
                b2Color colour = cs.selectedVertices.count(v) != 0    ? k_selectedColour
                                 : cs.candidateVertices.count(v) != 0 ? k_candidateColour
                                                                      : k_plainNubColour;
                drawVertexNub(v, Translation(RowOffset(i++, n, 1.0f)), colour, pointSize);
            }
        }
        else if (!deleting)
        {
            for (b2Body* body = m_world->GetBodyList(); body != nullptr; body = body->GetNext())
            {
                for (b2Fixture* fixture = body->GetFixtureList(); fixture != nullptr; fixture = fixture->GetNext())
                {
                    drawShapeVertices(fixture, g_identityTransform);
                }
            }
            // Tab shows where a vertex would be inserted.
            const _vertexSplitInfo& split = cs.splitInfo;
            if (m_keys[9] && split.fixture != nullptr)
            {
                b2Vec2 point = split.segmentStart + split.fraction * (split.segmentEnd - split.segmentStart);
                g_editorDebugDraw.DrawCircle(point, pixelToWorld(4.0f), k_candidateColour);
            }
        }
        if (!deleting && cs.candidateVertices.size() == 1)
        {
            drawVertexNub(*cs.candidateVertices.begin(), identity, k_candidateColour, pointSize);
        }
        for (const vertexInfo& v : cs.selectedVertices)
        {
            drawVertexNub(v, identity, k_selectedColour, pointSize);
        }
        break;
    }

    case EM_JOINTS:
        if (!deleting)
        {
            for (b2Joint* joint = m_world->GetJointList(); joint != nullptr; joint = joint->GetNext())
            {
                drawJointNub(joint, identity, k_plainNubColour, false, true, false);
            }
            if (cs.candidateJoints.size() == 1)
            {
                drawJointNub(*cs.candidateJoints.begin(), identity, k_candidateColour, true, true, true);
            }
        }
        for (b2Joint* joint : cs.selectedJoints)
        {
            drawJointNub(joint, identity, k_selectedColour, false, true, true);
        }
        break;
    }
}

void Editor::drawBodyNub(b2Body* body, const b2Mat33& m, b2Color colour, bool drawShapes, bool drawConnecting,
                         bool drawDetails)
{
    const b2Transform xf(b2Mul(m, body->GetPosition()), b2Rot(body->GetAngle() + getMat33Angle(m)));
    drawBodyNub(body, xf, colour, drawShapes, drawConnecting, drawDetails);
}

void Editor::drawBodyNub(b2Body* body, const b2Transform& placed, b2Color colour, bool drawShapes, bool drawConnecting,
                         bool drawDetails)
{
    b2Transform xf = placed;
    if (drawShapes)
    {
        for (b2Fixture* fixture = body->GetFixtureList(); fixture != nullptr; fixture = fixture->GetNext())
        {
            drawShape(fixture, xf, colour);
        }
        if (drawConnecting)
        {
            b2Transform identity = g_identityTransform;
            for (b2Fixture* fixture = body->GetFixtureList(); fixture != nullptr; fixture = fixture->GetNext())
            {
                drawConnectingLine(body, fixture, identity, colour);
            }
        }
    }
    float r = std::min(0.75f, pixelToWorld(20.0f));
    drawFadingCircle(xf.p, r, colour);
    if (drawDetails)
    {
        // The centre of mass as a cyan cross, then the body's own axes.
        b2Vec2 centre = b2Mul(xf, body->GetLocalCenter());
        float arm = 0.75f * r;
        FrameBatch().setLineWidth(1.0f);
        FrameBatch().segment(centre - b2Vec2(arm, 0.0f), centre + b2Vec2(arm, 0.0f), k_cyan);
        FrameBatch().segment(centre - b2Vec2(0.0f, arm), centre + b2Vec2(0.0f, arm), k_cyan);
        drawOriginAxes(arm, &xf, 1.0f);
    }
}

void Editor::drawFixtureNub(b2Fixture* fixture, const b2Mat33& m, float radiusScale, b2Color colour, bool bodyNub,
                            bool bodyNubConnecting, bool connectingLine)
{
    b2Body* body = fixture->GetBody();
    b2Mat33 bodyMatrix;
    setMat33Transform(bodyMatrix, body->GetTransform());
    drawShape(fixture, b2Mul(bodyMatrix, m), colour, radiusScale);
    if (bodyNub)
    {
        drawBodyNub(body, Identity(), colour, false, bodyNubConnecting, true);
    }
    if (connectingLine)
    {
        b2Transform xf(b2Vec2(m.ez.x, m.ez.y), b2Rot(getMat33Angle(m)));
        drawConnectingLine(body, fixture, xf, colour);
    }
}

void Editor::drawFixtureNub(b2Fixture* fixture, const Physics::ShapeGeometry& geometry, b2Color colour, bool bodyNub,
                            bool connectingLine)
{
    b2Body* body = fixture->GetBody();
    b2Mat33 bodyMatrix;
    setMat33Transform(bodyMatrix, body->GetTransform());
    drawShape(geometry, bodyMatrix, colour);
    if (bodyNub)
    {
        drawBodyNub(body, Identity(), colour, false, false, true);
    }
    if (connectingLine)
    {
        drawConnectingLine(body, geometry, g_identityTransform, colour);
    }
}

void Editor::drawVertexNub(const vertexInfo& v, const b2Mat33& m, b2Color colour, float pointSize)
{
    g_editorDebugDraw.DrawPoint(b2Mul(m, getWorldPosition(v, g_identityTransform)), pointSize, colour);
}

void Editor::drawJointNub(b2Joint* joint, const b2Mat33& m, b2Color colour, bool showBodies, bool showIcons,
                          bool showLimits)
{
    // During an anchor move the chosen anchor follows m.
    b2Vec2 a = joint->GetAnchorA();
    b2Vec2 b = joint->GetAnchorB();
    if ((m_controlState.state & CS_ANCHOR_A) != 0)
    {
        a = b2Mul(m, a);
    }
    if ((m_controlState.state & CS_ANCHOR_B) != 0)
    {
        b = b2Mul(m, b);
    }
    drawJointNub(joint, a, b, false, colour, showBodies, showIcons, showLimits);
}

void Editor::drawJointNub(b2Joint* joint, b2Vec2 a, b2Vec2 b, bool axisFromAnchors, b2Color colour, bool showBodies,
                          bool showIcons, bool showLimits)
{
    b2JointType type = Physics::GetJointType(joint);
    if (!HasPicture(type))
    {
        return;
    }
    b2Body* bodyA = joint->GetBodyA();
    b2Body* bodyB = joint->GetBodyB();
    if (showBodies)
    {
        drawLine(a, bodyA->GetPosition(), BodyTypeColour(bodyA->GetType()), true, true, 2.0f);
        drawLine(b, bodyB->GetPosition(), BodyTypeColour(bodyB->GetType()), true, true, 1.0f);
        drawBodyNub(bodyA, Identity(), k_plainNubColour, false, false, true);
        drawBodyNub(bodyB, Identity(), k_plainNubColour, false, false, true);
    }

    float u = pixelToWorld(k_jointIconPixels);
    auto icons = [&](int variantA, int variantB) {
        if (showIcons)
        {
            drawJointIcon(type, a, colour, u, variantA);
            drawJointIcon(type, b, colour, u, variantB);
        }
    };
    switch (type)
    {
    case e_revoluteJoint:
    {
        drawLine(a, b, k_red, true, false, 1.0f);
        auto revolute = static_cast<b2RevoluteJoint*>(joint);
        if (showLimits && revolute->IsLimitEnabled())
        {
            DrawRevoluteLimits(revolute, b, u, colour);
        }
        icons(0, 0);
        break;
    }
    case e_prismaticJoint:
    {
        drawLine(a, b, colour, false, false, 1.0f);
        auto prismatic = static_cast<b2PrismaticJoint*>(joint);
        if (showLimits && prismatic->IsLimitEnabled())
        {
            DrawPrismaticLimits(prismatic, a, b, u, colour);
        }
        icons(0, 0);
        break;
    }
    case e_distanceJoint:
    case e_ropeJoint:
        icons(0, 0);
        DrawCords(a, b, u, type == e_ropeJoint, colour);
        break;
    case e_wheelJoint:
    {
        drawLine(a, b, colour, false, false, 1.0f);
        b2Vec2 axis = axisFromAnchors ? b - a : JointWorldAxis(joint);
        if (axisFromAnchors && axis.Length() >= FLT_EPSILON)
        {
            axis.Normalize();
        }
        float length = std::max(1.5f * b2Distance(a, b), 4.0f * u);
        drawLine(a, a + length * axis, k_limitRangeColour, false, false, 1.0f);
        icons(0, 1);
        break;
    }
    default:
        break;
    }
}

void Editor::drawJointIcon(b2JointType type, b2Vec2 p, b2Color colour, float size, int variant)
{
    b2Vec2 square[4] = {p + b2Vec2(-size, -size), p + b2Vec2(size, -size), p + b2Vec2(size, size),
                        p + b2Vec2(-size, size)};
    switch (type)
    {
    case e_revoluteJoint:
    {
        // An open arc with arrow heads at both ends: turning either way.
        VertexBatch& batch = FrameBatch();
        batch.begin(Primitive::LineStrip);
        for (int i = 0; i <= 16; ++i)
        {
            batch.vertex(p + size * Direction(2.2142992f + 0.312261224f * static_cast<float>(i)), colour);
        }
        batch.end();
        batch.begin(Primitive::Lines);
        const b2Vec2 heads[4][2] = {{{0.6f, 0.8f}, {0.6f, 0.2f}},
                                    {{0.6f, 0.8f}, {1.2f, 0.8f}},
                                    {{-0.6f, 0.8f}, {-0.6f, 0.2f}},
                                    {{-0.6f, 0.8f}, {-1.2f, 0.8f}}};
        for (const auto& head : heads)
        {
            batch.vertex(p + size * head[0], colour);
            batch.vertex(p + size * head[1], colour);
        }
        batch.end();
        break;
    }
    case e_prismaticJoint:
        g_editorDebugDraw.DrawPolygon(square, 4, colour);
        break;
    case e_distanceJoint:
    case e_ropeJoint:
        g_editorDebugDraw.DrawCircle(p, size, colour);
        break;
    case e_wheelJoint:
        if (variant == 0)
        {
            g_editorDebugDraw.DrawPolygon(square, 4, colour);
        }
        else
        {
            g_editorDebugDraw.DrawCircle(p, size, colour);
        }
        break;
    default:
        return;
    }
    g_editorDebugDraw.DrawPoint(p, k_dotPixels, colour);
}
