// Reading scene documents: settings, defaults, gears, ghosts, other programs' members, lossless
// cycles; and bad input, of which the reader skips the one object with a line and loads the rest.
#include "WorldDocTesting.h"

#include "Physics/Ghosts.h"
#include "Physics/JointKinds.h"
#include "Physics/Springs.h"

#include <cstdio>
#include <fstream>
#include <regex>

namespace
{

Json::Value Parse(const std::string& text)
{
    Json::Value value;
    EXPECT_TRUE(Json::Reader().parse(text, value)) << text;
    return value;
}

TEST(WorldReader, SettingsWarnInOrderFollowedByOneClosingLine)
{
    WorldDoc doc(false);
    std::string output;
    ASSERT_TRUE(ReadWorld(doc, R"({"hasContactListener": true, "subStepping": true, "hasContactFilter": true,
        "continuousPhysics": true, "hasDestructionListener": true, "warmStarting": true})",
                          &output));
    EXPECT_EQ("Warning: world is not set to auto clear forces.\n"
              "Warning: world is set to use warm starting.\n"
              "Warning: world is set to use continuous physics.\n"
              "Warning: world is set to use sub stepping.\n"
              "Warning: world originally had a destruction listener set.\n"
              "Warning: world originally had a contact filter set.\n"
              "Warning: world originally had a contact listener set.\n"
              "Recreated behaviour may differ from original.\n",
              output);
    // The library's own defaults, as a default world is saved.
    ASSERT_TRUE(ReadWorld(doc, Golden("empty_world.json"), &output));
    EXPECT_EQ("Warning: world is set to use warm starting.\n"
              "Warning: world is set to use continuous physics.\n"
              "Recreated behaviour may differ from original.\n",
              output);
}

// golden/defaults.json is what a library-built world of the same body, the library's defaults but
// for the world's settings, friction, a body that sleeps and the mass the library gives a dynamic
// body without one (1), writes. An empty name is no name.
TEST(WorldReader, AbsentMembersTakeTheFormatsDefaults)
{
    WorldDoc doc(false);
    auto world = ReadWorld(doc, R"({"body": [{"type": 2, "name": "", "fixture": [{"circle": {"radius": 1}}]}]})");
    ASSERT_TRUE(world);
    EXPECT_EQ(Golden("defaults.json"), doc.writeToString(world.get()));
    std::vector<std::string> names;
    EXPECT_EQ(0, doc.getAllBodyNames(names));
}

TEST(WorldReader, WrittenDocumentsReadBackToTheSameText)
{
    // The joint document holds dynamic bodies without fixtures, whose mass stays 0.
    for (const char* name : {"empty_world.json", "bodies.json", "shapes_and_joints.json"})
    {
        WorldDoc doc(false);
        auto world = ReadWorld(doc, Golden(name));
        ASSERT_TRUE(world) << name;
        EXPECT_EQ(Golden(name), doc.writeToString(world.get())) << name;
    }
}

TEST(WorldReader, ForeignDocumentWithGearFirstAndALoop)
{
    WorldDoc doc(false);
    std::string output;
    auto world = ReadWorld(doc, Golden("foreign_gear_first.json"), &output);
    ASSERT_TRUE(world);
    EXPECT_EQ("", output);
    EXPECT_EQ(b2Vec2(0.0f, -9.5f), world->GetGravity());
    ASSERT_EQ(3, world->GetJointCount());

    // The gear is read after the joints it couples: its indices count them from the first.
    b2GearJoint* gear = static_cast<b2GearJoint*>(doc.getJointByName("coupling"));
    ASSERT_TRUE(gear);
    EXPECT_EQ(doc.getJointByName("left axle"), gear->GetJoint1());
    EXPECT_EQ(doc.getJointByName("right axle"), gear->GetJoint2());
    EXPECT_EQ(-1.5f, gear->GetRatio());
    EXPECT_FALSE(doc.getBodyByName("left wheel")->IsAwake());

    // The loop is closed by the reader: first point repeated, neighbours as ghosts.
    const b2Fixture* loop = world->GetBodyList()->GetFixtureList();
    ASSERT_TRUE(loop);
    const b2ChainShape* chain = static_cast<const b2ChainShape*>(loop->GetShape());
    ASSERT_EQ(5, chain->m_count);
    EXPECT_EQ(chain->m_vertices[0], chain->m_vertices[4]);
    const Physics::ChainGhosts ghosts = Physics::GetChainGhosts(loop);
    EXPECT_TRUE(ghosts.hasPrevVertex && ghosts.hasNextVertex);
    EXPECT_EQ(b2Vec2(-5.0f, 10.0f), ghosts.prevVertex);
    EXPECT_EQ(b2Vec2(5.0f, 0.0f), ghosts.nextVertex);
}

