// The physics library's running counts of distance (GJK) and time-of-impact computations,
// since the start of the program or the last reset.
#pragma once

struct CollisionCounters
{
    int gjkCalls;
    int gjkIters;
    int gjkMaxIters;
    int toiCalls;
    int toiIters;
    int toiMaxIters;
    int toiRootIters;
    int toiMaxRootIters;
};

CollisionCounters ReadCollisionCounters();
void ResetCollisionCounters();
