#include "Tests/CollisionCounters.h"

#include <box2d/box2d.h>

// The library still defines and exports these globals (b2Distance and b2TimeOfImpact update
// them) but its 2.4 headers no longer declare them.
extern B2_API int32 b2_gjkCalls, b2_gjkIters, b2_gjkMaxIters;
extern B2_API int32 b2_toiCalls, b2_toiIters, b2_toiMaxIters;
extern B2_API int32 b2_toiRootIters, b2_toiMaxRootIters;

CollisionCounters ReadCollisionCounters()
{
    return {b2_gjkCalls, b2_gjkIters,    b2_gjkMaxIters, b2_toiCalls,
            b2_toiIters, b2_toiMaxIters, b2_toiRootIters, b2_toiMaxRootIters};
}

void ResetCollisionCounters()
{
    b2_gjkCalls = b2_gjkIters = b2_gjkMaxIters = 0;
    b2_toiCalls = b2_toiIters = b2_toiMaxIters = 0;
    b2_toiRootIters = b2_toiMaxRootIters = 0;
}
