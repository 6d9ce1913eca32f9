// The IEEE-754 bit pattern of a single-precision float, and back: how stored frequencies and
// scene-file floats keep their exact values.
#pragma once

#include <cstdint>
#include <cstring>

namespace Physics
{

inline uint32_t FloatBits(float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

inline float FloatFromBits(uint32_t bits)
{
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

}  // namespace Physics
