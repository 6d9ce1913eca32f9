// A world's scene text with its bodies, their fixtures and the joints in a canonical order:
// objects that undo builds again are new objects at the front of the world's and bodies' lists, so
// two worlds that hold the same values compare equal here whatever their list order. Joints name
// their bodies (and gears their joints) by content instead of by list position.
#pragma once

#include "WorldDoc/WorldDoc.h"

#include <json/json.h>

#include <algorithm>
#include <string>
#include <vector>

// The parts one after the other, in sorted order.
inline std::string SortedJoin(std::vector<std::string> parts)
{
    std::sort(parts.begin(), parts.end());
    std::string text;
    for (const std::string& part : parts)
    {
        text += part;
    }
    return text;
}

inline std::string CanonicalScene(b2World* world)
{
    WorldDoc doc(true);
    Json::Value root;
    Json::Reader().parse(doc.writeToString(world), root);
    Json::FastWriter writer;
    std::vector<std::string> bodies;
    for (Json::Value body : root["body"])
    {
        std::vector<std::string> fixtures;
        for (const Json::Value& fixture : body["fixture"])
        {
            fixtures.push_back(writer.write(fixture));
        }
        body["fixture"] = SortedJoin(fixtures);
        bodies.push_back(writer.write(body));
    }
    // Gears come last in the file and name earlier joints, so one pass resolves them.
    std::vector<std::string> joints;
    for (Json::Value joint : root["joint"])
    {
        for (const char* member : {"bodyA", "bodyB"})
        {
            joint[member] = bodies.at(joint[member].asUInt());
        }
        for (const char* member : {"joint1", "joint2"})
        {
            if (joint.isMember(member))
            {
                joint[member] = joints.at(joint[member].asUInt());
            }
        }
        joints.push_back(writer.write(joint));
    }
    root.removeMember("body");
    root.removeMember("joint");
    return writer.write(root) + SortedJoin(bodies) + SortedJoin(joints);
}
