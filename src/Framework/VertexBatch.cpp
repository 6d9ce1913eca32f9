#define GL_GLEXT_PROTOTYPES
#include "Framework/VertexBatch.h"

#include <GL/gl.h>
#include <GL/glx.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

namespace
{

constexpr int k_cellPixels = 2;
// A line whose box spans fewer cells than this each way claims its whole box: splitting it
// into segments would spare few cells and cost more than it spares.
constexpr int k_smallSpanCells = 8;
// A queue that nothing flushes (drawing without text, or without a window) is drawn once it
// holds this many vertices, so that it cannot grow without bound.
constexpr int k_maxQueuedVertices = 1 << 20;

GLenum GlPrimitive(Primitive primitive)
{
    switch (primitive)
    {
    case Primitive::Points:
        return GL_POINTS;
    case Primitive::Lines:
        return GL_LINES;
    case Primitive::LineStrip:
        return GL_LINE_STRIP;
    case Primitive::LineLoop:
        return GL_LINE_LOOP;
    case Primitive::TriangleFan:
        return GL_TRIANGLE_FAN;
    case Primitive::Quads:
        return GL_QUADS;
    }
    return GL_POINTS;
}

bool IsLine(Primitive primitive)
{
    return primitive == Primitive::Lines || primitive == Primitive::LineStrip || primitive == Primitive::LineLoop;
}

// Primitives of these types stand alone, so a group of them is one range of vertices.
bool StandsAlone(Primitive primitive)
{
    return primitive == Primitive::Points || primitive == Primitive::Lines || primitive == Primitive::Quads;
}

// An axis-aligned rectangle in one colour, as a fan of four vertices. Mesa's software rasteriser
// fills such pairs of triangles on a path of its own that rounds blended colours differently,
// and finds them only in a run of triangles where nothing else interrupts the pairs: they are
// grouped apart from other fans so that they are filled as they were when drawn alone.
bool IsRectangle(Primitive primitive, const std::vector<BatchVertex>& v)
{
    if (primitive != Primitive::TriangleFan || v.size() != 4)
    {
        return false;
    }
    for (const BatchVertex& corner : v)
    {
        if (corner.r != v[0].r || corner.g != v[0].g || corner.b != v[0].b || corner.a != v[0].a)
        {
            return false;
        }
    }
    const bool sidesAlongX = v[0].y == v[1].y && v[1].x == v[2].x && v[2].y == v[3].y && v[3].x == v[0].x;
    const bool sidesAlongY = v[0].x == v[1].x && v[1].y == v[2].y && v[2].x == v[3].x && v[3].y == v[0].y;
    return sidesAlongX || sidesAlongY;
}

// The part of `style` that changes how `primitive` is drawn; groups differ only in that.
DrawStyle StyleUsedBy(Primitive primitive, const DrawStyle& style)
{
    DrawStyle used;
    if (IsLine(primitive))
    {
        used.lineWidth = style.lineWidth;
        used.stipple = style.stipple;
    }
    if (primitive == Primitive::Points)
    {
        used.pointSize = style.pointSize;
    }
    return used;
}

// How far beyond its vertices a primitive may colour pixels: a pixel whose centre it covers
// reaches half a pixel further, a line or point half its width or size; a quarter of a pixel
// more for the rasteriser's snapping, and a pixel more where smoothing widens lines and points.
float ReachInPixels(Primitive primitive, const DrawStyle& style, bool lineSmooth, bool pointSmooth)
{
    const float pixel = 0.75f;
    if (IsLine(primitive))
    {
        return 0.5f * style.lineWidth + pixel + (lineSmooth ? 1.0f : 0.0f);
    }
    if (primitive == Primitive::Points)
    {
        return 0.5f * style.pointSize + pixel + (pointSmooth ? 1.0f : 0.0f);
    }
    return pixel;
}

void ApplyStyle(Primitive primitive, const DrawStyle& style)
{
    if (IsLine(primitive))
    {
        glLineWidth(style.lineWidth);
        if (style.stipple != 0)
        {
            glLineStipple(1, style.stipple);
            glEnable(GL_LINE_STIPPLE);
        }
        else
        {
            glDisable(GL_LINE_STIPPLE);
        }
    }
    if (primitive == Primitive::Points)
    {
        glPointSize(style.pointSize);
    }
}

// Column-major 4 × 4 product a · b.
void Multiply(const float* a, const float* b, double* product)
{
    for (int column = 0; column < 4; ++column)
    {
        for (int row = 0; row < 4; ++row)
        {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
            {
                sum += static_cast<double>(a[k * 4 + row]) * b[column * 4 + k];
            }
            product[column * 4 + row] = sum;
        }
    }
}

// Draws `group`, whose vertices start at `base` in the arrays set up by the caller; `firsts`
// holds the starts of its primitives there.
void DrawGroupFrom(const VertexGroup& group, int base, std::vector<GLint>& firsts)
{
    ApplyStyle(group.primitive, group.style);
    const GLenum primitive = GlPrimitive(group.primitive);
    if (StandsAlone(group.primitive))
    {
        glDrawArrays(primitive, base, static_cast<GLsizei>(group.vertices.size()));
        return;
    }
    firsts.assign(group.firsts.begin(), group.firsts.end());
    for (GLint& first : firsts)
    {
        first += base;
    }
    glMultiDrawArrays(primitive, firsts.data(), group.counts.data(), static_cast<GLsizei>(firsts.size()));
}

}  // namespace

