#include "Tests/RotatingRay.h"

#include <cmath>

namespace
{

// Records hits as the mode asks: the closest one (clipping the ray at each hit), the first one
// reported (ending the cast), or all of them up to the buffer's size.
class HitCollector : public b2RayCastCallback
{
public:
    HitCollector(RotatingRay::Mode mode, RotatingRay::Hit* hits, int& hitCount)
        : m_mode(mode), m_hits(hits), m_hitCount(hitCount)
    {
        m_hitCount = 0;
    }

    float ReportFixture(b2Fixture*, const b2Vec2& point, const b2Vec2& normal, float fraction) override
    {
        switch (m_mode)
        {
        case RotatingRay::k_closest:
            m_hits[0] = {point, normal};
            m_hitCount = 1;
            return fraction;
        case RotatingRay::k_any:
            m_hits[0] = {point, normal};
            m_hitCount = 1;
            return 0.0f;
        default:
            m_hits[m_hitCount++] = {point, normal};
            return m_hitCount < RotatingRay::k_maxHits ? 1.0f : 0.0f;
        }
    }

private:
    RotatingRay::Mode m_mode;
    RotatingRay::Hit* m_hits;
    int& m_hitCount;
};

}  // namespace

RotatingRay::RotatingRay(const b2Vec2& origin, float length) : m_origin(origin), m_length(length) {}

b2Vec2 RotatingRay::GetEnd() const
{
    return m_origin + m_length * b2Vec2(std::cos(m_angle), std::sin(m_angle));
}

void RotatingRay::Update(b2World* world, bool advance)
{
    if (advance)
    {
        // A quarter of a degree per step, kept within one turn.
        m_angle = std::fmod(m_angle + b2_pi / 720.0f, 2.0f * b2_pi);
    }
    HitCollector collector(mode, m_hits, m_hitCount);
    world->RayCast(&collector, m_origin, GetEnd());
}

void RotatingRay::Draw(DebugDraw& draw) const
{
    const b2Color rayColor(0.8f, 0.8f, 0.8f);
    const b2Color hitColor(0.4f, 0.9f, 0.4f);
    const b2Color normalColor(0.9f, 0.9f, 0.4f);

    // A ray stopped by a single hit is drawn up to it; with several hits it is drawn whole.
    b2Vec2 drawnEnd = mode != k_multiple && m_hitCount > 0 ? m_hits[0].point : GetEnd();
    draw.DrawSegment(m_origin, drawnEnd, rayColor);
    for (int i = 0; i < m_hitCount; ++i)
    {
        draw.DrawPoint(m_hits[i].point, 5.0f, hitColor);
        draw.DrawSegment(m_hits[i].point, m_hits[i].point + 0.5f * m_hits[i].normal, normalColor);
    }
}
