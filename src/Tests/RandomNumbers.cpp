#include "Tests/RandomNumbers.h"

#include <cstdlib>

float RandomFloat(float lo, float hi)
{
    float unit = static_cast<float>(std::rand() & 0x7FFF) / 32767.0f;
    return lo + (hi - lo) * unit;
}
