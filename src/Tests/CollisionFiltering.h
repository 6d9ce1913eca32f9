// Small and large triangles, boxes and circles sorted by collision filters: small shapes share
// a positive group and always collide, large ones share a negative group and pass through each
// other, and between sizes the categories decide: boxes ignore triangles. Two small shapes ride
// on their large counterparts on prismatic joints.
#pragma once

#include "Tests/RegisteredScene.h"

class CollisionFiltering : public RegisteredScene<CollisionFiltering>
{
public:
    CollisionFiltering();
};
