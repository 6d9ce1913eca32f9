// Mirrored duplication: copies of bodies reflected left to right about a vertical line, with the
// revolute joints between them. A copy is built from the scene document, so it has every
// property of its source; it keeps its source's angle, and the reflection is carried by its
// shapes. Reflection turns a shape's winding around, so polygons and chains are written in
// reverse order: polygons stay counter-clockwise, and chains, which collide on one side only,
// keep colliding on the side that faces what they hold.
#pragma once

#include "Physics/ShapeGeometry.h"

#include <box2d/box2d.h>

#include <map>
#include <string>
#include <vector>

class WorldEdits;

// The point `local` of `source`, reflected about the vertical line through `c`, in the
// coordinates of `copy`.
b2Vec2 getMirroredPos(const b2Body* source, const b2Body* copy, const b2Vec2& local, const b2Vec2& c);

// The change that reflects `fixture`, a fixture of the copy of `source` still shaped as its
// source, about the vertical line through `c`.
Physics::GeometryChange mirrorFixture(const b2Body* source, b2Fixture* fixture, const b2Vec2& c);

struct MirroredSet
{
    // The copies, in the order of their sources.
    std::vector<b2Body*> bodies;
    std::map<b2Body*, b2Body*> bodyCopies;
    // Revolute joints between two copied sources, and their copies.
    std::map<b2Joint*, b2Joint*> jointCopies;
    // Why sources were not copied, one line each.
    std::vector<std::string> problems;
};

// Copies `sources` mirrored about the vertical line through `c`, and the revolute joints that
// join two of them, with their limits reflected. A source whose copy cannot be built or placed
// is left out (with a line in `problems`), and so are the joints to it.
MirroredSet mirrorBodySet(WorldEdits& edits, b2World* world, const std::vector<b2Body*>& sources, const b2Vec2& c);