// Members as other programs and older versions write them.
TEST(WorldReader, GhostFlagsAreIndependentTheFirstShapeMemberWinsAndOlderJointMembersKeepTheirMeaning)
{
    WorldDoc doc(false);
    auto world = ReadWorld(doc, R"({"body": [{"fixture": [
        {"edge": {"vertex1": 0, "vertex2": {"x": 1, "y": 0}, "hasVertex0": true, "vertex0": {"x": -1, "y": 0},
                  "vertex3": {"x": 9, "y": 9}}},
        {"chain": {"vertices": {"x": [0, 1, 2], "y": [0, 0, 0]}, "hasNextVertex": true,
                   "nextVertex": {"x": 3, "y": 1}, "prevVertex": {"x": 9, "y": 9}}},
        {"circle": {"radius": 1}, "polygon": {"vertices": {"x": [0, 1, 0], "y": [0, 0, 1]}}},
        {"circle": null, "polygon": {"vertices": {"x": [0, 1, 0], "y": [0, 0, 1]}}}]},
        {"type": 2, "position": {"x": 2, "y": 0}}],
        "joint": [{"type": "prismatic", "bodyA": 0, "bodyB": 1, "localAxis1": {"x": 1, "y": 0},
                   "localAxisA": {"x": 0, "y": 1}, "name": "slide"},
                  {"type": "mouse", "bodyA": 0, "bodyB": 1, "anchorB": {"x": 2, "y": 0.5},
                   "target": {"x": 3, "y": 1}, "maxForce": 10, "frequency": 5, "dampingRatio": 0.7, "name": "drag"},
                  {"type": "weld", "bodyA": 0, "bodyB": 1, "refAngle": "3F000000", "name": "weld"},
                  {"type": "distance", "bodyA": 0, "bodyB": 1, "length": 2, "frequency": 4, "dampingRatio": 0.5,
                   "name": "spring"}]})");
    const b2Fixture* edge = world->GetBodyList()->GetFixtureList();
    ASSERT_EQ(b2Shape::e_circle, edge->GetNext()->GetNext()->GetType());
    ASSERT_EQ(b2Shape::e_polygon, edge->GetNext()->GetNext()->GetNext()->GetType());
    const Physics::EdgeGhosts edgeGhosts = Physics::GetEdgeGhosts(edge);
    EXPECT_TRUE(edgeGhosts.hasVertex0);
    EXPECT_FALSE(edgeGhosts.hasVertex3);
    EXPECT_EQ(b2Vec2(-1.0f, 0.0f), edgeGhosts.vertex0);
    const Physics::ChainGhosts chainGhosts = Physics::GetChainGhosts(edge->GetNext());
    EXPECT_FALSE(chainGhosts.hasPrevVertex);
    EXPECT_TRUE(chainGhosts.hasNextVertex);
    EXPECT_EQ(b2Vec2(3.0f, 1.0f), chainGhosts.nextVertex);
    // Vertices of unset flags are not read, so they are not written back either.
    const Json::Value written = doc.b2j(world->GetBodyList());
    EXPECT_FALSE(written["fixture"][0]["edge"].isMember("vertex3"));
    EXPECT_FALSE(written["fixture"][1]["chain"].isMember("prevVertex"));

    ASSERT_EQ(4, world->GetJointCount());
    auto* slide = static_cast<b2PrismaticJoint*>(doc.getJointByName("slide"));
    EXPECT_EQ(b2Vec2(0.0f, 1.0f), slide->GetLocalAxisA()) << "localAxisA wins over localAxis1";

    auto* drag = static_cast<b2MouseJoint*>(doc.getJointByName("drag"));
    EXPECT_EQ(b2Vec2(2.0f, 0.5f), drag->GetAnchorB());
    EXPECT_EQ(b2Vec2(3.0f, 1.0f), drag->GetTarget());
    EXPECT_EQ(5.0f, Physics::GetSpringFrequency(drag));
    EXPECT_EQ(0.7f, Physics::GetSpringDampingRatio(drag));

    EXPECT_EQ(0.5f, static_cast<b2WeldJoint*>(doc.getJointByName("weld"))->GetReferenceAngle());
    b2Joint* spring = doc.getJointByName("spring");
    EXPECT_EQ(2.0f, static_cast<b2DistanceJoint*>(spring)->GetLength());
    EXPECT_EQ(4.0f, Physics::GetSpringFrequency(spring));
}

