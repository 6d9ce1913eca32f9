// Polygon construction with the gift-wrapping rules scene files and the editor's vertex
// indices rely on: no welding of near points and no fallback box.
#pragma once

#include <box2d/box2d.h>

namespace Physics
{

// Uses the first min(count, 8) points; the stored vertices are their convex hull, starting at
// the rightmost (then lowest) point and running counter-clockwise, interior and collinear
// points dropped. Returns false and leaves `shape` untouched when fewer than 3 points are
// given, a point is not a sane coordinate, or the hull is too small for the library's mass
// computation.
bool SetPolygon(b2PolygonShape& shape, const b2Vec2* points, int count);

// True when the library's mass computation accepts a polygon with these vertices: it asserts
// that the area, summed in a particular order, exceeds b2_epsilon; this sums the same way.
bool HasUsableArea(const b2Vec2* vertices, int count);

// Convenience for code that builds boxes and triangles from constants.
// Refused points give a polygon without vertices, which CreateFixture refuses.
b2PolygonShape MakePolygon(const b2Vec2* points, int count);

}  // namespace Physics
