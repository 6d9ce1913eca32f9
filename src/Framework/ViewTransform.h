// The view: an axis-aligned world rectangle centred on the view centre, 50 × zoom metres tall
// whatever the window size, as wide as the drawing area's aspect makes it.
#pragma once

#include <box2d/box2d.h>

struct ViewBounds
{
    b2Vec2 lower;
    b2Vec2 upper;
};

ViewBounds ComputeViewBounds(const b2Vec2& center, float zoom, int viewportWidth, int viewportHeight);

// World point under pixel (x, y) of a drawing area of the given size; window y grows downwards.
b2Vec2 ScreenToWorld(const ViewBounds& bounds, int x, int y, int viewportWidth, int viewportHeight);
