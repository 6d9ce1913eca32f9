// Shapes and bodies several scenes build from (alongside SceneParts), and the bookkeeping a
// scene needs when an object it remembers is destroyed.
#pragma once

#include <box2d/box2d.h>

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
