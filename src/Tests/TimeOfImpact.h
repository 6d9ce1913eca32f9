// Two boxes sweeping through space outside the (empty) world, a long bar drifting slowly and a
// square flying and tumbling across it. Every frame computes when they first touch and draws the
// bar at the start and at that time, and the square at the start, at that time and at the end.
// The world itself steps as in every scene, so bombs fly and the overlays work.
#pragma once

#include "Tests/RegisteredScene.h"

#include <box2d/b2_time_of_impact.h>

class TimeOfImpact : public RegisteredScene<TimeOfImpact>
{
public:
    TimeOfImpact();

    void Step(Settings* settings) override;

    // The result of the last frame's computation.
    const b2TOIOutput& GetOutput() const { return m_output; }

private:
    b2PolygonShape m_bar;
    b2PolygonShape m_square;
    b2Sweep m_sweepBar;
    b2Sweep m_sweepSquare;
    b2TOIOutput m_output{};
};
