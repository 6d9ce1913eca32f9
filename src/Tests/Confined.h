// Circles piled up inside a closed box of edges; "c" adds one at a random place inside.
#pragma once

#include "Tests/RegisteredScene.h"

class Confined : public RegisteredScene<Confined>
{
public:
    Confined();

    void Step(Settings* settings) override;
    void Keyboard(unsigned char key) override;

    // The inside of the box.
    static b2AABB Interior();

private:
    void CreateCircle(const b2Vec2& position);
};
