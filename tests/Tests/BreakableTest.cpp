// The breakable body splits in two when it lands hard, into pieces that carry on the motion
// it had before the blow; blows elsewhere in the world leave it whole.
#include "SceneDriver.h"

#include "Tests/Breakable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace
{

class BreakableScene : public ::testing::Test
{
protected:
    // The breakable body and, once broken, its second piece: the dynamic bodies but the bomb.
    std::vector<b2Body*> Pieces()
    {
        std::vector<b2Body*> pieces = DynamicBodies(m_test->GetWorld());
        pieces.erase(std::remove(pieces.begin(), pieces.end(), m_test->bomb), pieces.end());
        return pieces;
    }

    Settings m_settings = UndrawnSettings();
    std::unique_ptr<::Test> m_test{Breakable::Create()};
};

TEST_F(BreakableScene, BreaksOnLandingIntoPiecesThatCarryOnItsMotion)
{
    Settings paused = m_settings;
    paused.pause = 1;
    b2Body* body = Pieces().front();
    ASSERT_EQ(body->GetFixtureList()->GetNext()->GetNext(), nullptr) << "two boxes";
    b2Vec2 velocityBefore = b2Vec2_zero;
    float spinBefore = 0.0f;
    b2Vec2 centerOfWhole = b2Vec2_zero;
    for (int frame = 0; frame < 400 && Pieces().size() == 1; ++frame)
    {
        velocityBefore = body->GetLinearVelocity();
        spinBefore = body->GetAngularVelocity();
        StepFrame(*m_test, m_settings);
        centerOfWhole = body->GetWorldCenter();
        // A paused frame carries out a pending break and moves nothing afterwards.
        StepFrame(*m_test, paused);
    }
    ASSERT_EQ(Pieces().size(), 2u);
    EXPECT_LT(velocityBefore.y, -20.0f) << "it broke on landing from high";
    for (b2Body* piece : Pieces())
    {
        EXPECT_EQ(piece->GetFixtureList()->GetNext(), nullptr) << "one box each";
        const b2Vec2 expected = velocityBefore + b2Cross(spinBefore, piece->GetWorldCenter() - centerOfWhole);
        EXPECT_NEAR(b2Distance(piece->GetLinearVelocity(), expected), 0.0f, 1e-3f);
        EXPECT_NEAR(piece->GetAngularVelocity(), spinBefore, 1e-4f);
    }

    // Bombs on the pieces do not break them again.
    for (b2Body* piece : Pieces())
    {
        m_test->LaunchBomb(piece->GetPosition() + b2Vec2(0.0f, 3.0f), b2Vec2(0.0f, -100.0f));
        RunFrames(*m_test, m_settings, 30, "");
    }
    EXPECT_EQ(Pieces().size(), 2u);
}

TEST_F(BreakableScene, BombHittingTheGroundElsewhereLeavesItWhole)
{
    m_test->LaunchBomb(b2Vec2(-30.0f, 3.0f), b2Vec2(0.0f, -150.0f));
    RunFrames(*m_test, m_settings, 30, "");

    ASSERT_EQ(Pieces().size(), 1u);
    EXPECT_NE(Pieces().front()->GetFixtureList()->GetNext(), nullptr);
}

}  // namespace
