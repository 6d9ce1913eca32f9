// The scene document: writes a physics world (or single bodies and fixtures) as JSON scene text
// and builds worlds, bodies and fixtures back from it, with the names of bodies, fixtures and
// joints kept beside the objects.
//
// Reading never trusts the document: a member of the wrong JSON type, a malformed number or a
// value the physics library would assert on makes the reader skip that one object with a line on
// standard output, and the rest of the scene loads. No exception leaves the reading entry points.
#pragma once

#include <box2d/box2d.h>
#include <json/json.h>

#include <map>
#include <string>
#include <vector>

class DocSink;
class SkipLog;

class WorldDoc
{
public:
    // `option` is kept for callers that distinguish saving (true) from loading (false); it
    // changes nothing in what is written or read.
    explicit WorldDoc(bool option);

    // Writing. The text is laid out as Json::StyledWriter does; empty for a null world.
    std::string writeToString(b2World* world);
    // Writes through a temporary file renamed over `filename`, so a failed write leaves the
    // previous file intact. False (with the reason printed) on failure or null arguments.
    bool writeToFile(b2World* world, const char* filename);

    Json::Value b2j(b2World* world);
    Json::Value b2j(b2Body* body);
    Json::Value b2j(b2Fixture* fixture);
    // Only meaningful while the index maps describe the world being written.
    Json::Value b2j(b2Joint* joint);

    // Index in the last world written; 0 when the object was not in it.
    int lookupBodyIndex(b2Body* body);
    int lookupJointIndex(b2Joint* joint);

    static void floatToJson(const char* name, float f, Json::Value& value);
    static void vecToJson(const char* name, b2Vec2 vec, Json::Value& value, int index = -1);
    static std::string floatToHex(float f);

    // Reading. The returned world belongs to the caller; null on failure (reason printed).
    b2World* readFromFile(const char* filename);
    b2World* readFromString(const std::string& str);

    b2World* j2b2World(const Json::Value& worldValue);
    // How many objects (or lists of objects) the last world read left out, each with its line
    // on standard output; 0 when everything loaded.
    int skippedCount() const { return m_skipped; }
    // Null when the object was skipped (reason printed).
    b2Body* j2b2Body(b2World* world, const Json::Value& bodyValue);
    b2Fixture* j2b2Fixture(b2Body* body, const Json::Value& fixtureValue);
    // Resolves body and gear indices through the lists of the last world read.
    b2Joint* j2b2Joint(b2World* world, const Json::Value& jointValue);

    // The value of a member by the format's rules; the default when it is absent, null or not
    // a valid value of its kind.
    static float jsonToFloat(const char* name, const Json::Value& value, float defaultValue = 0.0f);
    static b2Vec2 jsonToVec(const char* name, const Json::Value& value, int index = -1,
                            b2Vec2 defaultValue = b2Vec2(0.0f, 0.0f));
    // Decodes an eight-digit hexadecimal bit pattern; false for anything else.
    static bool hexToFloat(const std::string& str, float& out);

    // Names.
    void setBodyName(b2Body* body, const char* name);
    void setFixtureName(b2Fixture* fixture, const char* name);
    void setJointName(b2Joint* joint, const char* name);
    std::string getBodyName(b2Body* body);
    std::string getFixtureName(b2Fixture* fixture);
    std::string getJointName(b2Joint* joint);
    b2Body* getBodyByName(const std::string& name);
    b2Fixture* getFixtureByName(const std::string& name);
    b2Joint* getJointByName(const std::string& name);
    int getBodiesByName(const std::string& name, std::vector<b2Body*>& bodies);
    int getFixturesByName(const std::string& name, std::vector<b2Fixture*>& fixtures);
    int getJointsByName(const std::string& name, std::vector<b2Joint*>& joints);
    int getAllBodyNames(std::vector<std::string>& names);
    int getAllFixtureNames(std::vector<std::string>& names);
    int getAllJointNames(std::vector<std::string>& names);

protected:
    bool m_option;
    std::map<b2Body*, int> m_bodyToIndexMap;
    std::map<b2Joint*, int> m_jointToIndexMap;
    std::vector<b2Body*> m_bodies;
    std::vector<b2Joint*> m_joints;
    std::map<b2Body*, std::string> m_bodyToNameMap;
    std::map<b2Fixture*, std::string> m_fixtureToNameMap;
    std::map<b2Joint*, std::string> m_jointToNameMap;
    int m_skipped = 0;

private:
    // Each writes one complete object into the sink: a JSON tree or the text itself.
    void writeWorld(b2World* world, DocSink& sink);
    void writeBody(b2Body* body, DocSink& sink);
    void writeFixture(b2Fixture* fixture, DocSink& sink);
    void writeJoint(b2Joint* joint, DocSink& sink);

    // Readers take the object's position in the document (-1 when unknown) for their messages.
    void readWorldContents(b2World* world, const Json::Value& worldValue, SkipLog& log);
    b2Body* readBody(b2World* world, const Json::Value& bodyValue, int index, SkipLog& log);
    b2Fixture* readFixture(b2Body* body, const Json::Value& fixtureValue, int index,
                           int bodyIndex, SkipLog& log);
    b2Joint* readJoint(b2World* world, const Json::Value& jointValue, int index, SkipLog& log);
};
