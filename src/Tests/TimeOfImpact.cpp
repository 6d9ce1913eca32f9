#include "Tests/TimeOfImpact.h"

#include "Tests/CollisionCounters.h"
#include "Tests/ShapeOutline.h"

namespace
{

b2Sweep MakeSweep(const b2Vec2& from, float fromAngle, const b2Vec2& to, float toAngle)
{
    b2Sweep sweep;
    sweep.localCenter.SetZero();
    sweep.c0 = from;
    sweep.a0 = fromAngle;
    sweep.c = to;
    sweep.a = toAngle;
    sweep.alpha0 = 0.0f;
    return sweep;
}

b2Transform TransformAt(const b2Sweep& sweep, float t)
{
    b2Transform xf;
    sweep.GetTransform(&xf, t);
    return xf;
}

}  // namespace

TimeOfImpact::TimeOfImpact()
{
    m_bar.SetAsBox(12.0f, 0.5f);
    m_sweepBar = MakeSweep(b2Vec2(-2.0f, 16.0f), 0.0f, b2Vec2(2.0f, 16.5f), 0.1f);

    m_square.SetAsBox(1.5f, 1.5f);
    m_sweepSquare = MakeSweep(b2Vec2(-10.0f, 32.0f), 0.0f, b2Vec2(8.0f, 6.0f), 5.0f);

    // The read-out shows the worst case of this scene's computation only.
    ResetCollisionCounters();
}

void TimeOfImpact::Step(Settings* settings)
{
    Test::Step(settings);

    b2TOIInput input;
    input.proxyA.Set(&m_bar, 0);
    input.proxyB.Set(&m_square, 0);
    input.sweepA = m_sweepBar;
    input.sweepB = m_sweepSquare;
    input.tMax = 1.0f;
    b2TimeOfImpact(&m_output, &input);

    CollisionCounters counters = ReadCollisionCounters();
    DrawLine("toi = %g", m_output.t);
    DrawLine("max toi iters = %d, max root iters = %d", counters.toiMaxIters, counters.toiMaxRootIters);

    const b2Color start(0.5f, 0.9f, 0.5f);
    const b2Color impact(0.5f, 0.7f, 0.9f);
    const b2Color end(0.9f, 0.5f, 0.5f);
    DrawShapeOutline(debugDraw, m_bar, TransformAt(m_sweepBar, 0.0f), start);
    DrawShapeOutline(debugDraw, m_bar, TransformAt(m_sweepBar, m_output.t), impact);
    DrawShapeOutline(debugDraw, m_square, TransformAt(m_sweepSquare, 0.0f), start);
    DrawShapeOutline(debugDraw, m_square, TransformAt(m_sweepSquare, m_output.t), impact);
    DrawShapeOutline(debugDraw, m_square, TransformAt(m_sweepSquare, 1.0f), end);
}
