// vexa-scene: validates scene files for asset pipelines. `check FILE` loads a scene as Vexa does
// and prints what it holds and what the reader had to say; `roundtrip IN OUT` loads a scene and
// writes it out again in the scene format. The exit status tells the outcomes apart.
#include "Physics/JointKinds.h"
#include "WorldDoc/WorldDoc.h"

#include <box2d/box2d.h>
#include <json/json.h>

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace
{

enum ExitStatus
{
    k_exitOk = 0,
    k_exitProblems = 1,  // loaded, but part of the file did not make it into the world
    k_exitUsage = 2,
    k_exitUnreadable = 3,
    k_exitNotAScene = 4,  // not JSON, or its top level is not an object
    k_exitWriteFailed = 5,
};

const char* const k_usage =
    "usage: vexa-scene check FILE\n"
    "       vexa-scene roundtrip IN OUT\n"
    "       vexa-scene --help\n"
    "\n"
    "check      loads a scene file as Vexa does and prints its bodies by type, fixtures by\n"
    "           shape, joints by type, named objects, and the reader's warnings and problems\n"
    "           (objects of the file that were skipped).\n"
    "roundtrip  loads IN and writes it to OUT in the scene format; OUT is replaced only once\n"
    "           it was written completely. Nothing is written when IN has problems.\n"
    "\n"
    "exit status: 0 loaded without problems, 1 loaded but objects were skipped,\n"
    "             2 bad arguments, 3 the file cannot be read, 4 not a scene file (not JSON,\n"
    "             or its top level is not an object), 5 OUT could not be written\n";

// The reader reports on standard output. While it runs, descriptor 1 points at a temporary
// file, which then holds everything it printed (through stdio or iostreams).
class StandardOutputCapture
{
public:
    StandardOutputCapture()
    {
        std::cout.flush();
        std::fflush(stdout);
        m_file = std::tmpfile();
        m_saved = m_file ? dup(STDOUT_FILENO) : -1;
        if (m_saved < 0 || dup2(fileno(m_file), STDOUT_FILENO) < 0)
        {
            std::perror("vexa-scene: cannot capture the reader's messages");
            std::exit(k_exitWriteFailed);
        }
    }

    ~StandardOutputCapture()
    {
        restore();
        std::fclose(m_file);
    }

    StandardOutputCapture(const StandardOutputCapture&) = delete;
    StandardOutputCapture& operator=(const StandardOutputCapture&) = delete;

    std::vector<std::string> lines()
    {
        restore();
        std::vector<std::string> result;
        std::rewind(m_file);
        std::string line;
        for (int c = std::fgetc(m_file); c != EOF; c = std::fgetc(m_file))
        {
            if (c != '\n')
            {
                line += static_cast<char>(c);
                continue;
            }
            result.push_back(line);
            line.clear();
        }
        if (!line.empty())
        {
            result.push_back(line);
        }
        return result;
    }

private:
    void restore()
    {
        if (m_saved < 0)
        {
            return;
        }
        std::cout.flush();
        std::fflush(stdout);
        dup2(m_saved, STDOUT_FILENO);
        close(m_saved);
        m_saved = -1;
    }

    std::FILE* m_file = nullptr;
    int m_saved = -1;
};

bool ReadWholeFile(const char* path, std::string& text, std::string& error)
{
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
    {
        error = std::strerror(errno);
        return false;
    }
    char buffer[65536];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof(buffer), file)) > 0)
    {
        text.append(buffer, n);
    }
    const bool failed = std::ferror(file) != 0;
    error = failed ? std::strerror(errno) : "";
    std::fclose(file);
    return !failed;
}

// What the reader's lines mean: the world-settings notes are warnings, anything else it says is
// about an object it skipped or could not build as written.
bool IsReaderWarning(const std::string& line)
{
    return line.rfind("Warning: ", 0) == 0 || line == "Recreated behaviour may differ from original.";
}

struct LoadedScene
{
    WorldDoc doc{false};
    std::unique_ptr<b2World> world;
    std::vector<std::string> warnings;
    std::vector<std::string> problems;
};

// The non-null entries of the array member `key` of `object`, the entries the file means to
// hold. A member of another type is a problem: none of its contents can load.
const Json::Value* Entries(const Json::Value& object, const char* key, int& count,
                           std::vector<std::string>& problems)
{
    count = 0;
    const Json::Value* member = object.isObject() ? object.find(key, key + std::strlen(key)) : nullptr;
    if (member == nullptr || member->isNull())
    {
        return nullptr;
    }
    if (!member->isArray())
    {
        problems.push_back(std::string("\"") + key + "\" is not an array: nothing of it was loaded");
        return nullptr;
    }
    for (const Json::Value& entry : *member)
    {
        count += entry.isNull() ? 0 : 1;
    }
    return member;
}

