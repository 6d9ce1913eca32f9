// The large scene the editor's benchmarks measure against: a grid of `columns` × `rows` bodies
// (a third static, a few disabled) 4 m apart, two fixtures each of every shape type in turn,
// and half as many joints as bodies (revolute, prismatic, distance, wheel and rope in turn)
// between neighbours. 100 × 100 gives 10,000 bodies, 20,000 fixtures and 5,000 joints.
#pragma once

#include <box2d/box2d.h>

#include <vector>

constexpr float k_largeSceneSpacing = 4.0f;

// Fills `world` and returns its bodies in the order they were made.
std::vector<b2Body*> BuildLargeScene(b2World* world, int columns, int rows);
