// Reads the members of one JSON object by the scene format's rules without trusting their JSON
// types. A member of the wrong type or with a malformed value reads as the fallback and leaves a
// description of the problem; the first problem is kept so that the caller can skip the object
// and say why. Absent and null members read as the fallback without a problem.
//
// The members are indexed once, in a single walk over the object, so that the many lookups of a
// body or joint compare a few lengths and characters instead of searching the object's tree.
#pragma once

#include <box2d/box2d.h>
#include <json/json.h>

#include <cstddef>
#include <string>
#include <vector>

class MemberReader
{
public:
    // `object` must be a JSON object and outlive the reader.
    explicit MemberReader(const Json::Value& object);

    // Present and not null.
    bool has(const char* key) const;

    float getFloat(const char* key, float fallback = 0.0f);
    b2Vec2 getVector(const char* key, const b2Vec2& fallback = b2Vec2_zero);
    bool getBool(const char* key, bool fallback = false);
    // A flag and the vector that exists only when the flag is set: reads `vectorKey` into
    // `vector` only then, and returns the flag.
    bool getFlaggedVector(const char* flagKey, const char* vectorKey, b2Vec2& vector);
    int getInt(const char* key, int fallback, int lowest, int highest);
    std::string getString(const char* key);
    // Null when absent; also null, with a problem, when the member is of another type.
    const Json::Value* getObject(const char* key);
    const Json::Value* getArray(const char* key);
    // A vertex list: an object of parallel "x" and "y" arrays of float values. Replaces the
    // contents of `points`; an absent member gives no points.
    void getVectorArray(const char* key, std::vector<b2Vec2>& points);

    bool ok() const { return m_problem.empty(); }
    const std::string& problem() const { return m_problem; }
    // Records `problem` unless an earlier one is already recorded.
    void fail(const std::string& problem);
    void clearProblem() { m_problem.clear(); }

private:
    // The member, when present and not null.
    const Json::Value* find(const char* key) const;
    void failMember(const char* key, const char* what);
    // The member when it is absent or of the kind `isKind` accepts; otherwise null and a problem.
    const Json::Value* getOfKind(const char* key, bool (Json::Value::*isKind)() const, const char* kindProblem);

    const Json::Value& m_object;
    std::string m_problem;
    struct Member
    {
        const char* name;
        std::size_t length;
        const Json::Value* value;
    };
    // Objects of the scene format have far fewer members; larger ones are searched directly.
    static constexpr std::size_t k_indexSize = 32;
    Member m_index[k_indexSize];
    std::size_t m_indexed = 0;
    bool m_complete = false;
};

// The elements of `array` (which may be null) up to its first null element. Returns the index
// of that null element when later elements are cut off by it, otherwise -1.
int LeadingElements(const Json::Value* array, std::vector<const Json::Value*>& elements);