struct DocumentCounts
{
    int bodies = 0;
    int fixtures = 0;
    int joints = 0;
};

DocumentCounts CountDocument(const Json::Value& root, std::vector<std::string>& problems)
{
    DocumentCounts counts;
    if (const Json::Value* bodies = Entries(root, "body", counts.bodies, problems))
    {
        for (const Json::Value& body : *bodies)
        {
            int fixtures = 0;
            Entries(body, "fixture", fixtures, problems);
            counts.fixtures += fixtures;
        }
    }
    Entries(root, "joint", counts.joints, problems);
    return counts;
}

int CountFixtures(b2World* world)
{
    int count = 0;
    for (b2Body* body = world->GetBodyList(); body; body = body->GetNext())
    {
        for (b2Fixture* fixture = body->GetFixtureList(); fixture; fixture = fixture->GetNext())
        {
            ++count;
        }
    }
    return count;
}

void CompareCount(const char* kind, int inFile, int loaded, std::vector<std::string>& problems)
{
    if (loaded < inFile)
    {
        problems.push_back(std::string(kind) + ": the file holds " + std::to_string(inFile) + ", " +
                           std::to_string(loaded) + " loaded");
    }
}

// Loads `path` as the program does. Returns k_exitOk when a world was built (problems or not);
// otherwise says why on standard error.
int LoadScene(const char* path, LoadedScene& scene)
{
    std::string text;
    std::string error;
    if (!ReadWholeFile(path, text, error))
    {
        std::cerr << "vexa-scene: cannot read " << path << ": " << error << '\n';
        return k_exitUnreadable;
    }
    Json::Value root;
    Json::Reader reader;
    bool parsed = false;
    try
    {
        parsed = reader.parse(text, root, true);
        error = reader.getFormattedErrorMessages();
    }
    catch (const std::exception& e)
    {
        error = std::string(e.what()) + '\n';
    }
    if (!parsed)
    {
        std::cerr << "vexa-scene: " << path << " is not JSON:\n" << error;
        return k_exitNotAScene;
    }
    if (!root.isObject())
    {
        std::cerr << "vexa-scene: " << path << " is not a scene: its top level is not a JSON object\n";
        return k_exitNotAScene;
    }

    std::vector<std::string> readerLines;
    {
        StandardOutputCapture capture;
        scene.world.reset(scene.doc.j2b2World(root));
        readerLines = capture.lines();
    }
    for (std::string& line : readerLines)
    {
        (IsReaderWarning(line) ? scene.warnings : scene.problems).push_back(std::move(line));
    }
    if (!scene.world)
    {
        std::cerr << "vexa-scene: " << path << " is not a scene: no world could be built from it\n";
        for (const std::string& line : scene.problems)
        {
            std::cerr << "  " << line << '\n';
        }
        return k_exitNotAScene;
    }

    const DocumentCounts inFile = CountDocument(root, scene.problems);
    CompareCount("bodies", inFile.bodies, scene.world->GetBodyCount(), scene.problems);
    CompareCount("fixtures", inFile.fixtures, CountFixtures(scene.world.get()), scene.problems);
    CompareCount("joints", inFile.joints, scene.world->GetJointCount(), scene.problems);
    return k_exitOk;
}

// "total (name count, ...)" over the kinds in the order given.
void PrintCounts(const char* label, const std::vector<std::pair<const char*, int>>& kinds)
{
    int total = 0;
    for (const auto& kind : kinds)
    {
        total += kind.second;
    }
    std::cout << label << ": " << total << " (";
    for (size_t i = 0; i < kinds.size(); ++i)
    {
        std::cout << (i ? ", " : "") << kinds[i].first << ' ' << kinds[i].second;
    }
    std::cout << ")\n";
}

// A loop is stored closed: at least three points and the first repeated at the end.
bool IsLoop(const b2Fixture* fixture)
{
    const auto* chain = static_cast<const b2ChainShape*>(fixture->GetShape());
    return chain->m_count >= 4 && chain->m_vertices[0] == chain->m_vertices[chain->m_count - 1];
}

