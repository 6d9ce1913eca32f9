#include "WorldDoc/MemberReader.h"

#include "WorldDoc/FloatEncoding.h"

#include <cstring>

MemberReader::MemberReader(const Json::Value& object) : m_object(object)
{
    if (!object.isObject() || object.size() > k_indexSize)
    {
        return;
    }
    for (Json::Value::const_iterator it = object.begin(), end = object.end(); it != end; ++it)
    {
        const char* nameEnd = nullptr;
        const char* name = it.memberName(&nameEnd);
        m_index[m_indexed++] = Member{name, static_cast<std::size_t>(nameEnd - name), &*it};
    }
    m_complete = true;
}

const Json::Value* MemberReader::find(const char* key) const
{
    if (!m_complete)
    {
        return FindMember(m_object, key);
    }
    const std::size_t length = std::strlen(key);
    for (std::size_t i = 0; i < m_indexed; ++i)
    {
        const Member& member = m_index[i];
        if (member.length == length && member.name[0] == key[0] && std::memcmp(member.name, key, length) == 0)
        {
            return member.value->isNull() ? nullptr : member.value;
        }
    }
    return nullptr;
}

bool MemberReader::has(const char* key) const
{
    return find(key) != nullptr;
}

void MemberReader::fail(const std::string& problem)
{
    if (m_problem.empty())
    {
        m_problem = problem;
    }
}

void MemberReader::failMember(const char* key, const char* what)
{
    if (m_problem.empty())
    {
        m_problem = std::string("\"") + key + "\" " + what;
    }
}

float MemberReader::getFloat(const char* key, float fallback)
{
    const Json::Value* member = find(key);
    float f = fallback;
    if (member && !DecodeFloat(*member, f))
    {
        failMember(key, member->isString() ? "is not eight hex digits" : "is not a number");
        return fallback;
    }
    return f;
}

b2Vec2 MemberReader::getVector(const char* key, const b2Vec2& fallback)
{
    const Json::Value* member = find(key);
    b2Vec2 v = fallback;
    if (member && !DecodeVector(*member, v))
    {
        failMember(key, "is not a vector (0 or an object of \"x\" and \"y\" numbers)");
        return fallback;
    }
    return v;
}

bool MemberReader::getBool(const char* key, bool fallback)
{
    const Json::Value* member = find(key);
    if (!member)
    {
        return fallback;
    }
    if (!member->isBool() && !member->isNumeric())
    {
        failMember(key, "is not true or false");
        return fallback;
    }
    return member->asBool();
}

bool MemberReader::getFlaggedVector(const char* flagKey, const char* vectorKey, b2Vec2& vector)
{
    const bool flag = getBool(flagKey);
    if (flag)
    {
        vector = getVector(vectorKey);
    }
    return flag;
}

int MemberReader::getInt(const char* key, int fallback, int lowest, int highest)
{
    const Json::Value* member = find(key);
    if (!member)
    {
        return fallback;
    }
    if (!member->isIntegral())
    {
        failMember(key, "is not an integer");
        return fallback;
    }
    if (!member->isInt() || member->asInt() < lowest || member->asInt() > highest)
    {
        const std::string range = std::to_string(lowest) + " to " + std::to_string(highest);
        failMember(key, ("is outside " + range).c_str());
        return fallback;
    }
    return member->asInt();
}

std::string MemberReader::getString(const char* key)
{
    const Json::Value* member = find(key);
    if (!member)
    {
        return std::string();
    }
    if (!member->isString())
    {
        failMember(key, "is not a string");
        return std::string();
    }
    return member->asString();
}

const Json::Value* MemberReader::getOfKind(const char* key, bool (Json::Value::*isKind)() const,
                                           const char* kindProblem)
{
    const Json::Value* member = find(key);
    if (member && !(member->*isKind)())
    {
        failMember(key, kindProblem);
        return nullptr;
    }
    return member;
}

const Json::Value* MemberReader::getObject(const char* key)
{
    return getOfKind(key, &Json::Value::isObject, "is not an object");
}

const Json::Value* MemberReader::getArray(const char* key)
{
    return getOfKind(key, &Json::Value::isArray, "is not an array");
}

void MemberReader::getVectorArray(const char* key, std::vector<b2Vec2>& points)
{
    points.clear();
    const Json::Value* member = getObject(key);
    if (!member)
    {
        return;
    }
    MemberReader arrays(*member);
    const Json::Value* xs = arrays.getArray("x");
    const Json::Value* ys = arrays.getArray("y");
    if (!arrays.ok())
    {
        fail("\"" + std::string(key) + "\": " + arrays.problem());
        return;
    }
    const Json::ArrayIndex count = xs ? xs->size() : 0;
    if ((ys ? ys->size() : 0) != count)
    {
        failMember(key, "has \"x\" and \"y\" arrays of different lengths");
        return;
    }
    // Elements absent from a sparse array, and null ones, read 0 as an absent float does.
    points.assign(count, b2Vec2_zero);
    const auto decode = [this, key, &points](const Json::Value* array, float b2Vec2::*component) {
        for (Json::Value::const_iterator it = array->begin(), end = array->end(); it != end; ++it)
        {
            const Json::ArrayIndex i = it.index();
            if (!it->isNull() && !DecodeFloat(*it, points[i].*component))
            {
                fail("\"" + std::string(key) + "\": element " + std::to_string(i) + " is not a number");
                return false;
            }
        }
        return true;
    };
    if (count > 0 && (!decode(xs, &b2Vec2::x) || !decode(ys, &b2Vec2::y)))
    {
        points.clear();
    }
}

int LeadingElements(const Json::Value* array, std::vector<const Json::Value*>& elements)
{
    elements.clear();
    if (!array)
    {
        return -1;
    }
    const Json::ArrayIndex size = array->size();
    elements.reserve(size);
    for (const Json::Value& element : *array)
    {
        if (element.isNull())
        {
            const bool laterElements = elements.size() + 1 < size;
            return laterElements ? static_cast<int>(elements.size()) : -1;
        }
        elements.push_back(&element);
    }
    return -1;
}
