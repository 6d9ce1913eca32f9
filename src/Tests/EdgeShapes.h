// Shapes dropped on a wavy terrain of edges, with a rotating ray that stops at the closest hit.
#pragma once

#include "Tests/DroppingShapes.h"
#include "Tests/RegisteredScene.h"
#include "Tests/RotatingRay.h"

class EdgeShapes : public RegisteredScene<EdgeShapes, DroppingShapes>
{
public:
    EdgeShapes();

    void Step(Settings* settings) override;

    const RotatingRay& GetRay() const { return m_ray; }

protected:
    b2Vec2 DropPosition() override;

private:
    RotatingRay m_ray;
};
