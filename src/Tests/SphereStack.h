// A column of balls standing on each other on an edge ground.
#pragma once

#include "Framework/Test.h"

class SphereStack : public Test
{
public:
    SphereStack();
    static Test* Create();
};
