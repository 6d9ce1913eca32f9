// The winding rule for polygons edited vertex by vertex.
#pragma once

#include <box2d/box2d.h>

// True when the polygon is strictly convex and wound counter-clockwise: for every edge, every
// other vertex lies strictly to its left.
bool checkPolygonVertices(const b2Vec2* vertices, int count);
void reversePolygonVertices(b2Vec2* vertices, int count);
