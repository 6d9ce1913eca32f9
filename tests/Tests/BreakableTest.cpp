// The breakable body splits in two when it is hit hard, once, into pieces that carry on the
// motion it had before the blow; blows elsewhere in the world leave it whole.
#include "SceneDriver.h"
#include "UndrawnSettings.h"

#include "Tests/Breakable.h"

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

class BreakableScene : public ::testing::Test
{
protected:
    BreakableScene() : m_test(Breakable::Create()) {}

    // The breakable body and, once it has broken, its second piece: the dynamic bodies other
    // than the bomb.
    std::vector<b2Body*> Pieces()
    {
        std::vector<b2Body*> pieces;
        for (b2Body* body : DynamicBodies(m_test->GetWorld()))
        {
            if (body != m_test->bomb)
            {
                pieces.push_back(body);
            }
        }
        return pieces;
    }

    Settings m_settings = UndrawnSettings();
    std::unique_ptr<::Test> m_test;
};

TEST_F(BreakableScene, BreaksInTwoWhenItLandsFromHigh)
{
    ASSERT_EQ(Pieces().size(), 1u);
    ASSERT_EQ(FixtureCount(Pieces()[0]), 2);

    RunFrames(*m_test, m_settings, 300, "");

    const std::vector<b2Body*> pieces = Pieces();
    ASSERT_EQ(pieces.size(), 2u);
    for (b2Body* piece : pieces)
    {
        EXPECT_EQ(FixtureCount(piece), 1);
        EXPECT_NEAR(piece->GetMass(), 1.0f, 1e-4f);
        EXPECT_LT(piece->GetPosition().y, 2.0f) << "pieces come to rest on the ground";
    }
}

TEST_F(BreakableScene, PiecesCarryOnTheMotionTheBodyHadBeforeTheBlow)
{
    Settings paused = m_settings;
    paused.pause = 1;
    b2Body* body = Pieces()[0];
    bool broken = false;
    for (int frame = 0; frame < 400 && !broken; ++frame)
    {
        const b2Vec2 velocityBefore = body->GetLinearVelocity();
        const float spinBefore = body->GetAngularVelocity();
        StepFrame(*m_test, m_settings);
        const b2Vec2 centerOfWhole = body->GetWorldCenter();
        // A paused frame carries out a pending break without moving anything afterwards.
        StepFrame(*m_test, paused);
        if (Pieces().size() < 2)
        {
            continue;
        }
        broken = true;
        EXPECT_LT(velocityBefore.y, -20.0f) << "it broke on landing from high";
        for (b2Body* piece : Pieces())
        {
            const b2Vec2 expected = velocityBefore + b2Cross(spinBefore, piece->GetWorldCenter() - centerOfWhole);
            EXPECT_NEAR(piece->GetLinearVelocity().x, expected.x, 1e-3f);
            EXPECT_NEAR(piece->GetLinearVelocity().y, expected.y, 1e-3f);
            EXPECT_NEAR(piece->GetAngularVelocity(), spinBefore, 1e-4f);
        }
    }
    EXPECT_TRUE(broken);
}

TEST_F(BreakableScene, BombHittingTheGroundElsewhereLeavesItWhole)
{
    m_test->LaunchBomb(b2Vec2(-30.0f, 3.0f), b2Vec2(0.0f, -150.0f));
    RunFrames(*m_test, m_settings, 30, "");

    ASSERT_EQ(Pieces().size(), 1u);
    EXPECT_EQ(FixtureCount(Pieces()[0]), 2);
}

TEST_F(BreakableScene, BreaksOnlyOnce)
{
    RunFrames(*m_test, m_settings, 300, "");
    ASSERT_EQ(Pieces().size(), 2u);

    for (b2Body* piece : Pieces())
    {
        m_test->LaunchBomb(piece->GetPosition() + b2Vec2(0.0f, 3.0f), b2Vec2(0.0f, -100.0f));
        RunFrames(*m_test, m_settings, 30, "");
    }
    EXPECT_EQ(Pieces().size(), 2u);
}

TEST_F(BreakableScene, BodyThatLostAPieceToTheEditorNoLongerBreaks)
{
    m_test->DestroyFixture(Pieces()[0]->GetFixtureList());
    RunFrames(*m_test, m_settings, 200, "");

    ASSERT_EQ(Pieces().size(), 1u);
    EXPECT_EQ(FixtureCount(Pieces()[0]), 1);
}

}  // namespace