TEST(WorldReader, TextsAndFilesThatAreNotScenesGiveNoWorldAndSayWhy)
{
    WorldDoc doc(false);
    std::string output;
    EXPECT_EQ(nullptr, ReadWorld(doc, "[1, 2, 3]", &output));
    EXPECT_EQ("Could not read the scene: it is not a JSON object\n", output);
    EXPECT_EQ(nullptr, ReadWorld(doc, "{\"gravity\": }", &output));
    EXPECT_EQ(0u, output.rfind("Failed to parse string\n* Line 1", 0)) << output;
    // Nesting deeper than the JSON library parses is a parse failure, not a crash.
    EXPECT_EQ(nullptr, ReadWorld(doc, std::string(100000, '[') + std::string(100000, ']'), &output));
    EXPECT_EQ(0u, output.rfind("Failed to parse string\n", 0)) << output;

    const std::string missing = testing::TempDir() + "no-such-scene.json";
    const std::string broken = testing::TempDir() + "broken-scene.json";
    std::ofstream(broken) << "{\"body\": [";
    const auto readFile = [&doc](const std::string& path) {
        return Printed([&] { EXPECT_EQ(nullptr, doc.readFromFile(path.c_str())) << path; });
    };
    EXPECT_EQ("Could not open file " + missing + " for reading\n", readFile(missing));
    EXPECT_EQ(0u, readFile(broken).rfind("Failed to parse " + broken + "\n* Line 1, Column 11", 0));
    std::remove(broken.c_str());
    EXPECT_EQ(nullptr, doc.readFromFile(nullptr));
}

TEST(WorldReader, ClipboardEntryPointsJoinAnExistingWorldOrSkipWithoutAPosition)
{
    b2World world(b2Vec2(0.0f, 0.0f));
    WorldDoc doc(false);
    const Json::Value body = Parse(R"({"type": 2, "position": {"x": 1, "y": 2}, "name": "copy",
        "fixture": [{"circle": {"radius": 1}, "name": "first"}, {"edge": {"vertex2": {"x": 1, "y": 0}}}]})");
    b2Body* pasted = doc.j2b2Body(&world, body);
    ASSERT_TRUE(pasted);
    EXPECT_EQ(b2Vec2(1.0f, 2.0f), pasted->GetPosition());
    EXPECT_EQ("copy", doc.getBodyName(pasted));
    EXPECT_EQ(b2Shape::e_circle, pasted->GetFixtureList()->GetType());
    EXPECT_EQ("first", doc.getFixtureName(pasted->GetFixtureList()));
    EXPECT_EQ(b2Shape::e_edge, pasted->GetFixtureList()->GetNext()->GetType());
    b2Fixture* extra = doc.j2b2Fixture(pasted, body["fixture"][0]);
    ASSERT_TRUE(extra);
    EXPECT_EQ(extra, pasted->GetFixtureList());

    EXPECT_EQ("Skipping body: it is not an object\n"
              "Skipping fixture: polygon has 2 vertices (at least 3)\n"
              "Skipping joint: \"bodyA\" (0) is outside the body list (0 entries)\n",
              Printed([&] {
                  EXPECT_EQ(nullptr, doc.j2b2Body(&world, Json::Value("body")));
                  EXPECT_EQ(nullptr,
                            doc.j2b2Fixture(pasted, Parse(R"({"polygon": {"vertices": {"x": [0, 1], "y": [0, 1]}}})")));
                  EXPECT_EQ(nullptr, doc.j2b2Joint(&world, Parse(R"({"type": "weld", "bodyA": 0, "bodyB": 1})")));
              }));
    EXPECT_EQ(1, world.GetBodyCount());

    // Vertex arrays built in code may have gaps: missing elements read 0, nothing past the end.
    Json::Value sparse(Json::objectValue);
    for (const int i : {0, 2, 3})
    {
        WorldDoc::vecToJson("vertices", b2Vec2(i == 2 ? 1.0f : 0.5f * i, i == 3 ? 1.0f : 0.0f), sparse["polygon"], i);
    }
    b2Fixture* fixture = doc.j2b2Fixture(pasted, sparse);
    ASSERT_TRUE(fixture);
    EXPECT_EQ(3, static_cast<const b2PolygonShape*>(fixture->GetShape())->m_count);
}

