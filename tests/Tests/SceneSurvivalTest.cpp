// Every scene of this family runs with all its keys, settles without flying apart, ignores keys
// it has no use for, and keeps working while the editor (or the scene itself) destroys the
// bodies, fixtures and joints it remembers.
#include "SceneCase.h"
#include "SceneDriver.h"
#include "UndrawnSettings.h"
#include "UnhandledKeys.h"

#include "Tests/Car.h"
#include "Tests/CharacterCollision.h"
#include "Tests/Dominos.h"
#include "Tests/EdgeTest.h"
#include "Tests/OneSidedPlatform.h"
#include "Tests/Pinball.h"
#include "Tests/Pulleys.h"
#include "Tests/Revolute.h"
#include "Tests/RopeJoint.h"
#include "Tests/SphereStack.h"
#include "Tests/TheoJansen.h"
#include "Tests/Tiles.h"
#include "Tests/VerticalStack.h"
#include "Tests/Web.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

namespace
{

const SceneCase k_scenes[] = {
    {"Car", Car::Create, "asdqe"},
    {"TheoJansen", TheoJansen::Create, "asdm"},
    {"Dominos", Dominos::Create, ""},
    {"CharacterCollision", CharacterCollision::Create, ""},
    {"Revolute", Revolute::Create, "lm"},
    {"Pulleys", Pulleys::Create, ""},
    {"SphereStack", SphereStack::Create, ""},
    {"Tiles", Tiles::Create, ""},
    {"Web", Web::Create, "bj"},
    {"VerticalStack", VerticalStack::Create, ","},
    {"RopeJoint", RopeJoint::Create, "j"},
    {"EdgeTest", EdgeTest::Create, ""},
    {"OneSidedPlatform", OneSidedPlatform::Create, ""},
    {"Pinball", Pinball::Create, "aA"},
};

template <typename Object>
bool Contains(const std::vector<Object*>& objects, const Object* object)
{
    return std::find(objects.begin(), objects.end(), object) != objects.end();
}

// Fixtures destroyed one at a time per body; the rest go with their body.
constexpr int k_fixturesPerBody = 8;

class SceneSurvival : public ::testing::TestWithParam<SceneCase>
{
protected:
    SceneSurvival() : m_test(GetParam().create()) {}

    // Presses every key once, then takes one frame: what a user does right after the editor
    // deleted something.
    void PressAllKeysAndStep()
    {
        PressKeys(*m_test, GetParam().keys);
        StepFrame(*m_test, m_settings);
    }

    // Scene keys destroy and create objects too: each object of the initial list is destroyed
    // only while it is still in the world, and objects created meanwhile are left alone.
    void DestroyJointsOneByOne()
    {
        for (b2Joint* joint : Joints(m_test->GetWorld()))
        {
            if (Contains(Joints(m_test->GetWorld()), joint))
            {
                m_test->DestroyJoint(joint);
                PressAllKeysAndStep();
            }
        }
    }

    void DestroyFixturesOneByOne()
    {
        for (b2Body* body : Bodies(m_test->GetWorld()))
        {
            for (int n = 0; n < k_fixturesPerBody; ++n)
            {
                if (!Contains(Bodies(m_test->GetWorld()), body) || body->GetFixtureList() == nullptr)
                {
                    break;
                }
                m_test->DestroyFixture(body->GetFixtureList());
                PressAllKeysAndStep();
            }
        }
    }

    void DestroyBodiesOneByOne()
    {
        for (b2Body* body : Bodies(m_test->GetWorld()))
        {
            if (Contains(Bodies(m_test->GetWorld()), body))
            {
                m_test->DestroyBody(body);
                PressAllKeysAndStep();
            }
        }
    }

    Settings m_settings;
    std::unique_ptr<::Test> m_test;
};

TEST_P(SceneSurvival, RunsWithEveryKeyAndSettlesInsideItsWorld)
{
    // The physics over a few seconds, then a few frames drawn in full.
    Settings undrawn = UndrawnSettings();
    RunFrames(*m_test, undrawn, 300, GetParam().keys);
    RunFrames(*m_test, m_settings, 5, GetParam().keys);

    // Everything stays in the default view (centre (0, 20), 50 m tall, about 83 m wide),
    // except on the car's long road.
    const bool staysInView = std::string(GetParam().name) != "Car";
    for (b2Body* body : Bodies(m_test->GetWorld()))
    {
        const b2Vec2 p = body->GetPosition();
        const std::string where = "body at " + ::testing::PrintToString(p);
        ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << where;
        // Every scene stands on ground at about y = 0; lower means something fell through.
        EXPECT_GT(p.y, -5.0f) << where;
        if (staysInView)
        {
            EXPECT_LT(std::fabs(p.x), 41.5f) << where;
            EXPECT_LT(p.y, 45.0f) << where;
        }
    }
}

TEST_P(SceneSurvival, KeysWithoutMeaningChangeNothing)
{
    m_settings = UndrawnSettings();
    std::unique_ptr<::Test> untouched(GetParam().create());
    Settings untouchedSettings = UndrawnSettings();
    for (int frame = 0; frame < 60; ++frame)
    {
        PressEveryKeyExcept(*m_test, GetParam().keys);
        StepFrame(*m_test, m_settings);
        StepFrame(*untouched, untouchedSettings);
    }

    const std::vector<b2Body*> pressed = Bodies(m_test->GetWorld());
    const std::vector<b2Body*> reference = Bodies(untouched->GetWorld());
    ASSERT_EQ(pressed.size(), reference.size());
    ASSERT_EQ(m_test->GetWorld()->GetJointCount(), untouched->GetWorld()->GetJointCount());
    for (std::size_t i = 0; i < pressed.size(); ++i)
    {
        EXPECT_EQ(pressed[i]->GetPosition(), reference[i]->GetPosition()) << "body " << i;
        EXPECT_EQ(pressed[i]->GetAngle(), reference[i]->GetAngle()) << "body " << i;
    }
    EXPECT_EQ(m_settings.viewCenter, untouchedSettings.viewCenter);
}

TEST_P(SceneSurvival, KeepsRunningWhileJointsThenFixturesThenBodiesAreDestroyed)
{
    m_settings = UndrawnSettings();
    RunFrames(*m_test, m_settings, 30, GetParam().keys);
    DestroyJointsOneByOne();
    DestroyFixturesOneByOne();
    DestroyBodiesOneByOne();
    RunFrames(*m_test, m_settings, 30, GetParam().keys);
    // Only what the keys created since (a new bullet) can be left.
    EXPECT_LE(m_test->GetWorld()->GetBodyCount(), 1);
}

TEST_P(SceneSurvival, KeepsRunningWhileBodiesGoWithTheirJointsAndFixtures)
{
    m_settings = UndrawnSettings();
    RunFrames(*m_test, m_settings, 30, GetParam().keys);
    DestroyBodiesOneByOne();
    EXPECT_EQ(m_test->GetWorld()->GetJointCount(), 0);
    RunFrames(*m_test, m_settings, 30, GetParam().keys);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, SceneSurvival, ::testing::ValuesIn(k_scenes), SceneCaseName);

}  // namespace
