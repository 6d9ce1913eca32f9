// A chain of links hinged to each other, hanging from a ground pivot.
#pragma once

#include "Tests/RegisteredScene.h"

class Chain : public RegisteredScene<Chain>
{
public:
    Chain();
};
