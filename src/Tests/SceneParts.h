// Building blocks that several demonstration scenes assemble their worlds from, and the
// bookkeeping a scene needs when an object it remembers is destroyed.
#pragma once

#include <box2d/box2d.h>

#include <functional>

b2PolygonShape MakeBox(float halfWidth, float halfHeight);
b2CircleShape MakeCircle(float radius);

// A static body at `position` without fixtures.
b2Body* CreateStaticBody(b2World* world, const b2Vec2& position = b2Vec2_zero);

// Adds the two-sided edge a-b to `body`.
b2Fixture* AddEdge(b2Body* body, const b2Vec2& a, const b2Vec2& b, float friction = 0.2f);

// Adds a chain through `points` to `body`, closed into a loop when `loop` is set. Chains
// collide on the right of each segment's direction only: a clockwise loop keeps bodies inside,
// a counter-clockwise one outside, and ground listed right to left is solid from above.
b2Fixture* AddChain(b2Body* body, const b2Vec2* points, int count, bool loop);

// A column of `count` dynamic square boxes of half size `halfSize` standing on y = baseY,
// centred on x.
void StackBoxes(b2World* world, float x, float baseY, int count, float halfSize, float density,
                float friction = 0.2f);

// Clears `remembered` when it is the object being destroyed.
template <typename Remembered, typename Destroyed>
void ForgetIfDestroyed(Remembered*& remembered, const Destroyed* destroyed)
{
    if (remembered == destroyed)
    {
        remembered = nullptr;
    }
}

// A dynamic plank of the given half extents and density hinged to `ground` at its centre,
// free to tilt `limitDegrees` either way.
b2Body* CreateSeesaw(b2World* world, b2Body* ground, const b2Vec2& position, float halfWidth, float halfHeight,
                     float density, float limitDegrees);

// Keys "l" and "m": toggle the limit or the motor of a revolute or prismatic joint. False for
// other keys.
template <typename LimitedMotorJoint>
bool ToggleLimitOrMotor(LimitedMotorJoint* joint, unsigned char key)
{
    switch (key)
    {
    case 'l':
        joint->EnableLimit(!joint->IsLimitEnabled());
        return true;
    case 'm':
        joint->EnableMotor(!joint->IsMotorEnabled());
        return true;
    default:
        return false;
    }
}

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
