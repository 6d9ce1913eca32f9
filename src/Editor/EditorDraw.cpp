// The editor's frame: trace image, reference grid, origin axes, the world's shapes in their body
// types' colours, the selection display, the selection centre, the cursor and the text; and the
// drawing primitives the nubs and overlays are made of.
#include "Editor/Bitmap.h"
#include "Editor/Editor.h"
#include "Editor/EditorDebugDraw.h"
#include "Editor/EditorText.h"
#include "Editor/Mat33.h"
#include "Framework/VertexBatch.h"
#include "Physics/Polygon.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <vector>

DebugDraw g_editorDebugDraw;

b2Color BodyTypeColour(b2BodyType type)
{
    switch (type)
    {
    case b2_staticBody:
        return b2Color(0.5f, 0.9f, 0.5f);
    case b2_kinematicBody:
        return b2Color(0.5f, 0.5f, 0.9f);
    default:
        return b2Color(0.9f, 0.7f, 0.7f);
    }
}

namespace
{

const b2Color k_white(1.0f, 1.0f, 1.0f);
const b2Color k_red(1.0f, 0.0f, 0.0f);
const b2Color k_green(0.0f, 1.0f, 0.0f);

// An outline through points placed by `place`: a circle about the first point (with a radius
// line along `axis`, none for a zero axis), a polygon filled, edges and chains as segments from
// point to point, closed back to the first when `closed`.
template <typename Place>
void DrawPlacedOutline(b2Shape::Type type, const b2Vec2* points, int count, bool closed, float radius, Place place,
                       const b2Vec2& axis, const b2Color& colour)
{
    switch (type)
    {
    case b2Shape::e_circle:
        if (count > 0)
        {
            g_editorDebugDraw.DrawSolidCircle(place(points[0]), radius, axis, colour);
        }
        break;
    case b2Shape::e_polygon:
    {
        b2Vec2 vertices[b2_maxPolygonVertices];
        const int n = std::min(count, b2_maxPolygonVertices);
        for (int i = 0; i < n; ++i)
        {
            vertices[i] = place(points[i]);
        }
        g_editorDebugDraw.DrawSolidPolygon(vertices, n, colour);
        break;
    }
    case b2Shape::e_edge:
    case b2Shape::e_chain:
        for (int i = 0; i + 1 < count; ++i)
        {
            g_editorDebugDraw.DrawSegment(place(points[i]), place(points[i + 1]), colour);
        }
        if (closed && count > 2)
        {
            g_editorDebugDraw.DrawSegment(place(points[count - 1]), place(points[0]), colour);
        }
        break;
    default:
        break;
    }
}

// The shape drawn with every point placed by `place`; circles with their radius scaled.
template <typename Place>
void DrawPlacedShape(const b2Shape* shape, Place place, float radiusScale, const b2Vec2& axis, const b2Color& colour)
{
    switch (shape->GetType())
    {
    case b2Shape::e_circle:
    {
        auto circle = static_cast<const b2CircleShape*>(shape);
        DrawPlacedOutline(b2Shape::e_circle, &circle->m_p, 1, false, circle->m_radius * radiusScale, place, axis,
                          colour);
        break;
    }
    case b2Shape::e_edge:
    {
        auto edge = static_cast<const b2EdgeShape*>(shape);
        const b2Vec2 ends[2] = {edge->m_vertex1, edge->m_vertex2};
        DrawPlacedOutline(b2Shape::e_edge, ends, 2, false, 0.0f, place, axis, colour);
        break;
    }
    case b2Shape::e_polygon:
    {
        auto polygon = static_cast<const b2PolygonShape*>(shape);
        DrawPlacedOutline(b2Shape::e_polygon, polygon->m_vertices, polygon->m_count, true, 0.0f, place, axis, colour);
        break;
    }
    case b2Shape::e_chain:
    {
        // A loop stores its first vertex again at the end.
        auto chain = static_cast<const b2ChainShape*>(shape);
        DrawPlacedOutline(b2Shape::e_chain, chain->m_vertices, chain->m_count, false, 0.0f, place, axis, colour);
        break;
    }
    default:
        break;
    }
}

// Where a shape's dotted guides to its body start: the centre of a circle, edge or polygon (the
// centroid, as the mass computation finds it), the middle of every segment of a chain.
std::vector<b2Vec2> GuidePoints(const Physics::ShapeGeometry& g)
{
    const std::vector<b2Vec2>& p = g.points;
    const size_t n = p.size();
    switch (g.type)
    {
    case b2Shape::e_circle:
        return {n > 0 ? p[0] : b2Vec2_zero};
    case b2Shape::e_edge:
        return {n == 2 ? 0.5f * (p[0] + p[1]) : b2Vec2_zero};
    case b2Shape::e_polygon:
    {
        b2PolygonShape polygon;
        if (Physics::SetPolygon(polygon, p.data(), static_cast<int>(n)))
        {
            return {polygon.m_centroid};
        }
        b2Vec2 sum = b2Vec2_zero;
        for (const b2Vec2& v : p)
        {
            sum += v;
        }
        return {n > 0 ? (1.0f / static_cast<float>(n)) * sum : sum};
    }
    case b2Shape::e_chain:
    {
        std::vector<b2Vec2> middles;
        for (size_t i = 0; i + 1 < n; ++i)
        {
            middles.push_back(0.5f * (p[i] + p[i + 1]));
        }
        if (g.loop && n > 2)
        {
            middles.push_back(0.5f * (p[n - 1] + p[0]));
        }
        return middles;
    }
    default:
        return {};
    }
}

// The picture in `filename` as a texture with linear filtering; 0 when it cannot be read or is
// larger than the graphics driver takes.
unsigned int LoadTraceTexture(const char* filename)
{
    CBitmap bitmap;
    if (!bitmap.Load(filename))
    {
        return 0;
    }
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    if (bitmap.GetWidth() > largest || bitmap.GetHeight() > largest)
    {
        return 0;
    }
    // Red, green, blue and alpha bytes, rows exactly as wide as the picture.
    const unsigned red = 0x000000FF;
    const unsigned green = 0x0000FF00;
    const unsigned blue = 0x00FF0000;
    const unsigned alpha = 0xFF000000;
    unsigned size = 0;
    bitmap.GetBits(nullptr, size, red, green, blue, alpha, false);
    std::vector<unsigned char> pixels(size);
    if (!bitmap.GetBits(pixels.data(), size, red, green, blue, alpha, false))
    {
        return 0;
    }
    // Errors left over from earlier drawing must not count against the upload.
    for (int stale = 0; stale < 8 && glGetError() != GL_NO_ERROR; ++stale)
    {
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    // Filtering at the picture's edges must not blend in the opposite edge.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, bitmap.GetWidth(), bitmap.GetHeight(), 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 pixels.data());
    glPopClientAttrib();
    if (glGetError() != GL_NO_ERROR)
    {
        glDeleteTextures(1, &texture);
        return 0;
    }
    return texture;
}

void DrawTraceImage(unsigned int texture)
{
    FrameBatch().flush();
    glBindTexture(GL_TEXTURE_2D, texture);
    glEnable(GL_TEXTURE_2D);
    glPushMatrix();
    glScalef(imageScale, imageScale, 1.0f);
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_TRIANGLE_FAN);
    const float corners[4][2] = {{0.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}, {0.0f, 1.0f}};
    for (const auto& corner : corners)
    {
        glTexCoord2f(corner[0], corner[1]);
        glVertex2f(corner[0], corner[1]);
    }
    glEnd();
    glPopMatrix();
    glDisable(GL_TEXTURE_2D);
}

// One level of the reference grid: lines `step` apart from `start` up to the view's upper edge,
// each spanning the whole view. Counted with an integer so that coordinates too large for the
// step to register cannot stall the loop.
void DrawGridLevel(float step, const b2Vec2& start, const b2Vec2& lower, const b2Vec2& upper, const b2Color& colour)
{
    VertexBatch& batch = FrameBatch();
    batch.begin(Primitive::Lines);
    int rows = static_cast<int>(std::floor((upper.y - start.y) / step + 1e-3f));
    for (int i = 0; i <= rows; ++i)
    {
        float y = start.y + step * static_cast<float>(i);
        batch.vertex(b2Vec2(lower.x, y), colour);
        batch.vertex(b2Vec2(upper.x, y), colour);
    }
    int columns = static_cast<int>(std::floor((upper.x - start.x) / step + 1e-3f));
    for (int i = 0; i <= columns; ++i)
    {
        float x = start.x + step * static_cast<float>(i);
        batch.vertex(b2Vec2(x, lower.y), colour);
        batch.vertex(b2Vec2(x, upper.y), colour);
    }
    batch.end();
}

}  // namespace

