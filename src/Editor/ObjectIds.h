// Stable numbers for the world's bodies, fixtures and joints. The edit history names objects by
// number, not by address: the library reuses a freed address at once, and an object that undo
// builds again gets a new address but keeps its old number.
#pragma once

#include <box2d/box2d.h>

#include <unordered_map>
#include <vector>

class ObjectIds
{
public:
    // The object's number, given on first use.
    int of(b2Body* body) { return m_bodies.of(body); }
    int of(b2Fixture* fixture) { return m_fixtures.of(fixture); }
    int of(b2Joint* joint) { return m_joints.of(joint); }

    // The living object with that number, or null.
    b2Body* body(int id) const { return m_bodies.object(id); }
    b2Fixture* fixture(int id) const { return m_fixtures.object(id); }
    b2Joint* joint(int id) const { return m_joints.object(id); }

    // A rebuilt object takes over the number of the one it replaces.
    void rebind(int id, b2Body* body) { m_bodies.rebind(id, body); }
    void rebind(int id, b2Fixture* fixture) { m_fixtures.rebind(id, fixture); }
    void rebind(int id, b2Joint* joint) { m_joints.rebind(id, joint); }

    // The object is gone: its number names nothing until it is rebound.
    void forget(b2Body* body) { m_bodies.forget(body); }
    void forget(b2Fixture* fixture) { m_fixtures.forget(fixture); }
    void forget(b2Joint* joint) { m_joints.forget(joint); }

    void clear()
    {
        m_bodies = Table<b2Body>();
        m_fixtures = Table<b2Fixture>();
        m_joints = Table<b2Joint>();
    }

private:
    template <class Object>
    struct Table
    {
        std::unordered_map<Object*, int> ids;
        std::vector<Object*> objects;

        int of(Object* object)
        {
            auto found = ids.find(object);
            if (found != ids.end())
            {
                return found->second;
            }
            const int id = static_cast<int>(objects.size());
            objects.push_back(object);
            ids.emplace(object, id);
            return id;
        }

        Object* object(int id) const
        {
            return id >= 0 && id < static_cast<int>(objects.size()) ? objects[id] : nullptr;
        }

        void rebind(int id, Object* object)
        {
            if (id >= 0 && id < static_cast<int>(objects.size()))
            {
                objects[id] = object;
                ids[object] = id;
            }
        }

        void forget(Object* object)
        {
            auto found = ids.find(object);
            if (found != ids.end())
            {
                objects[found->second] = nullptr;
                ids.erase(found);
            }
        }
    };

    Table<b2Body> m_bodies;
    Table<b2Fixture> m_fixtures;
    Table<b2Joint> m_joints;
};
