#include "WorldDoc/DocSink.h"

void DocSink::putFloat(const char* key, float value)
{
    if (value == 0.0f)
    {
        putInt(key, 0);
    }
    else if (value == 1.0f)
    {
        putInt(key, 1);
    }
    else
    {
        putHex(key, value);
    }
}

void DocSink::putVector(const char* key, const b2Vec2& v)
{
    if (v.x == 0.0f && v.y == 0.0f)
    {
        putInt(key, 0);
        return;
    }
    beginObject(key);
    putFloat("x", v.x);
    putFloat("y", v.y);
    endObject();
}

void DocSink::putComponent(const char* key, float value)
{
    if (value == 0.0f)
    {
        putInt(key, 0);
    }
    else
    {
        putHex(key, value);
    }
}

void DocSink::putVectorArray(const char* key, const b2Vec2* points, int count)
{
    const auto putComponents = [this, points, count](const char* axis, float b2Vec2::*component) {
        beginArray(axis);
        for (int i = 0; i < count; ++i)
        {
            putComponent(nullptr, points[i].*component);
        }
        endArray();
    };
    beginObject(key);
    putComponents("x", &b2Vec2::x);
    putComponents("y", &b2Vec2::y);
    endObject();
}
