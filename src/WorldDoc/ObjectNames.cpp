#include "WorldDoc/ObjectNames.h"

#include "WorldDoc/WorldDoc.h"

#include <vector>

namespace
{

// Copies the document's names of one kind, looked up name by name as the document lists them.
template <typename Object>
void TakeNames(std::map<Object*, std::string>& names, int (WorldDoc::*allNames)(std::vector<std::string>&),
               int (WorldDoc::*objectsNamed)(const std::string&, std::vector<Object*>&), WorldDoc& doc)
{
    std::vector<std::string> listed;
    (doc.*allNames)(listed);
    for (const std::string& name : listed)
    {
        std::vector<Object*> objects;
        (doc.*objectsNamed)(name, objects);
        for (Object* object : objects)
        {
            names[object] = name;
        }
    }
}

}  // namespace

void ObjectNames::clear()
{
    bodyNames.clear();
    fixtureNames.clear();
    jointNames.clear();
}

void ObjectNames::takeFrom(WorldDoc& doc)
{
    TakeNames(bodyNames, &WorldDoc::getAllBodyNames, &WorldDoc::getBodiesByName, doc);
    TakeNames(fixtureNames, &WorldDoc::getAllFixtureNames, &WorldDoc::getFixturesByName, doc);
    TakeNames(jointNames, &WorldDoc::getAllJointNames, &WorldDoc::getJointsByName, doc);
}

void ObjectNames::giveTo(WorldDoc& doc) const
{
    for (const auto& entry : bodyNames)
    {
        doc.setBodyName(entry.first, entry.second.c_str());
    }
    for (const auto& entry : fixtureNames)
    {
        doc.setFixtureName(entry.first, entry.second.c_str());
    }
    for (const auto& entry : jointNames)
    {
        doc.setJointName(entry.first, entry.second.c_str());
    }
}