// Bad input: world members besides "autoClearForces" (which keeps warnings out), the lines read
// prints ('*' at a line's end: any non-empty rest, the physics layer's reason), what still loads.
struct Case
{
    std::string members;
    std::string output;
    int bodies;
    int fixtures;
    int joints;
};

int FixtureCount(b2World& world)
{
    int count = 0;
    for (b2Body* body = world.GetBodyList(); body; body = body->GetNext())
    {
        for (b2Fixture* fixture = body->GetFixtureList(); fixture; fixture = fixture->GetNext())
        {
            ++count;
        }
    }
    return count;
}

bool LinesMatch(const std::string& expected, const std::string& actual)
{
    const std::string escaped = std::regex_replace(expected, std::regex(R"([.^$|()\[\]{}+?\\])"), R"(\$&)");
    return std::regex_match(actual, std::regex(std::regex_replace(escaped, std::regex(R"(\*\n)"), ".+\n")));
}

void ExpectLoadsTheRest(const Case& c, WorldDoc& doc)
{
    const std::string document = "{\"autoClearForces\": true, " + c.members + "}";
    SCOPED_TRACE(document);
    std::string output;
    auto world = ReadWorld(doc, document, &output);
    ASSERT_TRUE(world);
    EXPECT_TRUE(LinesMatch(c.output, output)) << output;
    EXPECT_EQ(c.bodies, world->GetBodyCount());
    EXPECT_EQ(c.fixtures, FixtureCount(*world));
    EXPECT_EQ(c.joints, world->GetJointCount());
}

// Two dynamic bodies with mass and a unit box each, then the given joints.
std::string Joints(const std::string& joints)
{
    const std::string body = R"({"type": 2, "massData-mass": 1, "massData-I": 1,
        "fixture": [{"polygon": {"vertices": {"x": [0, 1, 1, 0], "y": [0, 0, 1, 1]}}}]})";
    return "\"body\": [" + body + ", " + body + "], \"joint\": [" + joints + "]";
}

const std::string k_revolute = R"({"type": "revolute", "bodyA": 0, "bodyB": 1})";

