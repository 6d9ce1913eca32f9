// A chain of links hinged to each other, hanging from a ground pivot.
#pragma once

#include "Framework/Test.h"

class Chain : public Test
{
public:
    Chain();
    static Test* Create();
};
