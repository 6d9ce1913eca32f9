#include "WorldDoc/WorldDoc.h"

#include "WorldDoc/FloatEncoding.h"
#include "WorldDoc/JsonBuilder.h"

void WorldDoc::floatToJson(const char* name, float f, Json::Value& value)
{
    JsonBuilder(value[name]).putFloat(nullptr, f);
}

void WorldDoc::vecToJson(const char* name, b2Vec2 vec, Json::Value& value, int index)
{
    if (index < 0)
    {
        JsonBuilder(value[name]).putVector(nullptr, vec);
        return;
    }
    Json::Value& array = value[name];
    JsonBuilder(array["x"][index]).putComponent(nullptr, vec.x);
    JsonBuilder(array["y"][index]).putComponent(nullptr, vec.y);
}

std::string WorldDoc::floatToHex(float f)
{
    char digits[k_hexDigits + 1];
    FormatHex(f, digits);
    return digits;
}

bool WorldDoc::hexToFloat(const std::string& str, float& out)
{
    return ParseHex(str.data(), str.size(), out);
}

float WorldDoc::jsonToFloat(const char* name, const Json::Value& value, float defaultValue)
{
    const Json::Value* member = FindMember(value, name);
    float f = defaultValue;
    return member && DecodeFloat(*member, f) ? f : defaultValue;
}

b2Vec2 WorldDoc::jsonToVec(const char* name, const Json::Value& value, int index, b2Vec2 defaultValue)
{
    const Json::Value* member = FindMember(value, name);
    if (!member)
    {
        return defaultValue;
    }
    b2Vec2 v = defaultValue;
    if (index < 0)
    {
        return DecodeVector(*member, v) ? v : defaultValue;
    }
    // A missing or unreadable element of the vertex arrays reads 0.
    const auto component = [member, index](const char* axis) {
        const Json::Value* array = FindMember(*member, axis);
        float f = 0.0f;
        if (array && array->isArray() && static_cast<Json::ArrayIndex>(index) < array->size())
        {
            DecodeFloat((*array)[static_cast<Json::ArrayIndex>(index)], f);
        }
        return f;
    };
    return b2Vec2(component("x"), component("y"));
}
