// Shapes dropped on an edge ground; the fixtures overlapping a circle near the ground are
// highlighted every frame, and "a" takes every second dropped body out of the simulation and
// back.
#pragma once

#include "Tests/DroppingShapes.h"
#include "Tests/RegisteredScene.h"

#include <vector>

class PolyShapes : public RegisteredScene<PolyShapes, DroppingShapes>
{
public:
    PolyShapes();

    void Step(Settings* settings) override;
    void Keyboard(unsigned char key) override;
    void FixtureDestroyed(b2Fixture* fixture) override;

    // The fixtures found overlapping the query circle in the last step.
    const std::vector<b2Fixture*>& GetMarkedFixtures() const { return m_marked; }

protected:
    b2Vec2 DropPosition() override;

private:
    void ToggleEverySecondBody();
    void MarkOverlappingFixtures();

    b2CircleShape m_queryCircle;
    std::vector<b2Fixture*> m_marked;
};
