// The registry as a whole: every row in its place, and every scene created through its factory
// runs, takes every key and goes away cleanly.
#include "GlWindowEnvironment.h"
#include "SceneDriver.h"

#include "Tests/TestEntries.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{

const std::vector<std::string> k_rowNames = {
    "Vexa", "Dominos", "Character Collision", "Revolute", "Pulleys", "SphereStack", "Tiles",
    "Polygon Shapes", "Web", "Car", "Vertical Stack", "RopeJoint", "Edge Test", "One-Sided Platform",
    "Pinball", "Bullet Test", "Continuous Test", "Time of Impact", "Ray-Cast", "Confined", "Pyramid",
    "Varying Restitution", "Theo Jansen's Walker", "Body Types", "Prismatic", "Edge Shapes",
    "PolyCollision", "Apply Force", "Cantilever", "Bridge", "Breakable", "Chain", "Collision Filtering",
    "Collision Processing", "Compound Shapes", "Distance Test", "Dominos", "Dynamic Tree", "Gears",
    "Sensor Test", "Shape Editing", "Slider Crank", "Varying Friction"};

// Every key some scene handles, and a few none does.
const std::string k_everyKey = "1234567890abcdefghijklmnopqrstuvwxyzA,.;";

// Presses every key once, stepping a frame after each.
void PressEveryKey(::Test& test, Settings& settings)
{
    for (unsigned char key : k_everyKey)
    {
        PressKey(test, key);
        StepFrame(test, settings);
    }
}

}  // namespace

TEST(Catalogue, RegistryListsTheScenesInOrderAndEndsWithANullRow)
{
    for (size_t i = 0; i < k_rowNames.size(); ++i)
    {
        ASSERT_NE(g_testEntries[i].createFcn, nullptr) << "row " << i;
        EXPECT_EQ(g_testEntries[i].name, k_rowNames[i]) << "row " << i;
    }
    EXPECT_EQ(g_testEntries[k_rowNames.size()].name, nullptr);
    EXPECT_EQ(g_testEntries[k_rowNames.size()].createFcn, nullptr);
    EXPECT_EQ(g_testEntries[1].createFcn, g_testEntries[36].createFcn);
}

class EveryRow : public ::testing::TestWithParam<int>
{
};

TEST_P(EveryRow, RunsWithEveryKeyPressedAndIsDeletedCleanly)
{
    Settings settings;
    settings.drawShapes = 1;
    settings.drawJoints = 1;
    std::unique_ptr<::Test> test(g_testEntries[GetParam()].createFcn());
    ASSERT_NE(test->GetWorld(), nullptr);
    RunFrames(*test, settings, 10 * static_cast<int>(k_everyKey.size()) + 20, k_everyKey);
    test->LaunchBomb();
    RunFrames(*test, settings, 20, "");
}

// The editor may destroy anything a scene remembers while the scene object lives on.
TEST_P(EveryRow, KeepsRunningAsItsJointsFixturesAndBodiesAreDestroyed)
{
    Settings settings;
    std::unique_ptr<::Test> test(g_testEntries[GetParam()].createFcn());
    RunFrames(*test, settings, 30, "");
    b2World* world = test->GetWorld();

    while (world->GetJointList() != nullptr)
    {
        test->DestroyJoint(world->GetJointList());
    }
    PressEveryKey(*test, settings);

    for (b2Body* body : Bodies(world))
    {
        b2Fixture* fixture = body->GetFixtureList();
        while (fixture != nullptr)
        {
            b2Fixture* next = fixture->GetNext();
            test->DestroyFixture(fixture);
            fixture = next;
        }
    }
    PressEveryKey(*test, settings);

    while (world->GetBodyList() != nullptr)
    {
        test->DestroyBody(world->GetBodyList());
    }
    PressEveryKey(*test, settings);
    test->MouseDown(b2Vec2(0.0f, 10.0f));
    test->LaunchBomb();
    RunFrames(*test, settings, 10, "");
}

INSTANTIATE_TEST_SUITE_P(Registry, EveryRow, ::testing::Range(0, 43),
                         [](const ::testing::TestParamInfo<int>& info) { return "row" + std::to_string(info.param); });
