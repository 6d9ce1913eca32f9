// No simulation: the contact manifold of two boxes, one of them moved by keys, recomputed and
// drawn every frame.
#pragma once

#include "Tests/RegisteredScene.h"
#include "Tests/KeyedPose.h"

class PolyCollision : public RegisteredScene<PolyCollision>
{
public:
    PolyCollision();

    void Step(Settings* settings) override;
    void Keyboard(unsigned char key) override;

    const KeyedPose& GetPoseB() const { return m_poseB; }
    // Contact points found in the last frame.
    int GetPointCount() const { return m_pointCount; }

private:
    b2PolygonShape m_boxA;
    b2PolygonShape m_boxB;
    b2Transform m_transformA;
    KeyedPose m_poseB;
    int m_pointCount = 0;
};
