// Names of a world's bodies, fixtures and joints, kept for as long as the world: read with a
// scene, given in the editor, written when the scene is saved. The physics objects have no name
// field, so names live beside them, keyed by object pointer; the host removes an entry the moment
// its object is destroyed, so that a new object at a reused address never inherits a name.
#pragma once

#include <box2d/box2d.h>

#include <map>
#include <string>

class WorldDoc;

struct ObjectNames
{
    std::map<b2Body*, std::string> bodyNames;
    std::map<b2Fixture*, std::string> fixtureNames;
    std::map<b2Joint*, std::string> jointNames;

    // Gives the object `name`; an empty name removes its entry.
    void set(b2Body* body, const std::string& name) { Set(bodyNames, body, name); }
    void set(b2Fixture* fixture, const std::string& name) { Set(fixtureNames, fixture, name); }
    void set(b2Joint* joint, const std::string& name) { Set(jointNames, joint, name); }

    void forget(b2Body* body) { bodyNames.erase(body); }
    void forget(b2Fixture* fixture) { fixtureNames.erase(fixture); }
    void forget(b2Joint* joint) { jointNames.erase(joint); }
    void clear();

    // Every named object of the document gets that name here; other entries stay.
    void takeFrom(WorldDoc& doc);
    // Every entry here is set in the document, replacing what it had for the same object.
    void giveTo(WorldDoc& doc) const;

private:
    template <class Object>
    static void Set(std::map<Object*, std::string>& names, Object* object, const std::string& name)
    {
        if (name.empty())
        {
            names.erase(object);
        }
        else
        {
            names[object] = name;
        }
    }
};
