// Drawing of worlds and overlays: the library's debug-draw interface, queued into the frame's
// vertex batch, plus boxes and bitmap-font text in window pixels.
#pragma once

#include <box2d/box2d.h>

class DebugDraw : public b2Draw
{
public:
    void DrawPolygon(const b2Vec2* vertices, int32 vertexCount, const b2Color& color) override;
    void DrawSolidPolygon(const b2Vec2* vertices, int32 vertexCount, const b2Color& color) override;
    void DrawCircle(const b2Vec2& center, float radius, const b2Color& color) override;
    void DrawSolidCircle(const b2Vec2& center, float radius, const b2Vec2& axis, const b2Color& color) override;
    void DrawSegment(const b2Vec2& p1, const b2Vec2& p2, const b2Color& color) override;
    void DrawTransform(const b2Transform& xf) override;
    void DrawPoint(const b2Vec2& p, float size, const b2Color& color) override;

    // Text at window pixel (x, y), y growing downwards; printf-style, cut at 127 characters.
    // Whatever is queued is drawn first, so text lies over the shapes before it.
    void DrawString(int x, int y, const char* format, ...) __attribute__((format(printf, 4, 5)));
    void DrawAABB(b2AABB* aabb, const b2Color& color);
};

// `text` in the 8 × 13 bitmap font at window pixel (x, y) of a window of the given size, y
// growing downwards. Whatever is queued is drawn first, so text lies over the shapes before it.
void DrawWindowText(int x, int y, int windowWidth, int windowHeight, const char* text, const b2Color& colour,
                    float alpha = 1.0f);
