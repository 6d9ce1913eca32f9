#include "Physics/FiniteStep.h"

#include <gtest/gtest.h>

#include <cmath>

// A gravity scale times a mass beyond the float range makes the library's step write NaN into
// the body; the stepper puts it back where it was instead.
TEST(FiniteStep, AStepThatOverflowsIsUndoneAndOneThatDoesNotIsKept)
{
    b2World world(b2Vec2(0.0f, -10.0f));
    b2BodyDef def;
    def.type = b2_dynamicBody;
    def.position.Set(1.0f, 2.0f);
    def.linearVelocity.Set(3.0f, 0.0f);
    b2Body* body = world.CreateBody(&def);
    b2CircleShape circle;
    circle.m_radius = 0.5f;
    body->CreateFixture(&circle, 1.0f);
    Physics::FiniteStepper stepper;

    body->SetGravityScale(3.4e38f);
    EXPECT_FALSE(stepper.step(&world, 1.0f / 60.0f, 8, 3));
    EXPECT_EQ(body->GetPosition(), b2Vec2(1.0f, 2.0f));
    EXPECT_EQ(body->GetLinearVelocity(), b2Vec2(3.0f, 0.0f));

    body->SetGravityScale(1.0f);
    EXPECT_TRUE(stepper.step(&world, 1.0f / 60.0f, 8, 3));
    EXPECT_GT(body->GetPosition().x, 1.0f);
    EXPECT_TRUE(std::isfinite(body->GetPosition().y));
}
