// Bodies built from several fixtures each: T-shaped pairs of boxes, boats of a polygon hull,
// a box mast and a triangle sail, and a bucket of three boxes that catches dumbbells of two
// circles.
#pragma once

#include "Tests/RegisteredScene.h"

class CompoundShapes : public RegisteredScene<CompoundShapes>
{
public:
    CompoundShapes();
};
