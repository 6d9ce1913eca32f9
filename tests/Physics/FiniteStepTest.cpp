#include "Physics/FiniteStep.h"

#include "PhysicsWorld.h"

#include <gtest/gtest.h>

#include <cmath>

// A gravity scale times a mass beyond the float range makes the library's step write NaN into
// the body; the stepper puts it back where it was instead.
TEST(FiniteStep, AStepThatOverflowsIsUndoneAndOneThatDoesNotIsKept)
{
    PhysicsWorld w;
    w.a->SetLinearVelocity(b2Vec2(3.0f, 0.0f));
    Physics::FiniteStepper stepper;

    w.a->SetGravityScale(3.4e38f);
    EXPECT_FALSE(stepper.step(&w.world, 1.0f / 60.0f, 8, 3));
    EXPECT_EQ(w.a->GetPosition(), b2Vec2(0.0f, 5.0f));
    EXPECT_EQ(w.a->GetLinearVelocity(), b2Vec2(3.0f, 0.0f));

    w.a->SetGravityScale(1.0f);
    EXPECT_TRUE(stepper.step(&w.world, 1.0f / 60.0f, 8, 3));
    EXPECT_GT(w.a->GetPosition().x, 0.0f);
    EXPECT_TRUE(std::isfinite(w.a->GetPosition().y));
}
