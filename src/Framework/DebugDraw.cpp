#include "Framework/DebugDraw.h"

#include "Framework/VertexBatch.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <array>
#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace
{

constexpr int k_circleSegments = 16;
constexpr float k_circleIncrement = 2.0f * b2_pi / k_circleSegments;

// The circle's directions, computed once: a large scene draws thousands of circles a frame.
// The angle is accumulated step by step, as the directions have always been placed.
const std::array<b2Vec2, k_circleSegments>& UnitCircle()
{
    static const std::array<b2Vec2, k_circleSegments> directions = [] {
        std::array<b2Vec2, k_circleSegments> result;
        float theta = 0.0f;
        for (b2Vec2& direction : result)
        {
            direction = b2Vec2(std::cos(theta), std::sin(theta));
            theta += k_circleIncrement;
        }
        return result;
    }();
    return directions;
}

void CircleVertices(VertexBatch& batch, const b2Vec2& center, float radius, const b2Color& color, float alpha)
{
    for (const b2Vec2& direction : UnitCircle())
    {
        batch.vertex(center + radius * direction, color, alpha);
    }
}

void PolygonVertices(VertexBatch& batch, const b2Vec2* vertices, int32 vertexCount, const b2Color& color, float alpha)
{
    for (int32 i = 0; i < vertexCount; ++i)
    {
        batch.vertex(vertices[i], color, alpha);
    }
}

// A shape filled at half intensity and half alpha, outlined at full intensity.
template <typename EmitVertices>
void DrawFilledOutline(const b2Color& color, EmitVertices emitVertices)
{
    VertexBatch& batch = FrameBatch();
    batch.begin(Primitive::TriangleFan);
    emitVertices(batch, b2Color(0.5f * color.r, 0.5f * color.g, 0.5f * color.b), 0.5f);
    batch.end();
    batch.begin(Primitive::LineLoop);
    emitVertices(batch, color, 1.0f);
    batch.end();
}

}  // namespace

void DebugDraw::DrawPolygon(const b2Vec2* vertices, int32 vertexCount, const b2Color& color)
{
    VertexBatch& batch = FrameBatch();
    batch.begin(Primitive::LineLoop);
    PolygonVertices(batch, vertices, vertexCount, color, 1.0f);
    batch.end();
}

void DebugDraw::DrawSolidPolygon(const b2Vec2* vertices, int32 vertexCount, const b2Color& color)
{
    DrawFilledOutline(color, [&](VertexBatch& batch, const b2Color& c, float alpha) {
        PolygonVertices(batch, vertices, vertexCount, c, alpha);
    });
}

void DebugDraw::DrawCircle(const b2Vec2& center, float radius, const b2Color& color)
{
    VertexBatch& batch = FrameBatch();
    batch.begin(Primitive::LineLoop);
    CircleVertices(batch, center, radius, color, 1.0f);
    batch.end();
}

void DebugDraw::DrawSolidCircle(const b2Vec2& center, float radius, const b2Vec2& axis, const b2Color& color)
{
    DrawFilledOutline(color, [&](VertexBatch& batch, const b2Color& c, float alpha) {
        CircleVertices(batch, center, radius, c, alpha);
    });
    // The radius line shows the body's rotation, so a rolling wheel visibly turns.
    FrameBatch().segment(center, center + radius * axis, color);
}

void DebugDraw::DrawSegment(const b2Vec2& p1, const b2Vec2& p2, const b2Color& color)
{
    FrameBatch().segment(p1, p2, color);
}

void DebugDraw::DrawTransform(const b2Transform& xf)
{
    const float axisScale = 0.4f;
    VertexBatch& batch = FrameBatch();
    batch.begin(Primitive::Lines);
    batch.vertex(xf.p, b2Color(1.0f, 0.0f, 0.0f));
    batch.vertex(xf.p + axisScale * xf.q.GetXAxis(), b2Color(1.0f, 0.0f, 0.0f));
    batch.vertex(xf.p, b2Color(0.0f, 1.0f, 0.0f));
    batch.vertex(xf.p + axisScale * xf.q.GetYAxis(), b2Color(0.0f, 1.0f, 0.0f));
    batch.end();
}

void DebugDraw::DrawPoint(const b2Vec2& p, float size, const b2Color& color)
{
    // A square rather than a point of that size: the library draws a point for every edge end
    // and joint anchor, and changing the point size flushes the software renderer each time.
    FrameBatch().square(p, size, color);
}

void DebugDraw::DrawString(int x, int y, const char* format, ...)
{
    char buffer[128];
    va_list arg;
    va_start(arg, format);
    std::vsnprintf(buffer, sizeof(buffer), format, arg);
    va_end(arg);
    DrawWindowText(x, y, glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT), buffer, b2Color(0.9f, 0.6f, 0.6f));
}

void DrawWindowText(int x, int y, int windowWidth, int windowHeight, const char* text, const b2Color& colour,
                    float alpha)
{
    // Text lies over whatever was queued before it.
    FrameBatch().flush();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0, windowWidth, windowHeight, 0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    glColor4f(colour.r, colour.g, colour.b, alpha);
    glRasterPos2i(x, y);
    for (const char* c = text; *c != '\0'; ++c)
    {
        glutBitmapCharacter(GLUT_BITMAP_8_BY_13, *c);
    }

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

void DebugDraw::DrawAABB(b2AABB* aabb, const b2Color& color)
{
    const b2Vec2 corners[4] = {aabb->lowerBound, b2Vec2(aabb->upperBound.x, aabb->lowerBound.y), aabb->upperBound,
                               b2Vec2(aabb->lowerBound.x, aabb->upperBound.y)};
    DrawPolygon(corners, 4, color);
}