void Editor::beginDrawing()
{
    if (m_drawing)
    {
        return;
    }
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glEnable(GL_BLEND);
    glHint(GL_POINT_SMOOTH_HINT, GL_NICEST);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glEnable(GL_POINT_SMOOTH);
    glEnable(GL_LINE_SMOOTH);
    glDisable(GL_DEPTH_TEST);
    m_drawing = true;
    m_traceTexture = LoadTraceTexture("vexatrace.bmp");
    if (m_traceTexture == 0 && !m_traceMissingReported)
    {
        m_traceMissingReported = true;
        addMessage("Failed to load vexatrace.bmp", k_errorColour);
    }
}

void Editor::endDrawing()
{
    if (!m_drawing)
    {
        return;
    }
    // The line style goes back with the attributes, as the editor found it.
    FrameBatch().flush();
    FrameBatch().setStyle(DrawStyle{});
    if (m_traceTexture != 0)
    {
        glDeleteTextures(1, &m_traceTexture);
        m_traceTexture = 0;
    }
    glPopAttrib();
    m_drawing = false;
}

void Editor::render()
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (m_traceTexture != 0)
    {
        DrawTraceImage(m_traceTexture);
    }
    drawReferenceGrid();
    drawOriginAxes(1.0f, nullptr, 1.0f);
    drawWorldDebugData();

    // The overlay of the operation in progress. Idle, cursor moves, disambiguation and pending
    // deletions show the selection; measuring, translating, rotating and scaling draw guides of
    // their own.
    int state = m_controlState.state;
    if (state == 0 || state == CS_MOVE_CURSOR || state == CS_DISAMBIGUATE || state == CS_DELETE)
    {
        drawSelectUI();
    }
    else if (state & CS_TRANSLATE)
    {
        drawTranslateUI();
    }
    else if (state & CS_ROTATE)
    {
        drawRotateUI();
    }
    else if (state & CS_SCALE)
    {
        drawScaleUI();
    }
    else if (state & CS_MEASURE)
    {
        drawMeasureUI();
    }

    drawSelectionCenter();
    drawCursor();

    m_textLine = 15;
    showHelp();
    showControlState();
    showMessages();
    showInfo();
    showMousePosition();
    FrameBatch().flush();
}

