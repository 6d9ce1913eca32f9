#include "Physics/FiniteStep.h"

#include "PhysicsWorld.h"

#include <gtest/gtest.h>

#include <cmath>

// A gravity scale times a mass beyond the float range makes the library's step write NaN into
// the body; the stepper puts it back where it was instead.
TEST(FiniteStep, AStepThatOverflowsIsUndoneAndOneThatDoesNotIsKept)
{
    PhysicsWorld w;
    b2Body* body = w.a;
    body->SetLinearVelocity(b2Vec2(3.0f, 0.0f));
    Physics::FiniteStepper stepper;

    body->SetGravityScale(3.4e38f);
    EXPECT_FALSE(stepper.step(&w.world, 1.0f / 60.0f, 8, 3));
    EXPECT_EQ(body->GetPosition(), b2Vec2(0.0f, 5.0f));
    EXPECT_EQ(body->GetLinearVelocity(), b2Vec2(3.0f, 0.0f));

    body->SetGravityScale(1.0f);
    EXPECT_TRUE(stepper.step(&w.world, 1.0f / 60.0f, 8, 3));
    EXPECT_GT(body->GetPosition().x, 0.0f);
    EXPECT_TRUE(std::isfinite(body->GetPosition().y));
}
