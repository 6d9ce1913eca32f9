// A column of balls standing on each other on an edge ground.
#pragma once

#include "Tests/RegisteredScene.h"

class SphereStack : public RegisteredScene<SphereStack>
{
public:
    SphereStack();
};
