// Every scene of the registry, created through its row's factory: it settles inside the default
// view with its keys in use (and some scenes end as their row checks), keys it has no use for
// change nothing, and it keeps running while the host destroys its joints, fixtures and bodies in
// random order (what the editor does).
#include "SceneDriver.h"

#include "Tests/Confined.h"
#include "Tests/Pyramid.h"
#include "Tests/TestEntries.h"
#include "Tests/TimeOfImpact.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>

namespace
{

enum Expectation : unsigned
{
    k_settlesInView = 1,     // every body ends inside the default view
    k_neverSteps = 2,        // the scene computes geometry outside the world, which stays still
    k_keysMoveTheWorld = 4,  // the scene's keys change its bodies (others act on the scene alone)
};

struct SceneRow
{
    const char* keys;
    unsigned expected;
    void (*check)(::Test& scene) = nullptr;  // on the settled scene
};

constexpr unsigned k_plain = k_settlesInView;
constexpr unsigned k_keyed = k_settlesInView | k_keysMoveTheWorld;

void ExpectEveryCircleInsideTheBox(::Test& scene)
{
    const b2AABB box = Confined::Interior();
    for (b2Body* body : DynamicBodies(scene.GetWorld()))
    {
        const b2Vec2 p = body->GetPosition();
        EXPECT_TRUE(p.x > box.lowerBound.x && p.x < box.upperBound.x && p.y > box.lowerBound.y &&
                    p.y < box.upperBound.y)
            << "body at " << ::testing::PrintToString(p);
    }
}

void ExpectThePyramidStillStands(::Test& scene)
{
    const std::vector<b2Body*> boxes = DynamicBodies(scene.GetWorld());
    ASSERT_EQ(static_cast<int>(boxes.size()), Pyramid::k_baseCount * (Pyramid::k_baseCount + 1) / 2);
    float top = 0.0f;
    for (b2Body* box : boxes)
    {
        top = std::max(top, box->GetPosition().y);
        EXPECT_LT(std::fabs(box->GetPosition().x), 11.0f);
        EXPECT_LT(box->GetLinearVelocity().Length(), 0.5f);
    }
    EXPECT_GT(top, Pyramid::k_baseCount - 1.0f) << "the top box has come down: the pyramid collapsed";
}

// The ball starts below the platform: resting on top of it, it has flown through from below.
void ExpectTheBallToRestOnThePlatform(::Test& scene)
{
    const std::vector<b2Body*> platforms = Bodies(scene.GetWorld(), [](b2Body* body) {
        return body->GetType() == b2_staticBody && body->GetFixtureList() &&
               body->GetFixtureList()->GetType() == b2Shape::e_polygon;
    });
    const std::vector<b2Body*> balls = DynamicBodies(scene.GetWorld());
    ASSERT_EQ(platforms.size(), 1u);
    ASSERT_EQ(balls.size(), 1u);
    const float top = platforms[0]->GetFixtureList()->GetAABB(0).upperBound.y;
    EXPECT_NEAR(balls[0]->GetPosition().y, top + balls[0]->GetFixtureList()->GetShape()->m_radius, 0.05f);
    EXPECT_NEAR(balls[0]->GetLinearVelocity().y, 0.0f, 0.01f);
}

void ExpectTheSquareToReachTheBarWithinItsSweep(::Test& scene)
{
    const b2TOIOutput& output = static_cast<TimeOfImpact&>(scene).GetOutput();
    EXPECT_EQ(output.state, b2TOIOutput::e_touching);
    EXPECT_GT(output.t, 0.0f);
    EXPECT_LT(output.t, 1.0f);
}

// The falling rack turns both wheels until it stops at the end of its travel: where the wheels
// meet their rims have moved alike, and the large wheel's rim has moved with the rack beside it.
void ExpectTheGearsToHaveMovedTogether(::Test& scene)
{
    const std::vector<b2Joint*> axles = JointsOfType(scene.GetWorld(), e_revoluteJoint);
    const std::vector<b2Joint*> slides = JointsOfType(scene.GetWorld(), e_prismaticJoint);
    ASSERT_EQ(axles.size(), 2u);
    ASSERT_EQ(slides.size(), 1u);
    const auto rimTravel = [](b2Joint* axle) {
        const float radius = axle->GetBodyB()->GetFixtureList()->GetShape()->m_radius;
        return static_cast<b2RevoluteJoint*>(axle)->GetJointAngle() * radius;
    };
    auto* rack = static_cast<b2PrismaticJoint*>(slides[0]);
    EXPECT_NEAR(rack->GetJointTranslation(), rack->GetLowerLimit(), 0.05f);
    // Newest first: the large wheel's axle, then the small one's.
    EXPECT_NEAR(rimTravel(axles[1]), -rimTravel(axles[0]), 0.01f);
    EXPECT_NEAR(rimTravel(axles[0]), rack->GetJointTranslation(), 0.01f);
}

// By registry name, the scenes with keys or other expectations; every other scene has no keys and
// settles in the default view. The car drives along a road far longer than the view.
const std::map<std::string, SceneRow> k_rows = {
    {"Revolute", {"lm", k_keyed}},
    {"Gears", {"", k_plain, ExpectTheGearsToHaveMovedTogether}},
    {"Polygon Shapes", {"12345ad", k_keyed}},
    {"Web", {"bj", k_keyed}},
    {"Car", {"asdqe", k_keysMoveTheWorld}},
    {"Vertical Stack", {",", k_keyed}},
    {"RopeJoint", {"j", k_keyed}},
    {"One-Sided Platform", {"", k_plain, ExpectTheBallToRestOnThePlatform}},
    {"Pinball", {"aA", k_keyed}},
    {"Time of Impact", {"adswqe", k_plain, ExpectTheSquareToReachTheBarWithinItsSweep}},
    {"Ray-Cast", {"12345dm", k_keyed}},
    {"Confined", {"c", k_keyed, ExpectEveryCircleInsideTheBox}},
    {"Pyramid", {"", k_plain, ExpectThePyramidStillStands}},
    {"Theo Jansen's Walker", {"asdm", k_keyed}},
    {"Body Types", {"dsk", k_keyed}},
    {"Prismatic", {"lms", k_keyed}},
    {"Edge Shapes", {"12345d", k_keyed}},
    {"PolyCollision", {"adswqe", k_settlesInView | k_neverSteps}},
    {"Apply Force", {"wad", k_keyed}},
    {"Distance Test", {"adswqe", k_plain}},
    {"Dynamic Tree", {"acdm", k_settlesInView | k_neverSteps}},
    {"Shape Editing", {"cd", k_keyed}},
    {"Slider Crank", {"fm", k_keyed}},
};

// Positions and angles of every body, newest first: equal for two runs that did the same.
std::vector<float> WorldState(b2World* world)
{
    std::vector<float> state;
    for (b2Body* body : Bodies(world))
    {
        state.insert(state.end(), {body->GetPosition().x, body->GetPosition().y, body->GetAngle()});
    }
    state.push_back(static_cast<float>(world->GetJointCount()));
    return state;
}

class SceneCatalogue : public ::testing::TestWithParam<int>
{
protected:
    void SetUp() override
    {
        const auto row = k_rows.find(Entry().name);
        m_row = row != k_rows.end() ? row->second : SceneRow{"", k_plain};
    }

