// Documents holding values the physics library would assert on, references that do not resolve
// and members of the wrong JSON type: the reader skips the one object with one line naming it
// and loads the rest of the scene.
#include "WorldDocTesting.h"

#include <gtest/gtest.h>

#include <sstream>

namespace
{

struct Case
{
    std::string members;  // world members besides "autoClearForces" (which keeps warnings out)
    // The lines expected on standard output. A line ending in '*' stands for any line with that
    // beginning and a non-empty rest: the reason the physics layer gives in its own words.
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

void ExpectLines(const std::string& expected, const std::string& actual, const std::string& context)
{
    std::istringstream expectedLines(expected);
    std::istringstream actualLines(actual);
    std::string want;
    std::string got;
    while (std::getline(expectedLines, want))
    {
        ASSERT_TRUE(std::getline(actualLines, got)) << "missing line " << want << "\n" << context;
        if (!want.empty() && want.back() == '*')
        {
            want.pop_back();
            EXPECT_EQ(0u, got.rfind(want, 0)) << got << "\n" << context;
            EXPECT_GT(got.size(), want.size()) << context;
        }
        else
        {
            EXPECT_EQ(want, got) << context;
        }
    }
    EXPECT_FALSE(std::getline(actualLines, got)) << "unexpected line " << got << "\n" << context;
}

void ExpectLoadsTheRest(const Case& c)
{
    const std::string document = "{\"autoClearForces\": true, " + c.members + "}";
    WorldDoc doc(false);
    std::string output;
    auto world = ReadWorld(doc, document, &output);
    ASSERT_TRUE(world) << document;
    ExpectLines(c.output, output, document);
    EXPECT_EQ(c.bodies, world->GetBodyCount()) << document;
    EXPECT_EQ(c.fixtures, FixtureCount(*world)) << document;
    EXPECT_EQ(c.joints, world->GetJointCount()) << document;
}

// Two dynamic bodies with mass and a unit box each, then the given joints.
std::string TwoBodiesAnd(const std::string& joints)
{
    const std::string body = R"({"type": 2, "massData-mass": 1, "massData-I": 1,
        "fixture": [{"polygon": {"vertices": {"x": [0, 1, 1, 0], "y": [0, 0, 1, 1]}}}]})";
    return "\"body\": [" + body + ", " + body + "], \"joint\": [" + joints + "]";
}

const char* k_revolute = R"({"type": "revolute", "bodyA": 0, "bodyB": 1})";

TEST(MalformedInput, ValuesTheLibraryAssertsOnSkipOnlyTheirObject)
{
    const Case cases[] = {
        {R"("body": [{}, {"position": {"x": "7F800000", "y": 0}}])",
         "Skipping body 1: *\n", 1, 0, 0},
        {R"("body": [{"fixture": [{"circle": {"radius": 1}}, {"density": "BF800000", "circle": {"radius": 1}}]}])",
         "Skipping fixture 1 of body 0: *\n", 1, 1, 0},
        {R"("gravity": {"x": 0, "y": "7FC00000"})",
         "Ignoring a world setting: \"gravity\" is not finite or too large\n", 0, 0, 0},
        {TwoBodiesAnd(R"({"type": "distance", "bodyA": 0, "bodyB": 1, "length": 1, "frequency": -2})"),
         "Skipping joint 0: its spring frequency or damping ratio is negative or not finite\n", 2, 2, 0},
        {TwoBodiesAnd(R"({"type": "mouse", "bodyA": 0, "bodyB": 1, "target": {"x": "7F800000", "y": 0}})"),
         "Skipping joint 0: \"target\" is not finite or too far from the origin\n", 2, 2, 0},
        // Mass data the library would assert on: the body keeps the mass of its fixtures.
        {R"("body": [{"type": 2, "massData-mass": 1, "massData-center": {"x": 10, "y": 0}, "massData-I": 1,
            "fixture": [{"circle": {"radius": 1}, "density": 1}]}])",
         "Ignoring the mass data of body 0: *\n", 1, 1, 0},
    };
    for (const Case& c : cases)
    {
        ExpectLoadsTheRest(c);
    }
}

