// The shape editing scene adds its one extra circle by key again after the editor deleted it.
#include "SceneDriver.h"

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