VertexBatch& FrameBatch()
{
    static VertexBatch batch;
    return batch;
}

VertexGroupBuffer::~VertexGroupBuffer()
{
    // A buffer outliving the window (the frame batch, at exit) went with its context.
    if (m_name != 0 && glXGetCurrentContext() != nullptr)
    {
        glDeleteBuffers(1, &m_name);
    }
}

void VertexGroupBuffer::upload(const VertexGroup* groups, int count)
{
    size_t bytes = 0;
    for (int g = 0; g < count; ++g)
    {
        bytes += groups[g].vertices.size() * sizeof(BatchVertex);
    }
    if (m_name == 0)
    {
        glGenBuffers(1, &m_name);
    }
    glBindBuffer(GL_ARRAY_BUFFER, m_name);
    // The storage is kept from frame to frame: allocating it anew each time costs the driver
    // more than the copy.
    if (bytes > m_capacity)
    {
        m_capacity = std::max(bytes, 2 * m_capacity);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(m_capacity), nullptr, GL_STREAM_DRAW);
    }
    GLintptr offset = 0;
    for (int g = 0; g < count; ++g)
    {
        const auto groupBytes = static_cast<GLsizeiptr>(groups[g].vertices.size() * sizeof(BatchVertex));
        glBufferSubData(GL_ARRAY_BUFFER, offset, groupBytes, groups[g].vertices.data());
        offset += groupBytes;
    }
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void VertexGroupBuffer::draw(const VertexGroup* groups, int count)
{
    if (m_name == 0)
    {
        return;
    }
    glBindBuffer(GL_ARRAY_BUFFER, m_name);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    // With a buffer bound, the array pointers are offsets into it.
    glVertexPointer(2, GL_FLOAT, sizeof(BatchVertex), reinterpret_cast<const void*>(offsetof(BatchVertex, x)));
    glColorPointer(4, GL_FLOAT, sizeof(BatchVertex), reinterpret_cast<const void*>(offsetof(BatchVertex, r)));
    int base = 0;
    for (int g = 0; g < count; ++g)
    {
        DrawGroupFrom(groups[g], base, m_firsts);
        base += static_cast<int>(groups[g].vertices.size());
    }
    glPopClientAttrib();
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void VertexBatch::begin(Primitive primitive)
{
    if (!m_queueStarted)
    {
        startQueue();
    }
    m_primitive = primitive;
    m_pending.clear();
}

void VertexBatch::vertex(const b2Vec2& p, const b2Color& colour, float alpha)
{
    m_pending.push_back(BatchVertex{p.x, p.y, colour.r, colour.g, colour.b, alpha});
}

void VertexBatch::end()
{
    if (m_pending.empty())
    {
        return;
    }
    const DrawStyle style = StyleUsedBy(m_primitive, m_style);
    const float reach = ReachInPixels(m_primitive, style, m_transform.lineSmooth, m_transform.pointSmooth);

    // The cells the primitive may touch: those of each segment of a line that spans more than
    // a few cells, so that a long or diagonal line claims no more than its way; the whole box
    // of anything else.
    m_pendingCells.clear();
    const BatchVertex* v = m_pending.data();
    const int n = static_cast<int>(m_pending.size());
    const CellBox whole = cellsAround(v, v + n, reach);
    const bool small = whole.upper[0] - whole.lower[0] < k_smallSpanCells &&
                       whole.upper[1] - whole.lower[1] < k_smallSpanCells;
    if (IsLine(m_primitive) && n > 1 && !small)
    {
        const int step = m_primitive == Primitive::Lines ? 2 : 1;
        for (int i = 0; i + 1 < n; i += step)
        {
            m_pendingCells.push_back(cellsAround(v + i, v + i + 2, reach));
        }
        if (m_primitive == Primitive::LineLoop)
        {
            const BatchVertex closing[2] = {v[n - 1], v[0]};
            m_pendingCells.push_back(cellsAround(closing, closing + 2, reach));
        }
    }
    else
    {
        m_pendingCells.push_back(whole);
    }

    int after = -1;
    for (const CellBox& box : m_pendingCells)
    {
        for (int row = box.lower[1]; row <= box.upper[1]; ++row)
        {
            const int* cell = &m_cellGroup[static_cast<size_t>(row) * m_columns];
            for (int column = box.lower[0]; column <= box.upper[0]; ++column)
            {
                after = std::max(after, cell[column]);
            }
        }
    }
    const int g = placeInGroup(m_primitive, style, IsRectangle(m_primitive, m_pending), std::max(after, 0));
    for (const CellBox& box : m_pendingCells)
    {
        for (int row = box.lower[1]; row <= box.upper[1]; ++row)
        {
            int* cell = &m_cellGroup[static_cast<size_t>(row) * m_columns];
            std::fill(cell + box.lower[0], cell + box.upper[0] + 1, g);
        }
        for (int axis = 0; axis < 2; ++axis)
        {
            m_touched.lower[axis] = std::min(m_touched.lower[axis], box.lower[axis]);
            m_touched.upper[axis] = std::max(m_touched.upper[axis], box.upper[axis]);
        }
    }

    VertexGroup& group = m_groups[g];
    if (!StandsAlone(m_primitive))
    {
        group.firsts.push_back(static_cast<int>(group.vertices.size()));
        group.counts.push_back(n);
    }
    group.vertices.insert(group.vertices.end(), m_pending.begin(), m_pending.end());
    m_queuedVertices += n;
    m_pending.clear();
    if (m_queuedVertices > k_maxQueuedVertices)
    {
        flush();
    }
}

VertexBatch::CellBox VertexBatch::cellsAround(const BatchVertex* begin, const BatchVertex* end, float reach) const
{
    float lowerX = begin->x;
    float lowerY = begin->y;
    float upperX = lowerX;
    float upperY = lowerY;
    for (const BatchVertex* v = begin; v != end; ++v)
    {
        lowerX = std::min(lowerX, v->x);
        lowerY = std::min(lowerY, v->y);
        upperX = std::max(upperX, v->x);
        upperY = std::max(upperY, v->y);
    }
    // Window pixels of the box's corners. A view that is rotated or in perspective (which
    // the program does not set up) claims the whole grid, as does anything that does not map
    // to a finite point: such primitives keep their place in the order.
    CellBox cells{{0, 0}, {m_columns - 1, m_rows - 1}};
    if (!m_axisAligned)
    {
        return cells;
    }
    const double* m = m_toWindow;
    const double x[2] = {m[0] * lowerX + m[12], m[0] * upperX + m[12]};
    const double y[2] = {m[5] * lowerY + m[13], m[5] * upperY + m[13]};
    const double lower[2] = {std::min(x[0], x[1]), std::min(y[0], y[1])};
    const double upper[2] = {std::max(x[0], x[1]), std::max(y[0], y[1])};
    for (int axis = 0; axis < 2; ++axis)
    {
        const double from = std::floor((lower[axis] - reach) / k_cellPixels);
        const double to = std::floor((upper[axis] + reach) / k_cellPixels);
        if (!std::isfinite(from) || !std::isfinite(to))
        {
            return CellBox{{0, 0}, {m_columns - 1, m_rows - 1}};
        }
        const double last = axis == 0 ? m_columns - 1 : m_rows - 1;
        cells.lower[axis] = static_cast<int>(std::clamp(from, 0.0, last));
        cells.upper[axis] = static_cast<int>(std::clamp(to, 0.0, last));
    }
    return cells;
}

void VertexBatch::segment(const b2Vec2& a, const b2Vec2& b, const b2Color& colour)
{
    begin(Primitive::Lines);
    vertex(a, colour);
    vertex(b, colour);
    end();
}

void VertexBatch::square(const b2Vec2& p, float size, const b2Color& colour)
{
    if (!m_queueStarted)
    {
        startQueue();
    }
    const float* projection = m_transform.projection;
    const int* viewport = m_transform.viewport;
    if (projection[0] == 0.0f || projection[5] == 0.0f || viewport[2] <= 0 || viewport[3] <= 0)
    {
        return;
    }
    const float hx = size / (projection[0] * static_cast<float>(viewport[2]));
    const float hy = size / (projection[5] * static_cast<float>(viewport[3]));
    begin(Primitive::Quads);
    vertex(b2Vec2(p.x - hx, p.y - hy), colour);
    vertex(b2Vec2(p.x + hx, p.y - hy), colour);
    vertex(b2Vec2(p.x + hx, p.y + hy), colour);
    vertex(b2Vec2(p.x - hx, p.y + hy), colour);
    end();
}

void VertexBatch::flush()
{
    if (m_usedGroups > 0)
    {
        drawGroups();
    }
    for (int g = 0; g < m_usedGroups; ++g)
    {
        m_groups[g].vertices.clear();
        m_groups[g].firsts.clear();
        m_groups[g].counts.clear();
    }
    m_usedGroups = 0;
    m_queuedVertices = 0;
    m_queueStarted = false;
}

void VertexBatch::startQueue()
{
    m_transform = Transform{};
    glGetFloatv(GL_PROJECTION_MATRIX, m_transform.projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, m_transform.modelview);
    glGetIntegerv(GL_VIEWPORT, m_transform.viewport);
    m_transform.lineSmooth = glIsEnabled(GL_LINE_SMOOTH) == GL_TRUE;
    m_transform.pointSmooth = glIsEnabled(GL_POINT_SMOOTH) == GL_TRUE;

    // World to window pixels, relative to the viewport's corner.
    double clip[16];
    Multiply(m_transform.projection, m_transform.modelview, clip);
    const double halfWidth = 0.5 * m_transform.viewport[2];
    const double halfHeight = 0.5 * m_transform.viewport[3];
    for (int column = 0; column < 4; ++column)
    {
        const double* c = &clip[column * 4];
        double* m = &m_toWindow[column * 4];
        m[0] = halfWidth * (c[0] + c[3]);
        m[1] = halfHeight * (c[1] + c[3]);
        m[2] = c[2];
        m[3] = c[3];
    }
    // No rotation, no perspective: x maps to x and y to y, without a division. The program only
    // sets up such views; the order-keeping grid is used for them alone.
    m_axisAligned = m_toWindow[1] == 0.0 && m_toWindow[3] == 0.0 && m_toWindow[4] == 0.0 && m_toWindow[7] == 0.0 &&
                    m_toWindow[15] == 1.0;

    const int columns = std::max(1, (m_transform.viewport[2] + k_cellPixels - 1) / k_cellPixels);
    const int rows = std::max(1, (m_transform.viewport[3] + k_cellPixels - 1) / k_cellPixels);
    if (columns != m_columns || rows != m_rows)
    {
        m_columns = columns;
        m_rows = rows;
        m_cellGroup.assign(static_cast<size_t>(columns) * rows, -1);
    }
    else
    {
        // Only the cells the last queue touched need clearing: a frame flushes many small
        // queues (before every text line).
        for (int row = m_touched.lower[1]; row <= m_touched.upper[1]; ++row)
        {
            int* cell = &m_cellGroup[static_cast<size_t>(row) * m_columns];
            std::fill(cell + m_touched.lower[0], cell + m_touched.upper[0] + 1, -1);
        }
    }
    m_touched = CellBox{{columns, rows}, {-1, -1}};
    m_queueStarted = true;
}

int VertexBatch::placeInGroup(Primitive primitive, const DrawStyle& style, bool rectangles, int earliest)
{
    for (int g = earliest; g < m_usedGroups; ++g)
    {
        const VertexGroup& group = m_groups[g];
        if (group.primitive == primitive && group.style == style && group.rectangles == rectangles)
        {
            return g;
        }
    }
    if (m_usedGroups == static_cast<int>(m_groups.size()))
    {
        m_groups.emplace_back();
    }
    VertexGroup& group = m_groups[m_usedGroups];
    group.primitive = primitive;
    group.style = style;
    group.rectangles = rectangles;
    return m_usedGroups++;
}

void VertexBatch::drawGroups()
{
    // The queue is drawn where its primitives were placed, also when the view moved since.
    Transform now{};
    glGetFloatv(GL_PROJECTION_MATRIX, now.projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, now.modelview);
    glGetIntegerv(GL_VIEWPORT, now.viewport);
    const bool moved = std::memcmp(now.projection, m_transform.projection, sizeof(now.projection)) != 0 ||
                       std::memcmp(now.modelview, m_transform.modelview, sizeof(now.modelview)) != 0 ||
                       std::memcmp(now.viewport, m_transform.viewport, sizeof(now.viewport)) != 0;
    if (moved)
    {
        glViewport(m_transform.viewport[0], m_transform.viewport[1], m_transform.viewport[2],
                   m_transform.viewport[3]);
        glMatrixMode(GL_PROJECTION);
        glLoadMatrixf(m_transform.projection);
        glMatrixMode(GL_MODELVIEW);
        glLoadMatrixf(m_transform.modelview);
    }

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    m_buffer.upload(m_groups.data(), m_usedGroups);
    m_buffer.draw(m_groups.data(), m_usedGroups);
    if (m_record != nullptr)
    {
        m_record->insert(m_record->end(), m_groups.begin(), m_groups.begin() + m_usedGroups);
    }
    glDisable(GL_LINE_STIPPLE);

    if (moved)
    {
        glViewport(now.viewport[0], now.viewport[1], now.viewport[2], now.viewport[3]);
        glMatrixMode(GL_PROJECTION);
        glLoadMatrixf(now.projection);
        glMatrixMode(GL_MODELVIEW);
        glLoadMatrixf(now.modelview);
    }
}
