// The shape editing scene adds and removes its one extra circle by key, also after the editor
// deleted the circle.
#include "SceneDriver.h"
#include "UndrawnSettings.h"
#include "UnhandledKeys.h"

#include "Tests/ShapeEditing.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{

int FixtureCount(const b2Body* body)
{
    int count = 0;
    for (const b2Fixture* fixture = body->GetFixtureList(); fixture; fixture = fixture->GetNext())
    {
        ++count;
    }
    return count;
}

class ShapeEditingScene : public ::testing::Test
{
protected:
    std::unique_ptr<::Test> m_test{ShapeEditing::Create()};
    b2Body* m_body = DynamicBodies(m_test->GetWorld()).front();
};

TEST_F(ShapeEditingScene, CreateAddsOneCircleAndDestroyRemovesIt)
{
    PressEveryKeyExcept(*m_test, "cd");
    PressKey(*m_test, 'c');
    PressKey(*m_test, 'c');
    ASSERT_EQ(FixtureCount(m_body), 2);
    // The newest fixture comes first.
    b2Fixture* circle = m_body->GetFixtureList();
    ASSERT_EQ(circle->GetType(), b2Shape::e_circle);
    EXPECT_EQ(circle->GetShape()->m_radius, 3.0f);
    EXPECT_EQ(static_cast<b2CircleShape*>(circle->GetShape())->m_p, b2Vec2(0.5f, -4.0f));
    EXPECT_EQ(circle->GetDensity(), 10.0f);

    PressEveryKeyExcept(*m_test, "cd");
    EXPECT_EQ(FixtureCount(m_body), 2);
    PressKey(*m_test, 'd');
    PressKey(*m_test, 'd');
    ASSERT_EQ(FixtureCount(m_body), 1);
    EXPECT_EQ(m_body->GetFixtureList()->GetType(), b2Shape::e_polygon);
}

TEST_F(ShapeEditingScene, CircleDeletedElsewhereCanBeCreatedAgain)
{
    Settings settings = UndrawnSettings();
    PressKey(*m_test, 'c');
    m_test->DestroyFixture(m_body->GetFixtureList());
    StepFrame(*m_test, settings);
    PressKey(*m_test, 'd');
    EXPECT_EQ(FixtureCount(m_body), 1);
    PressKey(*m_test, 'c');
    EXPECT_EQ(FixtureCount(m_body), 2);
}

}  // namespace
