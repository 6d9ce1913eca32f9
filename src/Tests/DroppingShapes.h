// Base of the scenes where keys "1" to "5" drop shapes of five kinds. The dropped bodies live in
// a ring of 256 slots: once the ring is full each drop replaces the oldest body. "d" destroys the
// body in the first occupied slot.
#pragma once

#include "Framework/Test.h"

class RotatingRay;

class DroppingShapes : public Test
{
public:
    static constexpr int k_maxBodies = 256;

    void Keyboard(unsigned char key) override;
    void BodyDestroyed(b2Body* body) override;

    // The body in `slot`, or null when the slot is empty.
    b2Body* GetDroppedBody(int slot) const { return m_bodies[slot]; }
    // The slot the next drop goes to.
    int GetRingPosition() const { return m_ringPosition; }

protected:
    DroppingShapes();

    // Where the next dropped body appears.
    virtual b2Vec2 DropPosition() = 0;

    // Steps the world, then turns `ray` on when the world moved, casts it and draws it.
    void StepWithRay(Settings* settings, RotatingRay& ray);

private:
    static constexpr int k_polygonKinds = 4;

    // Kinds 0-3 are the polygons, kind 4 the circle.
    void Drop(int kind);
    void DestroyFirstBody();

    b2PolygonShape m_polygons[k_polygonKinds];
    b2CircleShape m_circle;
    b2Body* m_bodies[k_maxBodies] = {};
    int m_ringPosition = 0;
};
