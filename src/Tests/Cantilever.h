// Rows of planks welded end to end: stiff and springy cantilevers sticking out from a fixed
// point, stiff and springy bridges fixed at both ends, and a free welded beam, with triangles
// and circles dropped on them.
#pragma once

#include "Tests/RegisteredScene.h"

class Cantilever : public RegisteredScene<Cantilever>
{
public:
    Cantilever();

private:
    // Welds `count` planks into a row running right from `leftEnd`. The first is welded to
    // `start` and the last to `end` when those are given; a positive `frequencyHz` makes the
    // welds springs.
    void AddWeldedRow(b2Body* start, b2Body* end, const b2Vec2& leftEnd, int count, float frequencyHz);
};
