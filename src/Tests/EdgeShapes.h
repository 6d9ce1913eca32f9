// Shapes dropped on a wavy terrain of edges, with a rotating ray that stops at the closest hit.
#pragma once

#include "Tests/DroppingShapes.h"
#include "Tests/RotatingRay.h"

class EdgeShapes : public DroppingShapes
{
public:
    static Test* Create();
    EdgeShapes();

    void Step(Settings* settings) override;

    const RotatingRay& GetRay() const { return m_ray; }

protected:
    b2Vec2 DropPosition() override;

private:
    RotatingRay m_ray;
};
