// A pyramid of 210 boxes, twenty rows high, resting on an edge ground.
#pragma once

#include "Framework/Test.h"

class Pyramid : public Test
{
public:
    static constexpr int k_baseCount = 20;

    static Test* Create();
    Pyramid();
};
