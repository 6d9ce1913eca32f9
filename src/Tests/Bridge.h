// A bridge of planks hinged to each other and to two ground anchors, loaded with a few
// polygons and circles.
#pragma once

#include "Framework/Test.h"

class Bridge : public Test
{
public:
    Bridge();
    static Test* Create();
};
