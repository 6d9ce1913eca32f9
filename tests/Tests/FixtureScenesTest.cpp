// Scenes about fixtures and their properties: shape editing adds and removes its one extra
// circle, friction decides which boxes slide down the ramps, and collision filters decide what
// passes through what.
#include "SceneDriver.h"
#include "UndrawnSettings.h"
#include "UnhandledKeys.h"

#include "Tests/CollisionFiltering.h"
#include "Tests/ShapeEditing.h"
#include "Tests/VaryingFriction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace
{

std::vector<b2Fixture*> Fixtures(b2Body* body)
{
    std::vector<b2Fixture*> fixtures;
    for (b2Fixture* fixture = body->GetFixtureList(); fixture; fixture = fixture->GetNext())
    {
        fixtures.push_back(fixture);
    }
    return fixtures;
}

class ShapeEditingScene : public ::testing::Test
{
protected:
    ShapeEditingScene() : m_test(ShapeEditing::Create()), m_body(DynamicBodies(m_test->GetWorld()).front()) {}

    b2Fixture* Circle()
    {
        for (b2Fixture* fixture : Fixtures(m_body))
        {
            if (fixture->GetType() == b2Shape::e_circle)
            {
                return fixture;
            }
        }
        return nullptr;
    }

    Settings m_settings = UndrawnSettings();
    std::unique_ptr<::Test> m_test;
    b2Body* m_body;
};

TEST_F(ShapeEditingScene, OtherKeysNeitherAddNorRemoveFixtures)
{
    PressEveryKeyExcept(*m_test, "cd");
    EXPECT_EQ(Fixtures(m_body).size(), 1u);
    PressKey(*m_test, 'c');
    PressEveryKeyExcept(*m_test, "cd");
    EXPECT_EQ(Fixtures(m_body).size(), 2u);
}

TEST_F(ShapeEditingScene, CreatePressedTwiceAddsOneCircle)
{
    PressKey(*m_test, 'c');
    PressKey(*m_test, 'c');

    ASSERT_EQ(Fixtures(m_body).size(), 2u);
    b2Fixture* circle = Circle();
    ASSERT_NE(circle, nullptr);
    EXPECT_EQ(circle->GetShape()->m_radius, 3.0f);
    EXPECT_EQ(static_cast<b2CircleShape*>(circle->GetShape())->m_p, b2Vec2(0.5f, -4.0f));
    EXPECT_EQ(circle->GetDensity(), 10.0f);
}

TEST_F(ShapeEditingScene, DestroyRemovesOnlyTheCircle)
{
    PressKey(*m_test, 'c');
    StepFrame(*m_test, m_settings);
    PressKey(*m_test, 'd');
    PressKey(*m_test, 'd');

    ASSERT_EQ(Fixtures(m_body).size(), 1u);
    EXPECT_EQ(m_body->GetFixtureList()->GetType(), b2Shape::e_polygon);
}

TEST_F(ShapeEditingScene, CircleDeletedElsewhereCanBeCreatedAgain)
{
    PressKey(*m_test, 'c');
    m_test->DestroyFixture(Circle());
    StepFrame(*m_test, m_settings);
    PressKey(*m_test, 'd');
    EXPECT_EQ(Fixtures(m_body).size(), 1u);

    PressKey(*m_test, 'c');
    EXPECT_EQ(Fixtures(m_body).size(), 2u);
}

TEST_F(ShapeEditingScene, KeysDoNothingOnceTheBodyIsGone)
{
    m_test->DestroyBody(m_body);
    const int bodies = m_test->GetWorld()->GetBodyCount();
    PressKey(*m_test, 'c');
    PressKey(*m_test, 'd');
    StepFrame(*m_test, m_settings);
    EXPECT_EQ(m_test->GetWorld()->GetBodyCount(), bodies);
}

TEST(VaryingFrictionScene, RoughBoxesStayWhereSlipperyOnesSlideDown)
{
    std::unique_ptr<::Test> test(VaryingFriction::Create());
    Settings settings = UndrawnSettings();
    std::vector<b2Body*> boxes = DynamicBodies(test->GetWorld());
    std::vector<b2Vec2> start;
    for (b2Body* box : boxes)
    {
        start.push_back(box->GetPosition());
    }

    RunFrames(*test, settings, 300, "");

    // Boxes slide where the friction mixed with the ramp's (the root of the product) is
    // below the slope's tangent.
    const float rampFriction = 0.2f;
    const float slopeTangent = std::tan(0.2f);
    for (std::size_t i = 0; i < boxes.size(); ++i)
    {
        const float friction = boxes[i]->GetFixtureList()->GetFriction();
        const float moved = b2Distance(boxes[i]->GetPosition(), start[i]);
        if (std::sqrt(friction * rampFriction) > slopeTangent)
        {
            EXPECT_LT(moved, 0.05f) << "friction " << friction;
        }
        else
        {
            EXPECT_GT(moved, 2.0f) << "friction " << friction;
        }
    }
}

TEST(CollisionFilteringScene, SmallTriangleFallsThroughALargeBoxThatCarriesASmallCircle)
{
    std::unique_ptr<::Test> test(CollisionFiltering::Create());
    Settings settings = UndrawnSettings();
    RunFrames(*test, settings, 240, "");

    b2Body* triangle = nullptr;
    b2Body* circle = nullptr;
    b2Body* box = nullptr;
    for (b2Body* body : DynamicBodies(test->GetWorld()))
    {
        // The pair on the right, away from the shapes joined to each other.
        if (body->GetPosition().x < 10.0f)
        {
            continue;
        }
        switch (body->GetFixtureList()->GetType())
        {
        case b2Shape::e_circle:
            circle = body;
            break;
        case b2Shape::e_polygon:
            (static_cast<b2PolygonShape*>(body->GetFixtureList()->GetShape())->m_count == 3 ? triangle : box) = body;
            break;
        default:
            break;
        }
    }
    ASSERT_TRUE(triangle && circle && box);

    const float boxTop = box->GetFixtureList()->GetAABB(0).upperBound.y;
    EXPECT_NEAR(triangle->GetPosition().y, 0.0f, 0.05f) << "the triangle lies on the ground, inside the box";
    EXPECT_NEAR(circle->GetPosition().y, boxTop + circle->GetFixtureList()->GetShape()->m_radius, 0.15f)
        << "the circle rests on the box";
}

}  // namespace