void PrintObjectCounts(b2World* world)
{
    int bodyTypes[3] = {};
    int circles = 0, edges = 0, polygons = 0, chains = 0, loops = 0;
    for (b2Body* body = world->GetBodyList(); body; body = body->GetNext())
    {
        ++bodyTypes[body->GetType()];
        for (b2Fixture* fixture = body->GetFixtureList(); fixture; fixture = fixture->GetNext())
        {
            switch (fixture->GetType())
            {
            case b2Shape::e_circle: ++circles; break;
            case b2Shape::e_edge: ++edges; break;
            case b2Shape::e_polygon: ++polygons; break;
            case b2Shape::e_chain: ++(IsLoop(fixture) ? loops : chains); break;
            case b2Shape::e_typeCount: break;
            }
        }
    }
    PrintCounts("bodies", {{"static", bodyTypes[b2_staticBody]},
                           {"kinematic", bodyTypes[b2_kinematicBody]},
                           {"dynamic", bodyTypes[b2_dynamicBody]}});
    PrintCounts("fixtures", {{"circle", circles}, {"edge", edges}, {"polygon", polygons},
                             {"chain", chains}, {"loop", loops}});

    int jointTypes[e_motorJoint + 1] = {};
    for (b2Joint* joint = world->GetJointList(); joint; joint = joint->GetNext())
    {
        ++jointTypes[Physics::GetJointType(joint)];
    }
    PrintCounts("joints", {{"revolute", jointTypes[e_revoluteJoint]},
                           {"prismatic", jointTypes[e_prismaticJoint]},
                           {"distance", jointTypes[e_distanceJoint]},
                           {"pulley", jointTypes[e_pulleyJoint]},
                           {"mouse", jointTypes[e_mouseJoint]},
                           {"gear", jointTypes[e_gearJoint]},
                           {"wheel", jointTypes[e_wheelJoint]},
                           {"weld", jointTypes[e_weldJoint]},
                           {"friction", jointTypes[e_frictionJoint]},
                           {"rope", jointTypes[e_ropeJoint]}});
}

// "named bodies: 3 ("ground", "ragdoll" x2)": names sorted, each quoted as a JSON string so that
// any name prints on one line.
void PrintNames(const char* kind, std::vector<std::string> names)
{
    std::map<std::string, int> uses;
    for (const std::string& name : names)
    {
        ++uses[name];
    }
    std::cout << "named " << kind << ": " << names.size();
    const char* separator = " (";
    for (const auto& [name, count] : uses)
    {
        std::cout << separator << Json::valueToQuotedString(name.c_str());
        if (count > 1)
        {
            std::cout << " x" << count;
        }
        separator = ", ";
    }
    std::cout << (uses.empty() ? "" : ")") << '\n';
}

void PrintLines(const char* label, const std::vector<std::string>& lines)
{
    std::cout << label << ": " << lines.size() << '\n';
    for (const std::string& line : lines)
    {
        std::cout << "  " << line << '\n';
    }
}

const char* OnOff(bool flag)
{
    return flag ? "on" : "off";
}

int Check(const char* path)
{
    LoadedScene scene;
    const int status = LoadScene(path, scene);
    if (status != k_exitOk)
    {
        return status;
    }
    b2World* world = scene.world.get();
    const b2Vec2 gravity = world->GetGravity();
    std::cout << "file: " << path << '\n'
              << "gravity: " << gravity.x << ' ' << gravity.y << '\n'
              << "settings: allowSleep " << OnOff(world->GetAllowSleeping()) << ", autoClearForces "
              << OnOff(world->GetAutoClearForces()) << ", warmStarting " << OnOff(world->GetWarmStarting())
              << ", continuousPhysics " << OnOff(world->GetContinuousPhysics()) << ", subStepping "
              << OnOff(world->GetSubStepping()) << '\n';
    PrintObjectCounts(world);

    std::vector<std::string> names;
    scene.doc.getAllBodyNames(names);
    PrintNames("bodies", std::move(names));
    names.clear();
    scene.doc.getAllFixtureNames(names);
    PrintNames("fixtures", std::move(names));
    names.clear();
    scene.doc.getAllJointNames(names);
    PrintNames("joints", std::move(names));

    PrintLines("warnings", scene.warnings);
    PrintLines("problems", scene.problems);
    std::cout << "result: " << (scene.problems.empty() ? "ok" : "loaded with problems") << '\n';
    return scene.problems.empty() ? k_exitOk : k_exitProblems;
}

int Roundtrip(const char* in, const char* out)
{
    LoadedScene scene;
    const int status = LoadScene(in, scene);
    if (status != k_exitOk)
    {
        return status;
    }
    if (!scene.problems.empty())
    {
        std::cerr << "vexa-scene: " << in << " has problems; " << out << " was not written\n";
        for (const std::string& line : scene.problems)
        {
            std::cerr << "  " << line << '\n';
        }
        return k_exitProblems;
    }
    // The same document writes: it holds the names it read, keyed by the new objects.
    if (!scene.doc.writeToFile(scene.world.get(), out))
    {
        std::cerr << "vexa-scene: could not write " << out << '\n';
        return k_exitWriteFailed;
    }
    std::cout << "wrote " << out << '\n';
    return k_exitOk;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (argc == 2 && (command == "--help" || command == "-h"))
    {
        std::cout << k_usage;
        return k_exitOk;
    }
    if (argc == 3 && command == "check")
    {
        return Check(argv[2]);
    }
    if (argc == 4 && command == "roundtrip")
    {
        return Roundtrip(argv[2], argv[3]);
    }
    std::cerr << k_usage;
    return k_exitUsage;
}
