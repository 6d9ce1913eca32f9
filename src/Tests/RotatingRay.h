// A ray that turns about a fixed origin while the world is stepped and is cast against the world
// every frame, reporting the closest hit, any one hit, or every hit.
#pragma once

#include "Framework/DebugDraw.h"

#include <box2d/box2d.h>

class RotatingRay
{
public:
    enum Mode
    {
        k_closest,
        k_any,
        k_multiple,
        k_modeCount
    };

    struct Hit
    {
        b2Vec2 point;
        b2Vec2 normal;
    };

    static constexpr int k_maxHits = 16;

    RotatingRay(const b2Vec2& origin, float length);

    // Turns the ray by one step's angle when `advance` is set, then casts it against `world`.
    void Update(b2World* world, bool advance);
    void Draw(DebugDraw& draw) const;

    Mode mode = k_closest;

    int GetHitCount() const { return m_hitCount; }
    const Hit& GetHit(int i) const { return m_hits[i]; }
    b2Vec2 GetEnd() const;

private:
    b2Vec2 m_origin;
    float m_length;
    float m_angle = 0.0f;
    Hit m_hits[k_maxHits];
    int m_hitCount = 0;
};