void Editor::drawLine(b2Vec2 a, b2Vec2 b, b2Color colour, bool stippled, bool dotAtA, float lineWidth)
{
    VertexBatch& batch = FrameBatch();
    batch.setLineWidth(lineWidth);
    batch.setStipple(stippled ? 0xF0F0 : 0);
    batch.segment(a, b, colour);
    batch.setStipple(0);
    if (dotAtA)
    {
        g_editorDebugDraw.DrawPoint(a, 5.0f, colour);
    }
}

void Editor::drawFadingCircle(b2Vec2 centre, float radius, b2Color colour)
{
    VertexBatch& batch = FrameBatch();
    batch.begin(Primitive::TriangleFan);
    batch.vertex(centre, colour, 1.0f);
    for (int i = 0; i <= 16; ++i)
    {
        float angle = static_cast<float>(i) * 2.0f * b2_pi / 16.0f;
        batch.vertex(centre + radius * b2Vec2(std::cos(angle), std::sin(angle)), colour, 0.0f);
    }
    batch.end();
}

void Editor::drawSelectionCenter()
{
    if (SelectedCount(m_controlState, m_editMethod) == 0)
    {
        return;
    }
    float half = pixelToWorld(16.0f);
    b2Vec2 c = m_controlState.selectionCenter;
    VertexBatch& batch = FrameBatch();
    batch.setLineWidth(1.0f);
    batch.begin(Primitive::Lines);
    batch.vertex(c - b2Vec2(half, 0.0f), k_white);
    batch.vertex(c + b2Vec2(half, 0.0f), k_white);
    batch.vertex(c - b2Vec2(0.0f, half), k_white);
    batch.vertex(c + b2Vec2(0.0f, half), k_white);
    batch.end();
}

