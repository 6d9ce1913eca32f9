#include "WorldDoc/WorldDoc.h"

// Names live in maps keyed by object pointer; "first" means first in pointer order.
namespace
{

template <typename Object>
void SetName(std::map<Object*, std::string>& names, Object* object, const char* name)
{
    names[object] = name ? name : "";
}

template <typename Object>
std::string NameOf(const std::map<Object*, std::string>& names, Object* object)
{
    const auto it = names.find(object);
    return it == names.end() ? std::string() : it->second;
}

template <typename Object>
Object* FirstNamed(const std::map<Object*, std::string>& names, const std::string& name)
{
    for (const auto& entry : names)
    {
        if (entry.second == name)
        {
            return entry.first;
        }
    }
    return nullptr;
}

template <typename Object>
int AllNamed(const std::map<Object*, std::string>& names, const std::string& name, std::vector<Object*>& objects)
{
    for (const auto& entry : names)
    {
        if (entry.second == name)
        {
            objects.push_back(entry.first);
        }
    }
    return static_cast<int>(objects.size());
}

template <typename Object>
int AllNames(const std::map<Object*, std::string>& names, std::vector<std::string>& out)
{
    for (const auto& entry : names)
    {
        out.push_back(entry.second);
    }
    return static_cast<int>(out.size());
}

}  // namespace

void WorldDoc::setBodyName(b2Body* body, const char* name)
{
    SetName(m_bodyToNameMap, body, name);
}

void WorldDoc::setFixtureName(b2Fixture* fixture, const char* name)
{
    SetName(m_fixtureToNameMap, fixture, name);
}

void WorldDoc::setJointName(b2Joint* joint, const char* name)
{
    SetName(m_jointToNameMap, joint, name);
}

std::string WorldDoc::getBodyName(b2Body* body)
{
    return NameOf(m_bodyToNameMap, body);
}

std::string WorldDoc::getFixtureName(b2Fixture* fixture)
{
    return NameOf(m_fixtureToNameMap, fixture);
}

std::string WorldDoc::getJointName(b2Joint* joint)
{
    return NameOf(m_jointToNameMap, joint);
}

b2Body* WorldDoc::getBodyByName(const std::string& name)
{
    return FirstNamed(m_bodyToNameMap, name);
}

b2Fixture* WorldDoc::getFixtureByName(const std::string& name)
{
    return FirstNamed(m_fixtureToNameMap, name);
}

b2Joint* WorldDoc::getJointByName(const std::string& name)
{
    return FirstNamed(m_jointToNameMap, name);
}

int WorldDoc::getBodiesByName(const std::string& name, std::vector<b2Body*>& bodies)
{
    return AllNamed(m_bodyToNameMap, name, bodies);
}

int WorldDoc::getFixturesByName(const std::string& name, std::vector<b2Fixture*>& fixtures)
{
    return AllNamed(m_fixtureToNameMap, name, fixtures);
}

int WorldDoc::getJointsByName(const std::string& name, std::vector<b2Joint*>& joints)
{
    return AllNamed(m_jointToNameMap, name, joints);
}

int WorldDoc::getAllBodyNames(std::vector<std::string>& names)
{
    return AllNames(m_bodyToNameMap, names);
}

int WorldDoc::getAllFixtureNames(std::vector<std::string>& names)
{
    return AllNames(m_fixtureToNameMap, names);
}

int WorldDoc::getAllJointNames(std::vector<std::string>& names)
{
    return AllNames(m_jointToNameMap, names);
}
