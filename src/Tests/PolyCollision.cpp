#include "Tests/PolyCollision.h"

#include "Tests/ShapeOutline.h"

PolyCollision::PolyCollision()
{
    m_boxA.SetAsBox(4.0f, 2.0f);
    m_transformA = b2Transform(b2Vec2(0.0f, 20.0f), b2Rot(0.0f));

    // Starts overlapping a corner of box A, so the first frame already shows contact points.
    m_boxB.SetAsBox(2.0f, 2.0f);
    m_poseB.position.Set(5.0f, 23.0f);
    m_poseB.angle = 0.6f;
}

void PolyCollision::Step(Settings*)
{
    b2Transform transformB = m_poseB.GetTransform();
    b2Manifold manifold;
    b2CollidePolygons(&manifold, &m_boxA, m_transformA, &m_boxB, transformB);
    m_pointCount = manifold.pointCount;

    b2WorldManifold worldManifold;
    worldManifold.Initialize(&manifold, m_transformA, m_boxA.m_radius, transformB, m_boxB.m_radius);

    DrawLine("point count = %d", m_pointCount);

    const b2Color outline(0.9f, 0.9f, 0.9f);
    DrawShapeOutline(debugDraw, m_boxA, m_transformA, outline);
    DrawShapeOutline(debugDraw, m_boxB, transformB, outline);
    for (int32 i = 0; i < m_pointCount; ++i)
    {
        debugDraw.DrawPoint(worldManifold.points[i], 4.0f, b2Color(0.9f, 0.3f, 0.3f));
    }
}

void PolyCollision::Keyboard(unsigned char key)
{
    m_poseB.Apply(key);
}
