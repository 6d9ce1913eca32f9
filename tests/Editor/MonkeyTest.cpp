// Random use of editor mode on every scene of the registry, with the editor's references into the
// world, the names and the world's numbers checked after every event; and the check itself, on
// references that are broken on purpose.
//
// VEXA_MONKEY_EVENTS (all scenes together), VEXA_MONKEY_SEED and VEXA_MONKEY_SCENE (one registry
// row only) set a longer or different run without a rebuild; a fault prints the values that
// replay it.
#include "EditorModeFixture.h"
#include "Monkey.h"
#include "WorldReferenceCheck.h"

#include "Framework/Shell.h"
#include "Framework/Test.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace
{

long long EnvironmentNumber(const char* name, long long fallback)
{
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::atoll(text) : fallback;
}

}  // namespace

TEST(MonkeyCheck, FindsReferencesThatOutliveTheirObjects)
{
    ::Test host;
    b2World* world = host.GetWorld();
    b2BodyDef def;
    def.type = b2_dynamicBody;
    b2Body* body = world->CreateBody(&def);
    b2PolygonShape box;
    box.SetAsBox(1.0f, 1.0f);
    b2Fixture* fixture = body->CreateFixture(&box, 1.0f);
    b2Body* other = world->CreateBody(&def);
    _controlState state;
    state.selectedBodies.insert(body);
    state.selectedVertices.insert(vertexInfo{fixture, 3});
    host.names.bodyNames[body] = "box";
    EXPECT_EQ("", FindBrokenReferences(world, &state, &host.names));

    state.candidateVertices.insert(vertexInfo{fixture, 4});
    EXPECT_NE(std::string::npos, FindBrokenReferences(world, &state, nullptr).find("candidateVertices"));
    state.candidateVertices.clear();

    // Destroyed behind the editor's and the host's backs: the freed addresses stay behind.
    world->DestroyBody(body);
    EXPECT_NE(std::string::npos, FindBrokenReferences(world, &state, nullptr).find("selectedBodies"));
    state.selectedBodies.clear();
    EXPECT_NE(std::string::npos, FindBrokenReferences(world, &state, nullptr).find("selectedVertices"));
    state.selectedVertices.clear();
    EXPECT_NE(std::string::npos, FindBrokenReferences(world, &state, &host.names).find("the body names"));
    host.names.bodyNames.clear();

    state.splitInfo.fixture = fixture;
    EXPECT_NE(std::string::npos, FindBrokenReferences(world, &state, nullptr).find("split point"));
    state.splitInfo.fixture = nullptr;
    EXPECT_EQ("", FindBrokenReferences(world, &state, &host.names));

    other->SetTransform(b2Vec2(0.0f, NAN), 0.0f);
    EXPECT_NE(std::string::npos, FindBrokenReferences(world, &state, nullptr).find("position (0, nan)"));
}

// Files the monkey saves, and the snapshots of simulation mode, stay apart from other tests'.
class MonkeyTest : public EditorModeTest
{
protected:
    void SetUp() override
    {
        EditorModeTest::SetUp();
        std::filesystem::create_directories(directory);
        ASSERT_EQ(0, chdir(directory.c_str()));
    }
    void TearDown() override
    {
        EXPECT_EQ(0, chdir(ShellWorkingDirectory().c_str()));
        EditorModeTest::TearDown();
    }

    const std::string directory = ShellWorkingDirectory() + "/monkey";
    const std::uint64_t seed = static_cast<std::uint64_t>(EnvironmentNumber("VEXA_MONKEY_SEED", 1));
    const long long onlyRow = EnvironmentNumber("VEXA_MONKEY_SCENE", -1);
};

TEST_F(MonkeyTest, RandomUseOfEverySceneKeepsTheEditorsReferencesAlive)
{
    const long long events = EnvironmentNumber("VEXA_MONKEY_EVENTS", 20000);
    const int first = onlyRow >= 0 ? static_cast<int>(onlyRow) : 0;
    const int rows = onlyRow >= 0 ? 1 : getTestCount();
    MonkeyTally tally;
    for (int i = 0; i < rows; ++i)
    {
        const int share = static_cast<int>(events / rows + (i < events % rows ? 1 : 0));
        const std::string fault = RunMonkey(seed, directory, first + i, share, tally);
        EXPECT_TRUE(fault.empty()) << fault;
    }
    std::printf("monkey: %lld of %lld events sent on %d scene%s, seed %llu; %lld of them changed the world\n",
                tally.eventsSent, events, rows, rows == 1 ? "" : "s", static_cast<unsigned long long>(seed),
                tally.worldChanges);
}

// Rounds are short enough for the history to keep every step they make.
TEST_F(MonkeyTest, UndoingEveryStepGivesBackTheStartingWorldAndRedoingTheFinalOne)
{
    const int eventsPerRound = static_cast<int>(EnvironmentNumber("VEXA_MONKEY_EVENTS", 150));
    const int roundsPerRow = onlyRow >= 0 ? 1 : 3;
    MonkeyTally tally;
    int rounds = 0;
    for (int row = onlyRow >= 0 ? static_cast<int>(onlyRow) : 0; row < getTestCount();
         row += onlyRow >= 0 ? getTestCount() : 7)
    {
        for (int round = 0; round < roundsPerRow; ++round, ++rounds)
        {
            const std::string fault = RunMonkeyUndoRound(seed + round, directory, row, eventsPerRound, tally);
            EXPECT_TRUE(fault.empty()) << fault;
        }
    }
    std::printf("monkey: %d undo rounds of %d events, %lld of them changed the world\n", rounds, eventsPerRound,
                tally.worldChanges);
}
