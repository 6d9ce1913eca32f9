// What the open translate, rotate or scale would do to the world. It is computed once from the
// mouse, the operation's start and the modifier keys, and serves both the tentative display and
// the click that accepts the operation, so the accepted world is exactly what was on screen.
#pragma once

#include "Physics/ShapeGeometry.h"

#include <box2d/box2d.h>

#include <string>
#include <vector>

struct BodyPlacement
{
    b2Body* body = nullptr;
    b2Vec2 position = b2Vec2_zero;
    float angle = 0.0f;
};

// A fixture's new shape in its body's coordinates; `refusal` says why it cannot be applied.
struct FixtureProposal
{
    b2Fixture* fixture = nullptr;
    Physics::ShapeGeometry geometry;
    // Positions in geometry.points that the operation moves (vertex moves).
    std::vector<int> movedPoints;
    // A mirrored chain turned around so that it keeps colliding on the mirrored side: its
    // vertex i becomes vertex count - 1 - i.
    bool reversed = false;
    std::string refusal;
};

// A joint's new world anchors and what follows from them (length, axis).
struct JointProposal
{
    b2Joint* joint = nullptr;
    b2Vec2 anchorA = b2Vec2_zero;
    b2Vec2 anchorB = b2Vec2_zero;
    std::string refusal;
};

struct OperationProposal
{
    std::vector<BodyPlacement> bodies;
    std::vector<FixtureProposal> fixtures;
    std::vector<JointProposal> joints;
    // A refusal that holds the whole operation back (nothing is applied).
    std::string refusal;
};
