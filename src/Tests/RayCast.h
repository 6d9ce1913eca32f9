// Shapes dropped on an edge ground, with a rotating ray cast in one of three modes: closest hit,
// any hit, all hits ("m" cycles them).
#pragma once

#include "Tests/DroppingShapes.h"
#include "Tests/RegisteredScene.h"
#include "Tests/RotatingRay.h"

class RayCast : public RegisteredScene<RayCast, DroppingShapes>
{
public:
    RayCast();

    void Step(Settings* settings) override;
    void Keyboard(unsigned char key) override;

    const RotatingRay& GetRay() const { return m_ray; }

protected:
    b2Vec2 DropPosition() override;

private:
    RotatingRay m_ray;
};