    const TestEntry& Entry() const { return g_testEntries[GetParam()]; }

    // A new scene with the random numbers some scenes place things with restarted, so that two
    // runs of one scene see the same ones.
    std::unique_ptr<::Test> Create() const
    {
        std::srand(1);
        return std::unique_ptr<::Test>(Entry().createFcn());
    }

    // The world after 60 frames, with every printable key but the scene's pressed before each
    // (`pressOthers`).
    std::vector<float> StateAfter60Frames(bool pressOthers) const
    {
        std::unique_ptr<::Test> test = Create();
        for (int frame = 0; frame < 60; ++frame)
        {
            for (unsigned char key = ' '; pressOthers && key <= '~'; ++key)
            {
                if (std::strchr(m_row.keys, key) == nullptr)
                {
                    PressKey(*test, key);
                }
            }
            StepFrame(*test);
        }
        return WorldState(test->GetWorld());
    }

    bool Expects(Expectation expectation) const { return (m_row.expected & expectation) != 0; }

    SceneRow m_row{};
};

TEST_P(SceneCatalogue, OnlyItsOwnKeysActAndItSettlesInTheDefaultViewWithThemInUse)
{
    const std::vector<float> untouched = StateAfter60Frames(false);
    EXPECT_EQ(StateAfter60Frames(true), untouched);
    std::unique_ptr<::Test> test = Create();
    RunFrames(*test, 60, m_row.keys);
    if (Expects(k_keysMoveTheWorld))
    {
        EXPECT_NE(WorldState(test->GetWorld()), untouched);
    }
    RunFrames(*test, 240, m_row.keys);
    // The last frames draw every shape and joint.
    Settings drawn;
    RunFrames(*test, 5, m_row.keys, &drawn);

    EXPECT_EQ(test->stepCount, Expects(k_neverSteps) ? 0 : 305);
    // The default view is centred on (0, 20), 50 m tall and about 83 m wide; every scene stands
    // on ground at about y = 0, and a body below -5 has fallen through it.
    for (b2Body* body : Bodies(test->GetWorld()))
    {
        const b2Vec2 p = body->GetPosition();
        ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << "body at " << ::testing::PrintToString(p);
        EXPECT_GT(p.y, -5.0f) << "body at " << ::testing::PrintToString(p);
        if (Expects(k_settlesInView))
        {
            EXPECT_TRUE(std::fabs(p.x) < 41.5f && p.y < 45.0f) << "body at " << ::testing::PrintToString(p);
        }
    }
    if (m_row.check != nullptr)
    {
        m_row.check(*test);
    }
}

TEST_P(SceneCatalogue, KeepsRunningWhileTheHostDestroysItsObjectsInRandomOrder)
{
    std::unique_ptr<::Test> test = Create();
    RunFrames(*test, 30, m_row.keys);
    test->LaunchBomb(b2Vec2(2.0f, 20.0f), b2Vec2(0.0f, -20.0f));
    test->MouseDown(b2Vec2(2.0f, 20.0f));

    // Each round destroys one joint, fixture or body (the bomb and the grabbed body among them),
    // then the scene runs and takes its keys. Keys that add bodies stop after 100 rounds, so
    // that the world empties. A fixed seed keeps failures reproducible.
    std::mt19937 random(12345);
    b2World* world = test->GetWorld();
    for (int round = 0; world->GetBodyCount() > 0; ++round)
    {
        const std::vector<b2Joint*> joints = Joints(world);
        const std::vector<b2Fixture*> fixtures = Fixtures(world);
        const std::vector<b2Body*> bodies = Bodies(world);
        std::size_t pick = random() % (joints.size() + fixtures.size() + bodies.size());
        if (pick < joints.size())
        {
            test->DestroyJoint(joints[pick]);
        }
        else if ((pick -= joints.size()) < fixtures.size())
        {
            test->DestroyFixture(fixtures[pick]);
        }
        else
        {
            test->DestroyBody(bodies[pick - fixtures.size()]);
        }
        RunFrames(*test, 2);
        for (const char* key = m_row.keys; *key && round < 100; ++key)
        {
            PressKey(*test, static_cast<unsigned char>(*key));
        }
    }
    EXPECT_EQ(test->bomb, nullptr);
    EXPECT_EQ(test->mouseJoint, nullptr);
    test->MouseUp(b2Vec2(2.0f, 20.0f));
    test->LaunchBomb();
    RunFrames(*test, 30, m_row.keys);
}

// Row 36 runs the same scene as row 1 and is not repeated here.
std::vector<int> DistinctRows()
{
    std::vector<int> rows;
    std::set<std::string> seen;
    for (int row = 0; g_testEntries[row].createFcn != nullptr; ++row)
    {
        if (seen.insert(g_testEntries[row].name).second)
        {
            rows.push_back(row);
        }
    }
    return rows;
}

std::string RowName(const ::testing::TestParamInfo<int>& info)
{
    std::string name = g_testEntries[info.param].name;
    name.erase(std::remove_if(name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }), name.end());
    return name;
}

INSTANTIATE_TEST_SUITE_P(Registry, SceneCatalogue, ::testing::ValuesIn(DistinctRows()), RowName);

}  // namespace
