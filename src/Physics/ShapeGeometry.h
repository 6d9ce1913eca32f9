// A fixture's shape as a list of points that editing code can transform and write back in place.
// Writing keeps the fixture object, so its names, material, filter, ghost flags and every pointer
// to it survive: an edited chain is rebuilt inside the same fixture. Every write is checked first
// and refused, with nothing changed, when the library would assert on the result or the result
// is degenerate (a circle without radius, a polygon without area, chain points on top of each
// other, an edge of no length, coordinates that are not finite or too far out).
#pragma once

#include <box2d/box2d.h>

#include <string>
#include <vector>

namespace Physics
{

struct ShapeGeometry
{
    b2Shape::Type type = b2Shape::e_circle;
    // circle: its centre; edge: its two end points; polygon: its vertices in order; chain: its
    // vertices in order (a loop's repeated closing vertex left out).
    std::vector<b2Vec2> points;
    float radius = 0.0f;  // circles only
    bool loop = false;    // chains only
    // Ghost vertices of edges (vertex 0 and 3) and open chains, meaningful while flagged.
    bool hasGhostBefore = false;
    bool hasGhostAfter = false;
    b2Vec2 ghostBefore = b2Vec2_zero;
    b2Vec2 ghostAfter = b2Vec2_zero;
    // Edges the library collides on one side only (made so in code, never read from a file).
    bool oneSided = false;
};

// Shape coordinates, in the fixture's body frame.
ShapeGeometry GetGeometry(const b2Fixture* fixture);

// Every point and ghost vertex mapped through `map` (a callable b2Vec2 -> b2Vec2).
template <class Map>
ShapeGeometry MapGeometry(ShapeGeometry geometry, Map map)
{
    for (b2Vec2& p : geometry.points)
    {
        p = map(p);
    }
    geometry.ghostBefore = map(geometry.ghostBefore);
    geometry.ghostAfter = map(geometry.ghostAfter);
    return geometry;
}

// Turns a chain's direction around (vertices and ghost vertices exchanged end for end), which
// moves the side it collides on to the other side of each segment.
ShapeGeometry ReverseChain(ShapeGeometry chain);

// The shape `geometry` describes, as the library would hold it: polygons are gift-wrapped
// (counter-clockwise from the rightmost point, so their vertex order may change). Empty reason
// when the geometry is usable.
std::string CheckGeometry(const ShapeGeometry& geometry);

// Why `geometry` cannot be written into `fixture`: CheckGeometry's reasons, another shape type,
// a locked world, or a body mass the library would assert on. Empty when it can.
std::string CheckGeometryFor(const b2Fixture* fixture, const ShapeGeometry& geometry);

// Writes `geometry` (of the fixture's own shape type) into the fixture, then recomputes the
// body's mass and rebuilds its contacts. Refused (false, *error set when given, nothing changed)
// when CheckGeometryFor refuses it.
bool SetGeometry(b2Fixture* fixture, const ShapeGeometry& geometry, std::string* error = nullptr);

// One fixture's new shape, for changing several fixtures together.
struct GeometryChange
{
    b2Fixture* fixture = nullptr;
    ShapeGeometry geometry;
};

// Why the changes cannot all be written: CheckGeometryFor's reasons for any of them, a fixture
// named twice, or a body whose mass the library would assert on once all of its fixtures have
// their new shapes (fixtures that pass one at a time can fail together). Empty when they can.
std::string CheckGeometries(const std::vector<GeometryChange>& changes);

// Writes every change, then recomputes each body's mass and rebuilds its contacts once, so no
// body ever holds only some of its new shapes. Refused as a whole (false, *error set when given,
// nothing changed) when CheckGeometries refuses.
bool SetGeometries(const std::vector<GeometryChange>& changes, std::string* error = nullptr);

}  // namespace Physics
