// vexa-scene, run as a pipeline would run it: what `check` reports and which exit status it
// gives for good, damaged, missing and non-JSON files; that `roundtrip` rewrites scenes faithfully
// and never leaves a damaged or partial file behind; and its handling of bad arguments.
#include "ToolRun.h"

#include "Physics/Create.h"
#include "Physics/Ghosts.h"
#include "Physics/JointKinds.h"
#include "WorldDoc/WorldDoc.h"

#include <gtest/gtest.h>
#include <json/json.h>

#include <filesystem>

namespace
{

ToolRun Scene(const std::vector<std::string>& arguments, const ScratchDirectory& scratch)
{
    return RunTool("vexa-scene", arguments, scratch);
}

b2Fixture* AddFixture(b2Body* body, const b2Shape& shape, float density = 0.0f)
{
    b2FixtureDef def;
    def.shape = &shape;
    def.density = density;
    return Physics::CreateFixture(body, def);
}

b2Body* AddBody(b2World& world, b2BodyType type, b2Vec2 position)
{
    b2BodyDef def;
    def.type = type;
    def.position = position;
    return Physics::CreateBody(&world, def);
}

// One body of each type, every shape kind, a revolute, a distance and a rope joint, and names,
// saved by the scene document as the program saves scenes.
void WriteSampleScene(const std::string& path, bool autoClearForces = true)
{
    b2World world(b2Vec2(0.0f, -10.0f));
    world.SetAutoClearForces(autoClearForces);
    WorldDoc doc(true);

    b2Body* ground = AddBody(world, b2_staticBody, b2Vec2_zero);
    doc.setBodyName(ground, "ground");
    b2EdgeShape edge;
    edge.SetTwoSided(b2Vec2(-10.0f, 0.0f), b2Vec2(10.0f, 0.0f));
    doc.setFixtureName(AddFixture(ground, edge), "floor");
    const b2Vec2 hill[] = {{8.0f, 0.0f}, {6.0f, 1.0f}, {4.0f, 1.5f}};
    b2ChainShape chain;
    ASSERT_TRUE(Physics::SetChain(chain, hill, 3));
    AddFixture(ground, chain);

    b2Body* drum = AddBody(world, b2_kinematicBody, b2Vec2(0.0f, 10.0f));
    const b2Vec2 square[] = {{-2.0f, -2.0f}, {-2.0f, 2.0f}, {2.0f, 2.0f}, {2.0f, -2.0f}};
    b2ChainShape loop;
    ASSERT_TRUE(Physics::SetLoop(loop, square, 4));
    AddFixture(drum, loop);

    b2Body* ball = AddBody(world, b2_dynamicBody, b2Vec2(-3.0f, 3.0f));
    b2CircleShape circle;
    circle.m_radius = 0.5f;
    AddFixture(ball, circle, 1.0f);
    b2Body* box = AddBody(world, b2_dynamicBody, b2Vec2(3.0f, 3.0f));
    b2PolygonShape boxShape;
    boxShape.SetAsBox(0.5f, 0.5f);
    AddFixture(box, boxShape, 1.0f);
    doc.setBodyName(ball, "ball");
    doc.setBodyName(box, "ball");

    b2RevoluteJointDef hinge;
    hinge.Initialize(ground, ball, b2Vec2(-3.0f, 5.0f));
    doc.setJointName(Physics::CreateJoint(&world, hinge), "hinge");
    b2DistanceJointDef rod;
    rod.Initialize(ball, box, ball->GetPosition(), box->GetPosition());
    ASSERT_NE(Physics::CreateJoint(&world, rod), nullptr);
    Physics::RopeJointDef rope;
    rope.bodyA = ground;
    rope.bodyB = box;
    rope.localAnchorA = b2Vec2(3.0f, 8.0f);
    rope.maxLength = 5.0f;
    ASSERT_NE(Physics::CreateRopeJoint(&world, rope), nullptr);

    ASSERT_TRUE(doc.writeToFile(&world, path.c_str()));
}

Json::Value ParseFile(const std::string& path)
{
    Json::Value root;
    Json::Reader reader;
    EXPECT_TRUE(reader.parse(ReadTextFile(path), root));
    return root;
}

void WriteJson(const std::string& path, const Json::Value& root)
{
    WriteTextFile(path, Json::StyledWriter().write(root));
}

// The sample scene with a joint whose body index is past the end and a fixture without a shape:
// both are skipped by the reader.
void WriteDamagedScene(const std::string& samplePath, const std::string& path)
{
    Json::Value root = ParseFile(samplePath);
    Json::Value joint = root["joint"][0];
    joint["bodyA"] = 99;
    root["joint"].append(joint);
    Json::Value shapeless(Json::objectValue);
    shapeless["density"] = 1;
    root["body"][0]["fixture"].append(shapeless);
    WriteJson(path, root);
}

// The output without its first line, which names the file.
std::string WithoutFileLine(const std::string& output)
{
    return output.substr(output.find('\n') + 1);
}

class SceneTool : public ::testing::Test
{
protected:
    void SetUp() override
    {
        sample = scratch.file("sample.json");
        WriteSampleScene(sample);
    }

