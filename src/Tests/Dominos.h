// A chain reaction: a pendulum knocks over a row of dominoes on a shelf, the last domino pushes
// a ball off the shelf, the ball rolls down a ramp into a second row, and the last domino of
// that row tips a see-saw.
#pragma once

#include "Tests/RegisteredScene.h"

class Dominos : public RegisteredScene<Dominos>
{
public:
    Dominos();
};