void Editor::drawCursor()
{
    // A ring of 14 segments alternating red and white, from the top clockwise, starting red.
    float radius = pixelToWorld(8.0f);
    const b2Vec2 centre = m_controlState.cursorPos;
    VertexBatch& batch = FrameBatch();
    batch.begin(Primitive::Lines);
    b2Vec2 previous(0.0f, radius);
    for (int i = 0; i <= 14; ++i)
    {
        float angle = static_cast<float>(i) / 14.0f * 2.0f * b2_pi;
        b2Vec2 point = radius * b2Vec2(std::sin(angle), std::cos(angle));
        const b2Color& colour = i % 2 == 0 ? k_white : k_red;
        batch.vertex(centre + previous, colour);
        batch.vertex(centre + point, colour);
        previous = point;
    }
    batch.end();
}

void Editor::drawOriginAxes(float length, b2Transform* xf, float lineWidth)
{
    const b2Transform placed = xf != nullptr ? *xf : g_identityTransform;
    VertexBatch& batch = FrameBatch();
    batch.setLineWidth(lineWidth);
    batch.begin(Primitive::Lines);
    batch.vertex(placed.p, k_red);
    batch.vertex(b2Mul(placed, b2Vec2(length, 0.0f)), k_red);
    batch.vertex(placed.p, k_green);
    batch.vertex(b2Mul(placed, b2Vec2(0.0f, length)), k_green);
    batch.end();
    batch.setLineWidth(1.0f);
}

void Editor::drawShape(b2Fixture* fixture, const b2Transform& xf, const b2Color& colour)
{
    auto place = [&xf](const b2Vec2& p) { return b2Mul(xf, p); };
    DrawPlacedShape(fixture->GetShape(), place, 1.0f, xf.q.GetXAxis(), colour);
}

void Editor::drawShape(b2Fixture* fixture, const b2Mat33& m, const b2Color& colour, float radiusScale)
{
    auto place = [&m](const b2Vec2& p) { return b2Mul(m, p); };
    DrawPlacedShape(fixture->GetShape(), place, radiusScale, b2Vec2_zero, colour);
}

void Editor::drawShape(const Physics::ShapeGeometry& geometry, const b2Mat33& m, const b2Color& colour)
{
    auto place = [&m](const b2Vec2& p) { return b2Mul(m, p); };
    DrawPlacedOutline(geometry.type, geometry.points.data(), static_cast<int>(geometry.points.size()), geometry.loop,
                      geometry.radius, place, b2Vec2_zero, colour);
}

