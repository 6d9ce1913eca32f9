#include "WorldDoc/FloatEncoding.h"

#include "Physics/FloatBits.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace
{

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
    {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F')
    {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f')
    {
        return c - 'a' + 10;
    }
    return -1;
}

// Reals beyond the float range become infinities instead of an undefined conversion.
float RoundToFloat(double d)
{
    if (std::isfinite(d) && std::fabs(d) > std::numeric_limits<float>::max())
    {
        const float infinity = std::numeric_limits<float>::infinity();
        return d > 0.0 ? infinity : -infinity;
    }
    return static_cast<float>(d);
}

}  // namespace

void FormatHex(float f, char out[k_hexDigits + 1])
{
    static const char k_digits[] = "0123456789ABCDEF";
    uint32_t bits = Physics::FloatBits(f);
    for (std::size_t i = k_hexDigits; i-- > 0;)
    {
        out[i] = k_digits[bits & 0xFu];
        bits >>= 4;
    }
    out[k_hexDigits] = '\0';
}

bool ParseHex(const char* text, std::size_t length, float& out)
{
    if (length != k_hexDigits)
    {
        return false;
    }
    uint32_t bits = 0;
    for (std::size_t i = 0; i < k_hexDigits; ++i)
    {
        const int digit = HexDigitValue(text[i]);
        if (digit < 0)
        {
            return false;
        }
        bits = (bits << 4) | static_cast<uint32_t>(digit);
    }
    out = Physics::FloatFromBits(bits);
    return true;
}

bool DecodeFloat(const Json::Value& value, float& out)
{
    switch (value.type())
    {
    case Json::intValue:
    case Json::uintValue:
        out = value.asFloat();
        return true;
    case Json::realValue:
        out = RoundToFloat(value.asDouble());
        return true;
    case Json::stringValue:
    {
        const char* begin = nullptr;
        const char* end = nullptr;
        return value.getString(&begin, &end) && ParseHex(begin, static_cast<std::size_t>(end - begin), out);
    }
    default:
        return false;
    }
}

bool DecodeVector(const Json::Value& value, b2Vec2& out)
{
    if (value.type() == Json::intValue || value.type() == Json::uintValue)
    {
        out.SetZero();
        return true;
    }
    if (!value.isObject())
    {
        return false;
    }
    // One walk over the members instead of two searches: vectors are the most common values.
    b2Vec2 v(0.0f, 0.0f);
    for (Json::Value::const_iterator it = value.begin(), end = value.end(); it != end; ++it)
    {
        const char* nameEnd = nullptr;
        const char* name = it.memberName(&nameEnd);
        float* component = nameEnd - name != 1 ? nullptr : (*name == 'x' ? &v.x : (*name == 'y' ? &v.y : nullptr));
        if (component && !it->isNull() && !DecodeFloat(*it, *component))
        {
            return false;
        }
    }
    out = v;
    return true;
}

const Json::Value* FindMember(const Json::Value& object, const char* key)
{
    if (!object.isObject())
    {
        return nullptr;
    }
    const Json::Value* member = object.find(key, key + std::strlen(key));
    return member && !member->isNull() ? member : nullptr;
}

