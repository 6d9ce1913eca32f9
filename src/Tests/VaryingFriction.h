// Boxes of different friction set on a zigzag of ramps: the rough ones stay put, the slippery
// ones slide from ramp to ramp down to the ground.
#pragma once

#include "Framework/Test.h"

class VaryingFriction : public Test
{
public:
    VaryingFriction();
    static Test* Create();
};
