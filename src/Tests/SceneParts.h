// Building blocks that several demonstration scenes assemble their worlds from.
#pragma once

#include <box2d/box2d.h>

#include <functional>

namespace SceneParts
{

// A static body at the origin holding one edge from (x1, 0) to (x2, 0).
b2Body* CreateGroundEdge(b2World* world, float x1, float x2);

// A dynamic body at `position` turned by `angle`, without fixtures.
b2Body* CreateDynamicBody(b2World* world, const b2Vec2& position, float angle = 0.0f);

// A dynamic body at `position` holding one fixture of `shape`.
b2Body* CreateDynamicBody(b2World* world, const b2Vec2& position, const b2Shape& shape, float density,
                          float friction = 0.2f);

// A triangle with its base from (-halfBase, 0) to (halfBase, 0) and its apex at (0, height).
b2PolygonShape MakeTriangle(float halfBase, float height);

// Joins two neighbouring bodies at a world point.
using LinkFcn = std::function<void(b2Body* a, b2Body* b, const b2Vec2& anchor)>;

// Links with a revolute joint.
LinkFcn HingeLink(b2World* world);

// A row of `count` dynamic planks (1 long, 0.25 thick) running right from `leftEnd`, each
// linked to the next at their shared end; the first is linked to `start` at `leftEnd` when
// `start` is given. Returns the last plank.
b2Body* CreatePlankRow(b2World* world, b2Body* start, const b2Vec2& leftEnd, int count, float density,
                       const LinkFcn& link);

}  // namespace SceneParts