TEST(MalformedInput, ShapesTheLibraryRefuses)
{
    const auto fixture = [](const std::string& shape) {
        return "\"body\": [{\"fixture\": [{\"circle\": {\"radius\": 1}}, {" + shape + "}]}]";
    };
    const Case cases[] = {
        {fixture(R"("polygon": {"vertices": {"x": [0, 1], "y": [0, 0]}})"),
         "Skipping fixture 1 of body 0: polygon has 2 vertices (at least 3)\n", 1, 1, 0},
        {fixture(R"("polygon": {"vertices": {"x": [0, 1, 2, 3, 4, 5, 6, 7, 8], "y": [0, 1, 4, 9, 16, 25, 36, 49, 64]}})"),
         "Skipping fixture 1 of body 0: polygon has 9 vertices (at most 8)\n", 1, 1, 0},
        {fixture(R"("polygon": {"vertices": {"x": [0, 1, "7F800000"], "y": [0, 0, 1]}})"),
         "Skipping fixture 1 of body 0: polygon vertex 2 is not finite or too far from the origin\n", 1, 1, 0},
        {fixture(R"("chain": {"vertices": {"x": [1], "y": [1]}})"),
         "Skipping fixture 1 of body 0: chain has 1 vertex (at least 2)\n", 1, 1, 0},
        {fixture(R"("chain": {"vertices": {"x": [0, 1, 1, 2], "y": [0, 0, 0, 0]}})"),
         "Skipping fixture 1 of body 0: chain has neighbouring vertices that coincide or nearly so\n", 1, 1, 0},
        {fixture(R"("loop": {"vertices": {"x": [0, 1], "y": [0, 0]}})"),
         "Skipping fixture 1 of body 0: loop has 2 vertices (at least 3)\n", 1, 1, 0},
        {fixture(R"("density": 1)"), "Skipping fixture 1 of body 0: it has no shape\n", 1, 1, 0},
    };
    for (const Case& c : cases)
    {
        ExpectLoadsTheRest(c);
    }
}

TEST(MalformedInput, JointReferencesThatDoNotResolve)
{
    const std::string gearOn = R"({"type": "gear", "bodyA": 0, "bodyB": 1, "ratio": 1, )";
    const Case cases[] = {
        {TwoBodiesAnd(R"({"type": "weld", "bodyA": 1, "bodyB": 1})"),
         "Skipping joint 0: *\n", 2, 2, 0},
        {TwoBodiesAnd(R"({"type": "weld", "bodyA": 0, "bodyB": -1})"),
         "Skipping joint 0: \"bodyB\" (-1) is outside the body list (2 entries)\n", 2, 2, 0},
        {R"("body": [{}, {"angle": "nonsense"}], "joint": [{"type": "weld", "bodyA": 1, "bodyB": 0}])",
         "Skipping body 1: \"angle\" is not eight hex digits\n"
         "Skipping joint 0: \"bodyA\" (1) names a body that was not loaded\n",
         1, 0, 0},
        {TwoBodiesAnd(R"({"type": "revolute", "bodyA": 0, "bodyB": 2}, )" + std::string(k_revolute) + ", " +
                      gearOn + R"("joint1": 0, "joint2": 1})"),
         "Skipping joint 0: \"bodyB\" (2) is outside the body list (2 entries)\n"
         "Skipping joint 2: \"joint1\" (0) names a joint that was not loaded\n",
         2, 2, 1},
        {TwoBodiesAnd(std::string(k_revolute) + R"(, {"type": "distance", "bodyA": 0, "bodyB": 1, "length": 1}, )" +
                      gearOn + R"("joint1": 0, "joint2": 1})"),
         "Skipping joint 2: \"joint2\" names a distance joint, not a revolute or prismatic one\n", 2, 2, 2},
        {TwoBodiesAnd(R"({"type": "rope", "bodyA": 0, "bodyB": 1, "maxLength": 2}, )" + gearOn +
                      R"("joint1": 0, "joint2": 0})"),
         "Skipping joint 1: \"joint1\" names a rope joint, not a revolute or prismatic one\n", 2, 2, 1},
        {TwoBodiesAnd(std::string(k_revolute) + ", " + k_revolute + ", " + gearOn + R"("joint1": 0, "joint2": 7})"),
         "Skipping joint 2: \"joint2\" (7) is outside the joint list (3 entries)\n", 2, 2, 2},
        // The gear's bodies come from the coupled joints (body B of each), whatever "bodyA" and
        // "bodyB" say: coupling one joint with itself, or two joints that move the same body,
        // would make a gear of a body to itself that no saved scene could load.
        {TwoBodiesAnd(std::string(k_revolute) + ", " + gearOn + R"("joint1": 0, "joint2": 0})"),
         "Skipping joint 1: *\n", 2, 2, 1},
        {TwoBodiesAnd(std::string(k_revolute) + ", " + k_revolute + ", " + gearOn + R"("joint1": 0, "joint2": 1})"),
         "Skipping joint 2: *\n", 2, 2, 2},
        // The library asserts unless both of those bodies are dynamic.
        {R"("body": [{}, {"type": 2, "massData-mass": 1, "massData-I": 1}], "joint": [)" + std::string(k_revolute) +
             R"(, {"type": "revolute", "bodyA": 1, "bodyB": 0}, )" + gearOn + R"("joint1": 0, "joint2": 1}])",
         "Skipping joint 2: *\n", 2, 0, 2},
        {TwoBodiesAnd(R"({"type": "motor", "bodyA": 0, "bodyB": 1}, {"bodyA": 0, "bodyB": 1})"),
         "Skipping joint 0: unknown type \"motor\"\nSkipping joint 1: it has no type\n", 2, 2, 0},
    };
    for (const Case& c : cases)
    {
        ExpectLoadsTheRest(c);
    }
}

