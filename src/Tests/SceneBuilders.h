// Building blocks several scenes share: static edges, dynamic boxes and balls, and the
// bookkeeping a scene needs when an object it remembers is destroyed.
#pragma once

#include <box2d/box2d.h>

// Adds the two-sided edge a-b to `body`.
b2Fixture* AddEdge(b2Body* body, const b2Vec2& a, const b2Vec2& b, float friction = 0.2f);

// A static body at the origin holding the edge a-b.
b2Body* CreateEdgeGround(b2World* world, const b2Vec2& a, const b2Vec2& b, float friction = 0.2f);

// A body of the given type holding one box centred on its origin.
b2Body* CreateBox(b2World* world, const b2Vec2& position, float halfWidth, float halfHeight,
                  float density, float friction = 0.2f, b2BodyType type = b2_dynamicBody);

// A dynamic body holding one circle centred on its origin.
b2Body* CreateBall(b2World* world, const b2Vec2& position, float radius, float density,
                   float friction = 0.2f, float restitution = 0.0f);

// A column of `count` square boxes of half size `halfSize` standing on y = baseY, centred on x.
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
