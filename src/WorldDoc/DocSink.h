// Receives a scene document value by value, so that one writer can either build a JSON tree
// (b2j) or lay the text out directly (writeToString, writeToFile) without a tree in between.
//
// Members of an object must arrive in ascending byte order of their keys: that is the order
// in which JsonCpp keeps and prints them, and a text sink writes members as they come.
// Keys are string literals (or otherwise outlive the sink).
#pragma once

#include <box2d/box2d.h>

#include <string>

class DocSink
{
public:
    virtual ~DocSink() = default;

    // `key` names the member of the enclosing object; null for the root and array elements.
    virtual void beginObject(const char* key) = 0;
    virtual void endObject() = 0;
    virtual void beginArray(const char* key) = 0;
    virtual void endArray() = 0;

    // `comment` (null for none) goes after the value on the same line, as "//dynamic".
    virtual void putInt(const char* key, int value, const char* comment) = 0;
    virtual void putBool(const char* key, bool value) = 0;
    virtual void putReal(const char* key, double value) = 0;
    virtual void putString(const char* key, const std::string& value) = 0;
    // The eight-digit hex string of the float's bit pattern.
    virtual void putHex(const char* key, float value) = 0;

    void putInt(const char* key, int value) { putInt(key, value, nullptr); }
    // The format's float value: 0, 1 or the hex string.
    void putFloat(const char* key, float value);
    // The format's vector value: 0 for the zero vector, otherwise {"x", "y"}.
    void putVector(const char* key, const b2Vec2& v);
    // An element of a vertex list: 0 or the hex string (1 is not special there).
    void putComponent(const char* key, float value);
    // A vertex list: {"x": [...], "y": [...]} with elements 0 or hex (1 is not special).
    void putVectorArray(const char* key, const b2Vec2* points, int count);
};
