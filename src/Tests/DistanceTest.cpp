#include "Tests/DistanceTest.h"

#include "Physics/Polygon.h"
#include "Tests/ShapeOutline.h"

DistanceTest::DistanceTest()
{
    m_boxA.SetAsBox(4.0f, 2.0f);
    m_transformA = b2Transform(b2Vec2(0.0f, 20.0f), b2Rot(0.0f));

    const b2Vec2 quad[] = {{-2.0f, -1.0f}, {2.0f, -1.5f}, {1.5f, 2.0f}, {-1.5f, 1.5f}};
    m_polygonB = Physics::MakePolygon(quad, 4);
    m_poseB.position.Set(9.0f, 25.0f);
    m_poseB.angle = 0.4f;
}

void DistanceTest::Step(Settings* settings)
{
    Test::Step(settings);

    b2DistanceInput input;
    input.proxyA.Set(&m_boxA, 0);
    input.proxyB.Set(&m_polygonB, 0);
    input.transformA = m_transformA;
    input.transformB = m_poseB.GetTransform();
    input.useRadii = true;
    b2SimplexCache cache;
    cache.count = 0;
    b2Distance(&m_output, &cache, &input);

    DrawLine("distance = %g", m_output.distance);
    DrawLine("iterations = %d", m_output.iterations);

    const b2Color outline(0.9f, 0.9f, 0.9f);
    DrawShapeOutline(debugDraw, m_boxA, input.transformA, outline);
    DrawShapeOutline(debugDraw, m_polygonB, input.transformB, outline);

    const b2Color witness(1.0f, 0.0f, 0.0f);
    debugDraw.DrawPoint(m_output.pointA, 4.0f, witness);
    debugDraw.DrawPoint(m_output.pointB, 4.0f, witness);
    debugDraw.DrawSegment(m_output.pointA, m_output.pointB, b2Color(1.0f, 1.0f, 0.0f));
}

void DistanceTest::Keyboard(unsigned char key)
{
    m_poseB.Apply(key);
}
