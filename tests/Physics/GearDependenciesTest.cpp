#include "Physics/GearDependencies.h"
#include "Physics/JointKinds.h"

#include "PhysicsWorld.h"

#include <gtest/gtest.h>

TEST(GearDependencies, GearsAreListedOnceForTheJointsAndBodiesTheyDependOn)
{
    // Boxes a and b turn on hinges to the ground, geared together. The ground carries both
    // hinges but not the gear: destroying it would leave the gear with destroyed joints.
    PhysicsWorld w;
    b2RevoluteJointDef hinge;
    hinge.Initialize(w.ground, w.a, w.a->GetPosition());
    b2Joint* hingeA = w.world.CreateJoint(&hinge);
    hinge.Initialize(w.ground, w.b, w.b->GetPosition());
    const b2GearJointDef def = Physics::CouplingGear(hingeA, w.world.CreateJoint(&hinge));
    b2Joint* gear = w.world.CreateJoint(&def);

    EXPECT_EQ(Physics::GearsDependingOn(&w.world, hingeA), std::vector<b2Joint*>{gear});
    EXPECT_TRUE(Physics::GearsDependingOn(&w.world, gear).empty());
    const std::vector<b2Joint*> gears = Physics::GearsDependingOn(&w.world, w.ground);
    ASSERT_EQ(gears, std::vector<b2Joint*>{gear});
    w.world.DestroyJoint(gears.front());
    w.world.DestroyBody(w.ground);
    w.Step(10);
    EXPECT_EQ(w.world.GetJointCount(), 0);
}