    ScratchDirectory scratch;
    std::string sample;
};

}  // namespace

TEST_F(SceneTool, CheckSummarisesAGoodScene)
{
    const ToolRun run = Scene({"check", sample}, scratch);

    EXPECT_EQ(run.status, 0) << run.output << run.errors;
    EXPECT_NE(run.output.find("\nbodies: 4 (static 1, kinematic 1, dynamic 2)\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("\nfixtures: 5 (circle 1, edge 1, polygon 1, chain 1, loop 1)\n"), std::string::npos)
        << run.output;
    // The rope is a rope, not a third distance joint.
    EXPECT_NE(run.output.find("\njoints: 3 (revolute 1, prismatic 0, distance 1, pulley 0, mouse 0, gear 0, "
                              "wheel 0, weld 0, friction 0, rope 1)\n"),
              std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("\nnamed bodies: 3 (\"ball\" x2, \"ground\")\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("\nnamed fixtures: 1 (\"floor\")\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("\nnamed joints: 1 (\"hinge\")\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("\nproblems: 0\nresult: ok\n"), std::string::npos) << run.output;
    EXPECT_EQ(run.errors, "");
}

TEST_F(SceneTool, CheckListsWorldSettingNotesAsWarningsNotProblems)
{
    const std::string path = scratch.file("manual-forces.json");
    WriteSampleScene(path, false);

    const ToolRun run = Scene({"check", path}, scratch);

    EXPECT_EQ(run.status, 0) << run.output;
    const size_t warnings = run.output.find("\nwarnings: ");
    const size_t note = run.output.find("  Warning: world is not set to auto clear forces.\n");
    const size_t problems = run.output.find("\nproblems: 0\n");
    ASSERT_NE(warnings, std::string::npos) << run.output;
    ASSERT_NE(note, std::string::npos) << run.output;
    ASSERT_NE(problems, std::string::npos) << run.output;
    EXPECT_LT(warnings, note);
    EXPECT_LT(note, problems);
}

TEST_F(SceneTool, CheckReportsSkippedObjectsAndFails)
{
    const std::string damaged = scratch.file("damaged.json");
    WriteDamagedScene(sample, damaged);

    const ToolRun run = Scene({"check", damaged}, scratch);

    EXPECT_EQ(run.status, 1) << run.output << run.errors;
    // What did load is still summarised.
    EXPECT_NE(run.output.find("\nbodies: 4 ("), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("  joints: the file holds 4, 3 loaded\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("  fixtures: the file holds 6, 5 loaded\n"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("\nproblems: 0\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("\nresult: loaded with problems\n"), std::string::npos) << run.output;
}

TEST_F(SceneTool, CheckTellsUnreadableFilesFromFilesThatAreNotScenes)
{
    const std::string missing = scratch.file("missing.json");
    ToolRun run = Scene({"check", missing}, scratch);
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.errors.find(missing), std::string::npos) << run.errors;
    EXPECT_EQ(run.output, "");

    const std::string directory = scratch.file("folder.json");
    std::filesystem::create_directory(directory);
    EXPECT_EQ(Scene({"check", directory}, scratch).status, 3);

    const std::pair<const char*, const char*> notScenes[] = {
        {"garbage.json", "this is { not JSON"},
        {"truncated.json", "{ \"body\" : [ { \"type\" : 2 }"},
        {"empty.json", ""},
        {"array.json", "[ { \"type\" : 2 } ]"},
        {"number.json", "42"},
    };
    for (const auto& [name, text] : notScenes)
    {
        const std::string path = scratch.file(name);
        WriteTextFile(path, text);
        run = Scene({"check", path}, scratch);
        EXPECT_EQ(run.status, 4) << name;
        EXPECT_NE(run.errors.find(path), std::string::npos) << name << ": " << run.errors;
        EXPECT_EQ(run.output, "") << name;
    }
}

TEST_F(SceneTool, RoundtripKeepsEveryObjectAndNameAndRewritesItsOwnOutputByteForByte)
{
    const std::string first = scratch.file("first.json");
    const std::string second = scratch.file("second.json");
    ASSERT_EQ(Scene({"roundtrip", sample, first}, scratch).status, 0);
    ASSERT_EQ(Scene({"roundtrip", first, second}, scratch).status, 0);

    const ToolRun rewritten = Scene({"check", first}, scratch);
    EXPECT_EQ(rewritten.status, 0);
    EXPECT_EQ(WithoutFileLine(rewritten.output), WithoutFileLine(Scene({"check", sample}, scratch).output));
    EXPECT_EQ(ReadTextFile(second), ReadTextFile(first));
}

TEST_F(SceneTool, RoundtripWritesNothingFromADamagedOrUnreadableScene)
{
    const std::string damaged = scratch.file("damaged.json");
    WriteDamagedScene(sample, damaged);
    const std::string out = scratch.file("out.json");

    ToolRun run = Scene({"roundtrip", damaged, out}, scratch);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find("joints: the file holds 4, 3 loaded"), std::string::npos) << run.errors;
    EXPECT_FALSE(std::filesystem::exists(out));

    // An existing output stays as it was.
    WriteTextFile(out, "previous contents");
    EXPECT_EQ(Scene({"roundtrip", scratch.file("missing.json"), out}, scratch).status, 3);
    EXPECT_EQ(Scene({"roundtrip", damaged, out}, scratch).status, 1);
    EXPECT_EQ(ReadTextFile(out), "previous contents");
}

TEST_F(SceneTool, RoundtripFailsWhenTheOutputCannotBeWritten)
{
    const ToolRun run = Scene({"roundtrip", sample, scratch.file("no-such-folder/out.json")}, scratch);

    EXPECT_EQ(run.status, 5);
    EXPECT_NE(run.errors.find("no-such-folder/out.json"), std::string::npos) << run.errors;
}

TEST_F(SceneTool, BadArgumentsPrintTheUsageAndExitWithTwo)
{
    const std::vector<std::string> bad[] = {
        {},
        {"check"},
        {"check", sample, "extra"},
        {"roundtrip", sample},
        {"validate", sample},
        {"--verbose"},
    };
    for (const auto& arguments : bad)
    {
        const ToolRun run = Scene(arguments, scratch);
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.errors.find("usage: vexa-scene check FILE"), std::string::npos) << run.errors;
        EXPECT_EQ(run.output, "");
    }

    const ToolRun help = Scene({"--help"}, scratch);
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("usage: vexa-scene check FILE"), std::string::npos);
}
