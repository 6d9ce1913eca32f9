// A bridge of planks hinged to each other and to two ground anchors, loaded with a few
// polygons and circles.
#pragma once

#include "Tests/RegisteredScene.h"

class Bridge : public RegisteredScene<Bridge>
{
public:
    Bridge();
};
