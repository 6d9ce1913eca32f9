// A chain reaction: a pendulum knocks over a row of dominoes on a shelf, the last domino pushes
// a ball off the shelf onto a see-saw, and the see-saw flings a box into a second row.
#pragma once

#include "Framework/Test.h"

class Dominos : public Test
{
public:
    Dominos();
    static Test* Create();
};
