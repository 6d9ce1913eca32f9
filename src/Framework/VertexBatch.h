// The one way the program draws shapes, lines and points: primitives are queued in vertex arrays
// and drawn in as few OpenGL calls as their order allows, with the pixels they would have had
// drawn one by one in that order.
//
// A primitive joins the earliest queued group of its kind (primitive type and line style) that
// is drawn after every queued primitive it may touch on screen; only primitives that cannot
// overlap change places. Each group keeps the primitive types of the old immediate-mode drawing
// (fans, loops, strips), so every primitive is rasterised exactly as it was.
//
// The queue is drawn by flush(), which text, textures and the end of a frame call first; a
// primitive is drawn with the projection, view and viewport that were in force when the queue
// began, so code that changes them while primitives are queued must flush first. (The shell's
// reprojection after a step is the one change this tolerates: the queue still draws with the
// transform its primitives were placed in.) Blending (source alpha) is on for everything drawn.
#pragma once

#include <box2d/box2d.h>

#include <vector>

enum class Primitive
{
    Points,
    Lines,
    LineStrip,
    LineLoop,
    TriangleFan,
    Quads,
};

// What a primitive is drawn with besides its vertices. Line width and stipple matter to line
// primitives only and the point size to points only; the others ignore them.
struct DrawStyle
{
    float lineWidth = 1.0f;
    // The line stipple pattern (repeat factor 1); 0 draws solid lines.
    unsigned short stipple = 0;
    float pointSize = 1.0f;

    bool operator==(const DrawStyle& other) const
    {
        return lineWidth == other.lineWidth && stipple == other.stipple && pointSize == other.pointSize;
    }
};

struct BatchVertex
{
    float x;
    float y;
    float r;
    float g;
    float b;
    float a;
};

// Primitives of one type and style, drawn by one call; each range is one primitive of a
// type whose primitives connect (strips, loops, fans), one range in all for the others.
struct VertexGroup
{
    Primitive primitive = Primitive::Lines;
    DrawStyle style;
    // Fans that are all axis-aligned rectangles in one colour each.
    bool rectangles = false;
    std::vector<BatchVertex> vertices;
    std::vector<int> firsts;
    std::vector<int> counts;
};

// Groups' vertices kept in an OpenGL buffer object, one group after the other: the driver
// copies each vertex once, where drawing from client memory it would copy the vertices of
// every call into buffers of its own.
class VertexGroupBuffer
{
public:
    VertexGroupBuffer() = default;
    VertexGroupBuffer(const VertexGroupBuffer&) = delete;
    VertexGroupBuffer& operator=(const VertexGroupBuffer&) = delete;
    ~VertexGroupBuffer();

    // Copies the vertices of `groups[0 .. count)` into the buffer.
    void upload(const VertexGroup* groups, int count);
    // Draws the groups last uploaded, in order, one call each (their positions in the current
    // transform).
    void draw(const VertexGroup* groups, int count);

private:
    unsigned m_name = 0;
    size_t m_capacity = 0;
    std::vector<int> m_firsts;
};

class VertexBatch
{
public:
    // The style of the primitives queued from now on, as glLineWidth, glLineStipple with
    // GL_LINE_STIPPLE and glPointSize would set it.
    void setLineWidth(float width) { m_style.lineWidth = width; }
    void setStipple(unsigned short pattern) { m_style.stipple = pattern; }
    void setPointSize(float size) { m_style.pointSize = size; }
    void setStyle(const DrawStyle& style) { m_style = style; }

    // One primitive, like glBegin, glColor4f with glVertex2f, and glEnd.
    void begin(Primitive primitive);
    void vertex(const b2Vec2& p, const b2Color& colour, float alpha = 1.0f);
    void end();

    // A line from a to b: one primitive of GL_LINES.
    void segment(const b2Vec2& a, const b2Vec2& b, const b2Color& colour);

    // A square `size` pixels wide around p: a non-smoothed point of that size, without changing
    // the point size (Mesa's software pipeline flushes on every point-size change).
    void square(const b2Vec2& p, float size, const b2Color& colour);

    // Draws everything queued.
    void flush();

    // While set, every group drawn is also appended to `record` (for measuring against).
    void setRecord(std::vector<VertexGroup>* record) { m_record = record; }

private:
    // Where the queue's primitives land, and whether smoothing widens lines and points.
    struct Transform
    {
        float projection[16];
        float modelview[16];
        int viewport[4];
        bool lineSmooth;
        bool pointSmooth;
    };

    // Grid cells from lower to upper (inclusive), column then row.
    struct CellBox
    {
        int lower[2];
        int upper[2];
    };

    void startQueue();
    CellBox cellsAround(const BatchVertex* begin, const BatchVertex* end, float reach) const;
    // The earliest group from `earliest` on that takes the primitive, a new one when none does.
    int placeInGroup(Primitive primitive, const DrawStyle& style, bool rectangles, int earliest);
    void drawGroups();

    DrawStyle m_style;
    Transform m_transform{};
    // World point to window pixel (from the viewport's corner), in homogeneous coordinates.
    double m_toWindow[16] = {};
    bool m_axisAligned = false;
    bool m_queueStarted = false;
    Primitive m_primitive = Primitive::Lines;
    std::vector<BatchVertex> m_pending;
    std::vector<CellBox> m_pendingCells;
    std::vector<VertexGroup> m_groups;
    VertexGroupBuffer m_buffer;
    int m_usedGroups = 0;
    int m_queuedVertices = 0;

    // Which group last touched each cell of a coarse grid over the viewport (-1: none yet), and
    // the box of the cells this queue touched.
    std::vector<int> m_cellGroup;
    int m_columns = 0;
    int m_rows = 0;
    CellBox m_touched{{0, 0}, {-1, -1}};

    std::vector<VertexGroup>* m_record = nullptr;
};

// The batch every drawer of the program queues into.
VertexBatch& FrameBatch();

