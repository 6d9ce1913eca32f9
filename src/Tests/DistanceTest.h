// The distance between a box and a polygon moved by keys (shapes outside the world), with the
// closest points on each, recomputed and drawn every frame. The (empty) world steps as in every
// scene, so bombs fly and the overlays work.
#pragma once

#include "Tests/RegisteredScene.h"
#include "Tests/KeyedPose.h"

#include <box2d/b2_distance.h>

class DistanceTest : public RegisteredScene<DistanceTest>
{
public:
    DistanceTest();

    void Step(Settings* settings) override;
    void Keyboard(unsigned char key) override;

    const KeyedPose& GetPoseB() const { return m_poseB; }
    // The result of the last frame's computation.
    const b2DistanceOutput& GetOutput() const { return m_output; }

private:
    b2PolygonShape m_boxA;
    b2PolygonShape m_polygonB;
    b2Transform m_transformA;
    KeyedPose m_poseB;
    b2DistanceOutput m_output{};
};
