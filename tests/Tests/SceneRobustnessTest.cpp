// The force, joint, filtering and contact scenes stay in the default view while every key is
// used, and keep running, keys and all, whatever the editor destroys in whatever order.
#include "SceneCase.h"
#include "SceneDriver.h"
#include "UndrawnSettings.h"

#include "Tests/ApplyForce.h"
#include "Tests/Breakable.h"
#include "Tests/Bridge.h"
#include "Tests/Cantilever.h"
#include "Tests/Chain.h"
#include "Tests/CollisionFiltering.h"
#include "Tests/CollisionProcessing.h"
#include "Tests/CompoundShapes.h"
#include "Tests/Gears.h"
#include "Tests/SensorTest.h"
#include "Tests/ShapeEditing.h"
#include "Tests/SliderCrank.h"
#include "Tests/VaryingFriction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

namespace
{

const SceneCase k_scenes[] = {
    {"ApplyForce", ApplyForce::Create, "wad"},
    {"Cantilever", Cantilever::Create, ""},
    {"Bridge", Bridge::Create, ""},
    {"Breakable", Breakable::Create, ""},
    {"Chain", Chain::Create, ""},
    {"CollisionFiltering", CollisionFiltering::Create, ""},
    {"CollisionProcessing", CollisionProcessing::Create, ""},
    {"CompoundShapes", CompoundShapes::Create, ""},
    {"Gears", Gears::Create, ""},
    {"SensorTest", SensorTest::Create, ""},
    {"ShapeEditing", ShapeEditing::Create, "cd"},
    {"SliderCrank", SliderCrank::Create, "fm"},
    {"VaryingFriction", VaryingFriction::Create, ""},
};

class FeatureScene : public ::testing::TestWithParam<SceneCase>
{
protected:
    Settings m_settings = UndrawnSettings();
    std::unique_ptr<::Test> m_test{GetParam().create()};
};

TEST_P(FeatureScene, StaysInViewWithEveryKeyAndSurvivesDestructionInAnyOrder)
{
    RunFrames(*m_test, m_settings, 300, GetParam().keys);
    // The default view is centred on (0, 20), 50 m tall and about 83 m wide.
    for (b2Body* body : Bodies(m_test->GetWorld()))
    {
        const b2Vec2 p = body->GetPosition();
        EXPECT_TRUE(std::fabs(p.x) < 41.5f && p.y > -5.0f && p.y < 45.0f) << "body at (" << p.x << ", " << p.y << ")";
    }

    // Each round destroys any body, fixture or joint, the bomb among them; a fixed seed keeps
    // failures reproducible.
    m_test->LaunchBomb(b2Vec2(2.0f, 20.0f), b2Vec2(0.0f, -20.0f));
    std::mt19937 random(12345);
    b2World* world = m_test->GetWorld();
    while (world->GetBodyCount() > 0)
    {
        std::vector<b2Joint*> joints = Joints(world);
        std::vector<b2Body*> bodies = Bodies(world);
        std::vector<b2Fixture*> fixtures;
        for (b2Body* body : bodies)
        {
            for (b2Fixture* fixture = body->GetFixtureList(); fixture; fixture = fixture->GetNext())
            {
                fixtures.push_back(fixture);
            }
        }
        std::size_t pick = random() % (joints.size() + fixtures.size() + bodies.size());
        if (pick < joints.size())
        {
            m_test->DestroyJoint(joints[pick]);
        }
        else if ((pick -= joints.size()) < fixtures.size())
        {
            m_test->DestroyFixture(fixtures[pick]);
        }
        else
        {
            m_test->DestroyBody(bodies[pick - fixtures.size()]);
        }
        RunFrames(*m_test, m_settings, 2, "");
        for (const char* key = GetParam().keys; *key; ++key)
        {
            PressKey(*m_test, static_cast<unsigned char>(*key));
        }
    }
    EXPECT_EQ(m_test->bomb, nullptr);
    RunFrames(*m_test, m_settings, 30, GetParam().keys);
}

INSTANTIATE_TEST_SUITE_P(ForceJointAndContactScenes, FeatureScene, ::testing::ValuesIn(k_scenes),
                         SceneCaseName);

}  // namespace
