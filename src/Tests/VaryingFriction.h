// Boxes of different friction set on a zigzag of ramps: the rough ones stay put, the slippery
// ones slide from ramp to ramp down to the ground.
#pragma once

#include "Tests/RegisteredScene.h"

class VaryingFriction : public RegisteredScene<VaryingFriction>
{
public:
    VaryingFriction();
};