TEST(MalformedInput, WrongJsonTypesAnywhere)
{
    const auto body = [](const std::string& members) { return "\"body\": [{}, {" + members + "}]"; };
    const auto polygon = [&body](const std::string& vertices) {
        return body("\"fixture\": [{\"polygon\": {\"vertices\": " + vertices + "}}]");
    };
    const Case cases[] = {
        {R"("body": {"type": 2})", "Skipping every body: \"body\" is not an array\n", 0, 0, 0},
        {R"("body": 5, "joint": "none")",
         "Skipping every body: \"body\" is not an array\nSkipping every joint: \"joint\" is not an array\n", 0, 0, 0},
        {R"("body": ["static", {}])", "Skipping body 0: it is not an object\n", 1, 0, 0},
        {body(R"("fixture": {"circle": {"radius": 1}})"), "Skipping body 1: \"fixture\" is not an array\n", 1, 0, 0},
        {body(R"("fixture": [3, {"circle": {"radius": 1}}])"), "Skipping fixture 0 of body 1: it is not an object\n",
         2, 1, 0},
        {polygon(R"("3F800000")"), "Skipping fixture 0 of body 1: polygon: \"vertices\" is not an object\n", 2, 0, 0},
        {polygon(R"({"x": [0, 1, 1], "y": [0, 0]})"),
         "Skipping fixture 0 of body 1: polygon: \"vertices\" has \"x\" and \"y\" arrays of different lengths\n", 2, 0,
         0},
        {polygon(R"({"x": [0, true, 1], "y": [0, 0, 1]})"),
         "Skipping fixture 0 of body 1: polygon: \"vertices\": element 1 is not a number\n", 2, 0, 0},
        {body(R"("fixture": [{"circle": 3}])"), "Skipping fixture 0 of body 1: \"circle\" is not an object\n", 2, 0, 0},
        {body(R"("fixture": [{"circle": {"radius": 1}, "filter-maskBits": 70000}])"),
         "Skipping fixture 0 of body 1: \"filter-maskBits\" is outside 0 to 65535\n", 2, 0, 0},
        {body(R"("type": "dynamic")"), "Skipping body 1: \"type\" is not an integer\n", 1, 0, 0},
        {body(R"("type": 7)"), "Skipping body 1: \"type\" is outside 0 to 2\n", 1, 0, 0},
        {body(R"("position": [1, 2])"),
         "Skipping body 1: \"position\" is not a vector (0 or an object of \"x\" and \"y\" numbers)\n", 1, 0, 0},
        {body(R"("angle": {})"), "Skipping body 1: \"angle\" is not a number\n", 1, 0, 0},
        {body(R"("name": 5)"), "Skipping body 1: \"name\" is not a string\n", 1, 0, 0},
        {TwoBodiesAnd(R"({"type": 3, "bodyA": 0, "bodyB": 1})"), "Skipping joint 0: \"type\" is not a string\n", 2, 2,
         0},
        {TwoBodiesAnd(R"({"type": "weld", "bodyA": "0", "bodyB": 1})"),
         "Skipping joint 0: \"bodyA\" is not an integer\n", 2, 2, 0},
        {R"("allowSleep": "no", "subStepping": {})",
         "Ignoring a world setting: \"allowSleep\" is not true or false\n"
         "Ignoring a world setting: \"subStepping\" is not true or false\n",
         0, 0, 0},
    };
    for (const Case& c : cases)
    {
        ExpectLoadsTheRest(c);
    }
}

