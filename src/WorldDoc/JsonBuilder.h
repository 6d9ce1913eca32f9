// A DocSink that builds a Json::Value tree: the form b2j hands out for the clipboard and for
// copies of bodies.
#pragma once

#include "WorldDoc/DocSink.h"

#include <json/json.h>

#include <vector>

class JsonBuilder : public DocSink
{
public:
    // The first value put without an enclosing container becomes `root`.
    explicit JsonBuilder(Json::Value& root);

    void beginObject(const char* key) override;
    void endObject() override;
    void beginArray(const char* key) override;
    void endArray() override;
    void putInt(const char* key, int value, const char* comment) override;
    void putBool(const char* key, bool value) override;
    void putReal(const char* key, double value) override;
    void putString(const char* key, const std::string& value) override;
    void putHex(const char* key, float value) override;
    using DocSink::putInt;

private:
    // Where the next value goes: the named member of the open object, a new element of the
    // open array, or the root.
    Json::Value& slot(const char* key);

    Json::Value& m_root;
    std::vector<Json::Value*> m_open;
};
