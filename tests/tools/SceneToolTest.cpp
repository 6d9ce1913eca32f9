// vexa-scene as a pipeline runs it: what `check` reports, with which exit status, for good, damaged,
// missing and non-JSON files; `roundtrip` rewrites faithfully or not at all; bad arguments.
#include "ToolRun.h"

#include <gtest/gtest.h>
#include <json/json.h>

#include <filesystem>

namespace
{

// The output without its first line, which names the file.
std::string WithoutFileLine(const std::string& output)
{
    return output.substr(output.find('\n') + 1);
}

class SceneTool : public ::testing::Test
{
protected:
    // A scene of every body type, shape and joint kind, two of its bodies with the same name.
    void SetUp() override
    {
        ASSERT_TRUE(
            Json::Reader().parse(ReadTextFile(VEXA_SOURCE_DIR "/tests/WorldDoc/golden/every_kind.json"), scene));
        scene["body"][1]["name"] = scene["body"][2]["name"] = "ball";
        sample = File("sample.json", Json::StyledWriter().write(scene));
    }

    // Writes `text` to the file `name` of the scratch directory, and gives its path.
    std::string File(const std::string& name, const std::string& text) const
    {
        WriteTextFile(scratch.file(name), text);
        return scratch.file(name);
    }

    ToolRun Scene(const std::vector<std::string>& arguments) const { return RunTool("vexa-scene", arguments, scratch); }

    ScratchDirectory scratch;
    Json::Value scene;
    std::string sample;
};

}  // namespace

// A good scene through both commands: the check's summary, and a roundtrip copy that keeps every
// object (the check sums it up alike) and that a second roundtrip rewrites byte for byte.
TEST_F(SceneTool, CheckSummarisesAGoodSceneAndRoundtripCopiesItFaithfullyToAWritableOutput)
{
    const std::string first = scratch.file("first.json");
    const std::string second = scratch.file("second.json");
    ASSERT_EQ(Scene({"roundtrip", sample, first}).status, 0);
    ASSERT_EQ(Scene({"roundtrip", first, second}).status, 0);
    EXPECT_EQ(ReadTextFile(second), ReadTextFile(first));
    for (const std::string& file : {sample, first})
    {
        const ToolRun run = Scene({"check", file});
        EXPECT_EQ(run.status, 0) << file << ": " << run.errors;
        // The rope is a rope, not a second distance joint.
        EXPECT_EQ(
            WithoutFileLine(run.output),
            "gravity: 0.1 -9.81\n"
            "settings: allowSleep on, autoClearForces on, warmStarting off, continuousPhysics on, subStepping on\n"
            "bodies: 4 (static 1, kinematic 1, dynamic 2)\n"
            "fixtures: 7 (circle 1, edge 1, polygon 3, chain 1, loop 1)\n"
            "joints: 10 (revolute 1, prismatic 1, distance 1, pulley 1, mouse 1, gear 1, wheel 1, weld 1, "
            "friction 1, rope 1)\n"
            "named bodies: 3 (\"ball\" x2, \"ground\")\n"
            "named fixtures: 1 (\"tyre\")\n"
            "named joints: 2 (\"axle\", \"tether\")\n"
            "warnings: 3\n"
            "  Warning: world is set to use continuous physics.\n"
            "  Warning: world is set to use sub stepping.\n"
            "  Recreated behaviour may differ from original.\n"
            "problems: 0\n"
            "result: ok\n");
        EXPECT_EQ(run.errors, "");
    }

    const ToolRun unwritable = Scene({"roundtrip", sample, scratch.file("no-such-folder/out.json")});
    EXPECT_EQ(unwritable.status, 5);
    EXPECT_NE(unwritable.errors.find("no-such-folder/out.json"), std::string::npos) << unwritable.errors;
}

TEST_F(SceneTool, DamagedSceneFailsTheCheckAndRoundtripWritesNothingFromIt)
{
    // A joint whose body index is past the end and a fixture without a shape: the reader skips both.
    Json::Value joint = scene["joint"][0];
    joint["bodyA"] = 99;
    scene["joint"].append(joint);
    scene["body"][0]["fixture"].append(Json::Value(Json::objectValue))["density"] = 1;
    const std::string damaged = File("damaged.json", Json::StyledWriter().write(scene));

    ToolRun run = Scene({"check", damaged});
    EXPECT_EQ(run.status, 1) << run.output << run.errors;
    // What did load is still summarised.
    EXPECT_NE(run.output.find("\nbodies: 4 ("), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("  joints: the file holds 11, 10 loaded\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("  fixtures: the file holds 8, 7 loaded\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("\nresult: loaded with problems\n"), std::string::npos) << run.output;

    const std::string out = scratch.file("out.json");
    run = Scene({"roundtrip", damaged, out});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find("joints: the file holds 11, 10 loaded"), std::string::npos) << run.errors;
    EXPECT_FALSE(std::filesystem::exists(out));
    // An existing output stays as it was.
    WriteTextFile(out, "previous contents");
    EXPECT_EQ(Scene({"roundtrip", scratch.file("missing.json"), out}).status, 3);
    EXPECT_EQ(Scene({"roundtrip", damaged, out}).status, 1);
    EXPECT_EQ(ReadTextFile(out), "previous contents");
}

// Each cause of failure has its own exit status and is named on the error stream, and nothing of a
// summary reaches the output a pipeline reads.
TEST_F(SceneTool, FailedRunsPrintNothingNameTheCauseAndExitWithItsStatus)
{
    // A missing file and a folder cannot be read (3); files that are not JSON objects are not scenes (4).
    std::filesystem::create_directory(scratch.file("folder.json"));
    const std::pair<std::vector<std::string>, int> failures[] = {
        {{"check", scratch.file("missing.json")}, 3},
        {{"check", scratch.file("folder.json")}, 3},
        {{"check", File("garbage.json", "this is { not JSON")}, 4},
        {{"check", File("truncated.json", "{ \"body\" : [ { \"type\" : 2 }")}, 4},
        {{"check", File("empty.json", "")}, 4},
        {{"check", File("array.json", "[ { \"type\" : 2 } ]")}, 4},
        {{"check", File("number.json", "42")}, 4},
        {{}, 2},
        {{"check"}, 2},
        {{"check", sample, "extra"}, 2},
        {{"roundtrip", sample}, 2},
        {{"validate", sample}, 2},
        {{"--verbose"}, 2},
    };
    for (const auto& [arguments, status] : failures)
    {
        const ToolRun run = Scene(arguments);
        // A bad command line is answered with the usage, a bad file with its path.
        const std::string named = status == 2 ? "usage: vexa-scene check FILE" : arguments.back();
        EXPECT_EQ(run.status, status) << named;
        EXPECT_NE(run.errors.find(named), std::string::npos) << named << ": " << run.errors;
        EXPECT_EQ(run.output, "") << named;
    }

    const ToolRun help = Scene({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("usage: vexa-scene check FILE"), std::string::npos);
}
