// A pyramid of 210 boxes, twenty rows high, resting on an edge ground.
#pragma once

#include "Tests/RegisteredScene.h"

class Pyramid : public RegisteredScene<Pyramid>
{
public:
    static constexpr int k_baseCount = 20;

    Pyramid();
};