void Editor::drawShapeVertices(b2Fixture* fixture, const b2Transform& xf)
{
    // Plain nubs, faded while Tab shows where a vertex would be inserted.
    const float alpha = m_keys[9] ? 0.5f : 1.0f;
    const b2Transform& bodyXf = fixture->GetBody()->GetTransform();
    VertexBatch& batch = FrameBatch();
    auto point = [&](const b2Vec2& p) { batch.vertex(b2Mul(xf, b2Mul(bodyXf, p)), k_plainNubColour, alpha); };
    const b2Shape* shape = fixture->GetShape();
    batch.begin(Primitive::Points);
    switch (shape->GetType())
    {
    case b2Shape::e_edge:
    {
        auto edge = static_cast<const b2EdgeShape*>(shape);
        point(edge->m_vertex1);
        point(edge->m_vertex2);
        break;
    }
    case b2Shape::e_polygon:
    {
        auto polygon = static_cast<const b2PolygonShape*>(shape);
        for (int i = 0; i < polygon->m_count; ++i)
        {
            point(polygon->m_vertices[i]);
        }
        break;
    }
    case b2Shape::e_chain:
    {
        auto chain = static_cast<const b2ChainShape*>(shape);
        b2EdgeShape edge;
        for (int i = 0; i < chain->GetChildCount(); ++i)
        {
            chain->GetChildEdge(&edge, i);
            point(edge.m_vertex1);
            point(edge.m_vertex2);
        }
        break;
    }
    default:
        break;
    }
    batch.end();
}

void Editor::drawWorldDebugData()
{
    if (m_world == nullptr)
    {
        return;
    }
    for (b2Body* body = m_world->GetBodyList(); body != nullptr; body = body->GetNext())
    {
        b2Color colour = BodyTypeColour(body->GetType());
        for (b2Fixture* fixture = body->GetFixtureList(); fixture != nullptr; fixture = fixture->GetNext())
        {
            drawShape(fixture, body->GetTransform(), colour);
        }
    }
}

void Editor::drawConnectingLine(b2Body* body, b2Fixture* fixture, b2Transform& xf, b2Color colour)
{
    drawConnectingLine(body, Physics::GetGeometry(fixture), xf, colour);
}

void Editor::drawConnectingLine(b2Body* body, const Physics::ShapeGeometry& geometry, const b2Transform& xf,
                                b2Color colour)
{
    const b2Transform& bodyXf = body->GetTransform();
    for (const b2Vec2& local : GuidePoints(geometry))
    {
        drawLine(b2Mul(xf, b2Mul(bodyXf, local)), body->GetPosition(), colour, true, true, 1.0f);
    }
}

void Editor::drawReferenceGrid()
{
    b2Vec2 lower = m_displayLowerLeft;
    b2Vec2 upper = m_displayUpperRight;
    float height = upper.y - lower.y;
    if (!lower.IsValid() || !upper.IsValid() || !(height > 0.0f) || m_displayWidth <= 0)
    {
        return;
    }
    // Pixels per world unit: each level shows only while its lines are more than 25 pixels apart.
    float k = static_cast<float>(m_displayWidth) / height;
    b2Vec2 truncated(std::trunc(lower.x), std::trunc(lower.y));

    VertexBatch& batch = FrameBatch();
    batch.setLineWidth(1.0f);
    batch.setStipple(0x8888);
    if (k * 0.1f > 25.0f)
    {
        DrawGridLevel(0.1f, truncated - b2Vec2(1.0f, 1.0f), lower, upper, b2Color(0.0f, 0.0f, 0.4f));
    }
    if (k > 25.0f)
    {
        DrawGridLevel(1.0f, truncated, lower, upper, b2Color(0.0f, 0.2f, 0.0f));
    }
    if (k * 10.0f > 25.0f)
    {
        b2Vec2 start(10.0f * std::trunc(truncated.x / 10.0f), 10.0f * std::trunc(truncated.y / 10.0f));
        DrawGridLevel(10.0f, start, lower, upper, b2Color(0.5f, 0.0f, 0.0f));
    }
    batch.setStipple(0);
}
