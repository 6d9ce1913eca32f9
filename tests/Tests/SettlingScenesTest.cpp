// Scenes of loose bodies that must come to rest as built: "Confined", "Pyramid" and "Varying
// Restitution".
#include "SceneDriver.h"

#include "Tests/Confined.h"
#include "Tests/Pyramid.h"
#include "Tests/VaryingRestitution.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace
{

TEST(Confined, CAddsCirclesThatStayInsideTheBox)
{
    Confined scene;
    Settings settings = UndrawnSettings();
    const int initial = static_cast<int>(DynamicBodies(scene.GetWorld()).size());
    EXPECT_GT(initial, 0);

    for (int i = 0; i < 40; ++i)
    {
        PressKey(scene, 'c');
        RunFrames(scene, settings, 5, "xd1");
    }
    RunFrames(scene, settings, 100, "");

    const std::vector<b2Body*> circles = DynamicBodies(scene.GetWorld());
    EXPECT_EQ(static_cast<int>(circles.size()), initial + 40) << "only 'c' creates circles";
    const b2AABB interior = Confined::Interior();
    for (b2Body* circle : circles)
    {
        const b2Vec2 p = circle->GetPosition();
        EXPECT_TRUE(p.x > interior.lowerBound.x && p.x < interior.upperBound.x && p.y > interior.lowerBound.y &&
                    p.y < interior.upperBound.y)
            << "circle at " << ::testing::PrintToString(p);
    }
}

TEST(Pyramid, StandsAfterSettling)
{
    Pyramid scene;
    Settings settings = UndrawnSettings();
    const std::vector<b2Body*> boxes = DynamicBodies(scene.GetWorld());
    ASSERT_EQ(static_cast<int>(boxes.size()), Pyramid::k_baseCount * (Pyramid::k_baseCount + 1) / 2);

    RunFrames(scene, settings, 300, "");

    float top = 0.0f;
    for (b2Body* box : boxes)
    {
        top = std::max(top, box->GetPosition().y);
        EXPECT_LT(std::fabs(box->GetPosition().x), 11.0f);
        EXPECT_LT(box->GetLinearVelocity().Length(), 0.5f);
    }
    EXPECT_GT(top, Pyramid::k_baseCount - 1.0f) << "the top box has come down: the pyramid collapsed";
}

TEST(VaryingRestitution, BouncierBallsReboundHigher)
{
    VaryingRestitution scene;
    Settings settings = UndrawnSettings();
    const std::vector<b2Body*> balls = DynamicBodies(scene.GetWorld());
    ASSERT_EQ(static_cast<int>(balls.size()), VaryingRestitution::k_ballCount);

    // The first bounce comes after about two seconds of fall; record the highest point after it.
    RunFrames(scene, settings, 150, "");
    std::vector<float> rebound(balls.size(), 0.0f);
    for (int frame = 0; frame < 150; ++frame)
    {
        StepFrame(scene, settings);
        for (std::size_t i = 0; i < balls.size(); ++i)
        {
            rebound[i] = std::max(rebound[i], balls[i]->GetPosition().y);
        }
    }

    // The bodies list runs newest first; restitution grows along the row from left to right.
    std::vector<std::pair<float, float>> byRestitution;
    for (std::size_t i = 0; i < balls.size(); ++i)
    {
        byRestitution.emplace_back(balls[i]->GetFixtureList()->GetRestitution(), rebound[i]);
    }
    std::sort(byRestitution.begin(), byRestitution.end());
    EXPECT_LT(byRestitution.front().second, 1.1f) << "no bounce without restitution";
    EXPECT_GT(byRestitution.back().second, 15.0f) << "an elastic ball returns near its drop height";
    for (std::size_t i = 1; i < byRestitution.size(); ++i)
    {
        EXPECT_GE(byRestitution[i].second, byRestitution[i - 1].second) << "restitution " << byRestitution[i].first;
    }
}

}  // namespace
