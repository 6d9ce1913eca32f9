#include "WorldDoc/JsonBuilder.h"

#include "WorldDoc/FloatEncoding.h"

JsonBuilder::JsonBuilder(Json::Value& root) : m_root(root) {}

Json::Value& JsonBuilder::slot(const char* key)
{
    if (m_open.empty())
    {
        return m_root;
    }
    Json::Value& container = *m_open.back();
    return key ? container[key] : container.append(Json::Value());
}

void JsonBuilder::beginObject(const char* key)
{
    m_open.push_back(&(slot(key) = Json::Value(Json::objectValue)));
}

void JsonBuilder::endObject()
{
    m_open.pop_back();
}

void JsonBuilder::beginArray(const char* key)
{
    m_open.push_back(&(slot(key) = Json::Value(Json::arrayValue)));
}

void JsonBuilder::endArray()
{
    m_open.pop_back();
}

void JsonBuilder::putInt(const char* key, int value, const char* comment)
{
    Json::Value& member = slot(key) = value;
    if (comment)
    {
        member.setComment(std::string(comment), Json::commentAfterOnSameLine);
    }
}

void JsonBuilder::putBool(const char* key, bool value)
{
    slot(key) = value;
}

void JsonBuilder::putReal(const char* key, double value)
{
    slot(key) = value;
}

void JsonBuilder::putString(const char* key, const std::string& value)
{
    slot(key) = value;
}

void JsonBuilder::putHex(const char* key, float value)
{
    char digits[k_hexDigits + 1];
    FormatHex(value, digits);
    slot(key) = Json::Value(digits, digits + k_hexDigits);
}