TEST(MalformedInput, EachBadObjectIsSkippedWithItsLineAndTheRestLoads)
{
    const auto fixture = [](const std::string& shape) {
        return "\"body\": [{\"fixture\": [{\"circle\": {\"radius\": 1}}, {" + shape + "}]}]";
    };
    const std::string skipping = "Skipping fixture 1 of body 0: ";
    const std::string skippingOfBody1 = "Skipping fixture 0 of body 1: ";
    const auto body = [](const std::string& members) { return "\"body\": [{}, {" + members + "}]"; };
    const auto polygon = [&body](const std::string& vertices) {
        return body("\"fixture\": [{\"polygon\": {\"vertices\": " + vertices + "}}]");
    };
    const std::string gearOn = R"({"type": "gear", "bodyA": 0, "bodyB": 1, "ratio": 1, )";
    const Case cases[] = {
        // Values the library asserts on.
        {R"("body": [{}, {"position": {"x": "7F800000", "y": 0}}])", "Skipping body 1: *\n", 1, 0, 0},
        {R"("body": [{"fixture": [{"circle": {"radius": 1}}, {"density": "BF800000", "circle": {"radius": 1}}]}])",
         "Skipping fixture 1 of body 0: *\n", 1, 1, 0},
        {R"("gravity": {"x": 0, "y": "7FC00000"})",
         "Ignoring a world setting: \"gravity\" is not finite or too large\n", 0, 0, 0},
        {Joints(R"({"type": "distance", "bodyA": 0, "bodyB": 1, "length": 1, "frequency": -2})"),
         "Skipping joint 0: its spring frequency or damping ratio is negative or not finite\n", 2, 2, 0},
        {Joints(R"({"type": "mouse", "bodyA": 0, "bodyB": 1, "target": {"x": "7F800000", "y": 0}})"),
         "Skipping joint 0: \"target\" is not finite or too far from the origin\n", 2, 2, 0},
        // Mass data the library would assert on: the body keeps the mass of its fixtures.
        {R"("body": [{"type": 2, "massData-mass": 1, "massData-center": {"x": 10, "y": 0}, "massData-I": 1,
            "fixture": [{"circle": {"radius": 1}, "density": 1}]}])",
         "Ignoring the mass data of body 0: *\n", 1, 1, 0},
        // Shapes the library refuses.
        {fixture(R"("polygon": {"vertices": {"x": [0, 1], "y": [0, 0]}})"),
         skipping + "polygon has 2 vertices (at least 3)\n", 1, 1, 0},
        {fixture(
             R"("polygon": {"vertices": {"x": [0, 1, 2, 3, 4, 5, 6, 7, 8], "y": [0, 1, 4, 9, 16, 25, 36, 49, 64]}})"),
         skipping + "polygon has 9 vertices (at most 8)\n", 1, 1, 0},
        {fixture(R"("polygon": {"vertices": {"x": [0, 1, "7F800000"], "y": [0, 0, 1]}})"),
         skipping + "polygon vertex 2 is not finite or too far from the origin\n", 1, 1, 0},
        {fixture(R"("chain": {"vertices": {"x": [1], "y": [1]}})"), skipping + "chain has 1 vertex (at least 2)\n", 1,
         1, 0},
        {fixture(R"("chain": {"vertices": {"x": [0, 1, 1, 2], "y": [0, 0, 0, 0]}})"),
         skipping + "chain has neighbouring vertices that coincide or nearly so\n", 1, 1, 0},
        {fixture(R"("loop": {"vertices": {"x": [0, 1], "y": [0, 0]}})"),
         skipping + "loop has 2 vertices (at least 3)\n", 1, 1, 0},
        {fixture(R"("density": 1)"), skipping + "it has no shape\n", 1, 1, 0},
        // Joint references that do not resolve.
        {Joints(R"({"type": "weld", "bodyA": 1, "bodyB": 1})"), "Skipping joint 0: *\n", 2, 2, 0},
        {Joints(R"({"type": "weld", "bodyA": 0, "bodyB": -1})"),
         "Skipping joint 0: \"bodyB\" (-1) is outside the body list (2 entries)\n", 2, 2, 0},
        // A skipped joint keeps its slot, so gear indices still name the joints the file meant.
        {Joints(R"({"type": "revolute", "bodyA": 0, "bodyB": 2}, )" + k_revolute + ", " + gearOn +
                R"("joint1": 0, "joint2": 1})"),
         "Skipping joint 0: \"bodyB\" (2) is outside the body list (2 entries)\n"
         "Skipping joint 2: \"joint1\" (0) names a joint that was not loaded\n",
         2, 2, 1},
        {Joints(k_revolute + R"(, {"type": "distance", "bodyA": 0, "bodyB": 1, "length": 1}, )" + gearOn +
                R"("joint1": 0, "joint2": 1})"),
         "Skipping joint 2: \"joint2\" names a distance joint, not a revolute or prismatic one\n", 2, 2, 2},
        {Joints(R"({"type": "rope", "bodyA": 0, "bodyB": 1, "maxLength": 2}, )" + gearOn +
                R"("joint1": 0, "joint2": 0})"),
         "Skipping joint 1: \"joint1\" names a rope joint, not a revolute or prismatic one\n", 2, 2, 1},
        {Joints(k_revolute + ", " + k_revolute + ", " + gearOn + R"("joint1": 0, "joint2": 7})"),
         "Skipping joint 2: \"joint2\" (7) is outside the joint list (3 entries)\n", 2, 2, 2},
        // A gear's bodies are body B of each coupled joint, whatever "bodyA" and "bodyB" say: two joints
        // moving the same body would gear it to itself. CreateJoint's tests refuse the other gears.
        {Joints(k_revolute + ", " + k_revolute + ", " + gearOn + R"("joint1": 0, "joint2": 1})"),
         "Skipping joint 2: *\n", 2, 2, 2},
        {Joints(R"({"type": "motor", "bodyA": 0, "bodyB": 1}, {"bodyA": 0, "bodyB": 1})"),
         "Skipping joint 0: unknown type \"motor\"\nSkipping joint 1: it has no type\n", 2, 2, 0},
        // Wrong JSON types anywhere.
        {R"("body": 5, "joint": "none")",
         "Skipping every body: \"body\" is not an array\nSkipping every joint: \"joint\" is not an array\n", 0, 0, 0},
        {R"("body": ["static", {}])", "Skipping body 0: it is not an object\n", 1, 0, 0},
        {body(R"("fixture": {"circle": {"radius": 1}})"), "Skipping body 1: \"fixture\" is not an array\n", 1, 0, 0},
        {body(R"("fixture": [3, {"circle": {"radius": 1}}])"), skippingOfBody1 + "it is not an object\n", 2, 1, 0},
        {polygon(R"("3F800000")"), skippingOfBody1 + "polygon: \"vertices\" is not an object\n", 2, 0, 0},
        {polygon(R"({"x": [0, 1, 1], "y": [0, 0]})"),
         skippingOfBody1 + "polygon: \"vertices\" has \"x\" and \"y\" arrays of different lengths\n", 2, 0, 0},
        {polygon(R"({"x": [0, true, 1], "y": [0, 0, 1]})"),
         skippingOfBody1 + "polygon: \"vertices\": element 1 is not a number\n", 2, 0, 0},
        {body(R"("fixture": [{"circle": 3}])"), skippingOfBody1 + "\"circle\" is not an object\n", 2, 0, 0},
        {body(R"("fixture": [{"circle": {"radius": 1}, "filter-maskBits": 70000}])"),
         skippingOfBody1 + "\"filter-maskBits\" is outside 0 to 65535\n", 2, 0, 0},
        {body(R"("type": "dynamic")"), "Skipping body 1: \"type\" is not an integer\n", 1, 0, 0},
        {body(R"("position": [1, 2])"),
         "Skipping body 1: \"position\" is not a vector (0 or an object of \"x\" and \"y\" numbers)\n", 1, 0, 0},
        {body(R"("angle": {})"), "Skipping body 1: \"angle\" is not a number\n", 1, 0, 0},
        {body(R"("angle": "nonsense")"), "Skipping body 1: \"angle\" is not eight hex digits\n", 1, 0, 0},
        {body(R"("name": 5)"), "Skipping body 1: \"name\" is not a string\n", 1, 0, 0},
        {Joints(R"({"type": 3, "bodyA": 0, "bodyB": 1})"), "Skipping joint 0: \"type\" is not a string\n", 2, 2, 0},
        {Joints(R"({"type": "weld", "bodyA": "0", "bodyB": 1})"), "Skipping joint 0: \"bodyA\" is not an integer\n", 2,
         2, 0},
        {R"("allowSleep": "no", "subStepping": {})",
         "Ignoring a world setting: \"allowSleep\" is not true or false\n"
         "Ignoring a world setting: \"subStepping\" is not true or false\n",
         0, 0, 0},
    };
    for (const Case& c : cases)
    {
        WorldDoc doc(false);
        ExpectLoadsTheRest(c, doc);
    }
}