TEST(MalformedInput, NullElementsEndTheirListsAndSaySo)
{
    ExpectLoadsTheRest({R"("body": [{"fixture": [{"circle": {"radius": 1}}, null, {"circle": {"radius": 2}}]}, null, {}])",
                        "Ignoring every fixture of body 0 after fixture 1, which is null\n"
                        "Ignoring every body after body 1, which is null\n",
                        1, 1, 0});
}

TEST(MalformedInput, LinesComeInDocumentOrder)
{
    const std::string bad = R"({"fixture": [{"circle": {"radius": 1}}, {"polygon": 0}]})";
    ExpectLoadsTheRest({"\"body\": [" + bad + ", {}, {\"type\": 9}, {\"type\": 2, \"massData-I\": \"7F800000\"}], " +
                            R"("joint": [{"type": "gear"}, {"type": "weld", "bodyA": 0, "bodyB": 2}, {"type": "x"}])",
                        "Skipping fixture 1 of body 0: \"polygon\" is not an object\n"
                        "Skipping body 2: \"type\" is outside 0 to 2\n"
                        "Ignoring the mass data of body 3: *\n"
                        "Skipping joint 0: \"joint1\" (0) names a joint that was not loaded\n"
                        "Skipping joint 1: \"bodyB\" (2) names a body that was not loaded\n"
                        "Skipping joint 2: unknown type \"x\"\n",
                        3, 1, 0});
}

TEST(MalformedInput, SkipCountSaysHowManyObjectsWereLeftOut)
{
    // A fixture, a body and a joint left out, and a body that keeps the mass of its fixtures
    // instead of the malformed mass data: only the three left out count.
    const std::string document = R"({"body": [{"fixture": [{"polygon": 0}]}, {"type": 9},
        {"type": 2, "massData-I": "7F800000"}], "joint": [{"type": "x"}]})";
    WorldDoc doc(false);
    std::string output;
    ASSERT_TRUE(ReadWorld(doc, document, &output));
    EXPECT_EQ(3, doc.skippedCount()) << output;

    // A later read that loads everything starts the count again.
    ASSERT_TRUE(ReadWorld(doc, "{}", &output));
    EXPECT_EQ(0, doc.skippedCount());
}

TEST(MalformedInput, DocumentsThatAreNotScenesGiveNoWorld)
{
    WorldDoc doc(false);
    std::string output;
    EXPECT_EQ(nullptr, ReadWorld(doc, "[1, 2, 3]", &output));
    EXPECT_EQ("Could not read the scene: it is not a JSON object\n", output);

    // Nesting deeper than the JSON library parses is a parse failure, not a crash.
    const std::string deep = std::string(100000, '[') + std::string(100000, ']');
    EXPECT_EQ(nullptr, ReadWorld(doc, deep, &output));
    EXPECT_EQ(0u, output.rfind("Failed to parse string\n", 0));
}

TEST(MalformedInput, ClipboardEntryPointsSkipWithoutAPosition)
{
    b2World world(b2Vec2(0.0f, 0.0f));
    WorldDoc doc(false);
    Json::Value value;
    CapturedOutput output;
    EXPECT_EQ(nullptr, doc.j2b2Body(&world, Json::Value("body")));
    Json::Reader().parse(R"({"polygon": {"vertices": {"x": [0, 1], "y": [0, 1]}}})", value);
    const b2BodyDef bodyDef;
    b2Body* body = world.CreateBody(&bodyDef);
    EXPECT_EQ(nullptr, doc.j2b2Fixture(body, value));
    Json::Reader().parse(R"({"type": "weld", "bodyA": 0, "bodyB": 1})", value);
    EXPECT_EQ(nullptr, doc.j2b2Joint(&world, value));
    EXPECT_EQ("Skipping body: it is not an object\n"
              "Skipping fixture: polygon has 2 vertices (at least 3)\n"
              "Skipping joint: \"bodyA\" (0) is outside the body list (0 entries)\n",
              output.text());
    EXPECT_EQ(1, world.GetBodyCount());

    // Vertex arrays built in code may have gaps: missing elements read 0, nothing past the end.
    Json::Value sparse(Json::objectValue);
    for (const int i : {0, 2, 3})
    {
        WorldDoc::vecToJson("vertices", b2Vec2(i == 2 ? 1.0f : 0.5f * i, i == 3 ? 1.0f : 0.0f), sparse["polygon"], i);
    }
    b2Fixture* fixture = doc.j2b2Fixture(body, sparse);
    ASSERT_TRUE(fixture);
    EXPECT_EQ(3, static_cast<const b2PolygonShape*>(fixture->GetShape())->m_count);
}

}  // namespace
