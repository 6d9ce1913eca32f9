#include "Physics/JointRecord.h"

#include "Physics/FloatBits.h"

#include <cstdint>
#include <cstring>

namespace Physics
{

namespace
{

static_assert(sizeof(uintptr_t) >= 2 * sizeof(uint32_t), "joint user data holds two floats");

// The frequency occupies the high half, the ratio the low half. A rope is marked by a NaN
// pattern in the frequency half: frequencies reach a joint only through the guards, which
// refuse non-finite values, so no real frequency has this pattern.
constexpr uint32_t k_ropePattern = 0x7FC0A9E5u;

uintptr_t Pack(uint32_t high, uint32_t low)
{
    return (static_cast<uintptr_t>(high) << 32) | low;
}

uintptr_t& UserData(const b2Joint* joint)
{
    // The library offers only a non-const accessor; reading through it changes nothing.
    return const_cast<b2Joint*>(joint)->GetUserData().pointer;
}

}  // namespace

JointRecord ReadJointRecord(const b2Joint* joint)
{
    const uintptr_t packed = UserData(joint);
    const uint32_t high = static_cast<uint32_t>(packed >> 32);
    JointRecord record;
    if (high == k_ropePattern)
    {
        record.rope = true;
        return record;
    }
    record.frequencyHz = FloatFromBits(high);
    record.dampingRatio = FloatFromBits(static_cast<uint32_t>(packed));
    return record;
}

void RecordSpring(b2Joint* joint, float frequencyHz, float dampingRatio)
{
    UserData(joint) = Pack(FloatBits(frequencyHz), FloatBits(dampingRatio));
}

void RecordRope(b2Joint* joint)
{
    UserData(joint) = Pack(k_ropePattern, 0u);
}

}  // namespace Physics