TEST(MalformedInput, LinesComeInDocumentOrderAndCountEveryObjectLeftOut)
{
    WorldDoc doc(false);
    const std::string bad = R"({"fixture": [{"circle": {"radius": 1}}, {"polygon": 0}]})";
    ExpectLoadsTheRest({"\"body\": [" + bad + ", {}, {\"type\": 9}, {\"type\": 2, \"massData-I\": \"7F800000\"}], " +
                            R"("joint": [{"type": "gear"}, {"type": "weld", "bodyA": 0, "bodyB": 2}, {"type": "x"}])",
                        "Skipping fixture 1 of body 0: \"polygon\" is not an object\n"
                        "Skipping body 2: \"type\" is outside 0 to 2\n"
                        "Ignoring the mass data of body 3: *\n"
                        "Skipping joint 0: \"joint1\" (0) names a joint that was not loaded\n"
                        "Skipping joint 1: \"bodyB\" (2) names a body that was not loaded\n"
                        "Skipping joint 2: unknown type \"x\"\n",
                        3, 1, 0},
                       doc);
    EXPECT_EQ(5, doc.skippedCount()) << "a body that keeps the mass of its fixtures is not left out";

    // A null element ends its list, which counts once.
    ExpectLoadsTheRest(
        {R"("body": [{"fixture": [{"circle": {"radius": 1}}, null, {"circle": {"radius": 2}}]}, null, {}])",
         "Ignoring every fixture of body 0 after fixture 1, which is null\n"
         "Ignoring every body after body 1, which is null\n",
         1, 1, 0},
        doc);
    EXPECT_EQ(2, doc.skippedCount());
    ASSERT_TRUE(ReadWorld(doc, "{}"));
    EXPECT_EQ(0, doc.skippedCount());
}

}  // namespace
