#include "Framework/DebugDraw.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace
{

constexpr int k_circleSegments = 16;
constexpr float k_circleIncrement = 2.0f * b2_pi / k_circleSegments;

void EnableBlending()
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void CircleVertices(const b2Vec2& center, float radius)
{
    float theta = 0.0f;
    for (int i = 0; i < k_circleSegments; ++i)
    {
        b2Vec2 v = center + radius * b2Vec2(std::cos(theta), std::sin(theta));
        glVertex2f(v.x, v.y);
        theta += k_circleIncrement;
    }
}

// A shape filled at half intensity and half alpha, outlined at full intensity. Blending is left
// on for whatever is drawn next.
template <typename EmitVertices>
void DrawFilledOutline(const b2Color& color, EmitVertices emitVertices)
{
    EnableBlending();
    glColor4f(0.5f * color.r, 0.5f * color.g, 0.5f * color.b, 0.5f);
    glBegin(GL_TRIANGLE_FAN);
    emitVertices();
    glEnd();

    glColor4f(color.r, color.g, color.b, 1.0f);
    glBegin(GL_LINE_LOOP);
    emitVertices();
    glEnd();
}

void PolygonVertices(const b2Vec2* vertices, int32 vertexCount)
{
    for (int32 i = 0; i < vertexCount; ++i)
    {
        glVertex2f(vertices[i].x, vertices[i].y);
    }
}

}  // namespace

void DebugDraw::DrawPolygon(const b2Vec2* vertices, int32 vertexCount, const b2Color& color)
{
    glColor3f(color.r, color.g, color.b);
    glBegin(GL_LINE_LOOP);
    PolygonVertices(vertices, vertexCount);
    glEnd();
}

void DebugDraw::DrawSolidPolygon(const b2Vec2* vertices, int32 vertexCount, const b2Color& color)
{
    DrawFilledOutline(color, [&] { PolygonVertices(vertices, vertexCount); });
}

void DebugDraw::DrawCircle(const b2Vec2& center, float radius, const b2Color& color)
{
    glColor3f(color.r, color.g, color.b);
    glBegin(GL_LINE_LOOP);
    CircleVertices(center, radius);
    glEnd();
}

void DebugDraw::DrawSolidCircle(const b2Vec2& center, float radius, const b2Vec2& axis, const b2Color& color)
{
    DrawFilledOutline(color, [&] { CircleVertices(center, radius); });

    // The radius line shows the body's rotation, so a rolling wheel visibly turns.
    b2Vec2 p = center + radius * axis;
    glBegin(GL_LINES);
    glVertex2f(center.x, center.y);
    glVertex2f(p.x, p.y);
    glEnd();
}

void DebugDraw::DrawSegment(const b2Vec2& p1, const b2Vec2& p2, const b2Color& color)
{
    glColor3f(color.r, color.g, color.b);
    glBegin(GL_LINES);
    glVertex2f(p1.x, p1.y);
    glVertex2f(p2.x, p2.y);
    glEnd();
}

void DebugDraw::DrawTransform(const b2Transform& xf)
{
    const float axisScale = 0.4f;
    b2Vec2 p1 = xf.p;
    glBegin(GL_LINES);
    glColor3f(1.0f, 0.0f, 0.0f);
    glVertex2f(p1.x, p1.y);
    b2Vec2 p2 = p1 + axisScale * xf.q.GetXAxis();
    glVertex2f(p2.x, p2.y);

    glColor3f(0.0f, 1.0f, 0.0f);
    glVertex2f(p1.x, p1.y);
    p2 = p1 + axisScale * xf.q.GetYAxis();
    glVertex2f(p2.x, p2.y);
    glEnd();
}

void DebugDraw::DrawPoint(const b2Vec2& p, float size, const b2Color& color)
{
    // A square of `size` pixels, like a non-smoothed point of that size. Changing the point size
    // instead would flush the software renderer's pipeline for every point: the library draws
    // one for every edge end and joint anchor, which made joint-heavy scenes miss their frame.
    GLfloat projection[16];
    GLint viewport[4];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    if (projection[0] == 0.0f || projection[5] == 0.0f || viewport[2] <= 0 || viewport[3] <= 0)
    {
        return;
    }
    float hx = size / (projection[0] * static_cast<float>(viewport[2]));
    float hy = size / (projection[5] * static_cast<float>(viewport[3]));

    glColor3f(color.r, color.g, color.b);
    glBegin(GL_QUADS);
    glVertex2f(p.x - hx, p.y - hy);
    glVertex2f(p.x + hx, p.y - hy);
    glVertex2f(p.x + hx, p.y + hy);
    glVertex2f(p.x - hx, p.y + hy);
    glEnd();
}

void DebugDraw::DrawString(int x, int y, const char* format, ...)
{
    char buffer[128];
    va_list arg;
    va_start(arg, format);
    std::vsnprintf(buffer, sizeof(buffer), format, arg);
    va_end(arg);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    int w = glutGet(GLUT_WINDOW_WIDTH);
    int h = glutGet(GLUT_WINDOW_HEIGHT);
    gluOrtho2D(0, w, h, 0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    glColor3f(0.9f, 0.6f, 0.6f);
    glRasterPos2i(x, y);
    for (const char* c = buffer; *c != '\0'; ++c)
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
    glColor3f(color.r, color.g, color.b);
    glBegin(GL_LINE_LOOP);
    glVertex2f(aabb->lowerBound.x, aabb->lowerBound.y);
    glVertex2f(aabb->upperBound.x, aabb->lowerBound.y);
    glVertex2f(aabb->upperBound.x, aabb->upperBound.y);
    glVertex2f(aabb->lowerBound.x, aabb->upperBound.y);
    glEnd();
}
