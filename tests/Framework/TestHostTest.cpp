// The scene host: contact recording, bombs, grabs, snapshots and the one destruction path.
#include "Support/Shell/ShellFixture.h"

#include "Framework/Settings.h"
#include "Framework/Test.h"
#include "Physics/JointKinds.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace
{

using HostTest = ShellTest;

void RunSteps(::Test& test, int steps, Settings settings = Settings())
{
    for (int i = 0; i < steps; ++i)
    {
        test.Step(&settings);
    }
}

// Remembers what the host announced.
struct RecordingTest : ::Test
{
    void JointDestroyed(b2Joint*) override { ++joints; }
    void FixtureDestroyed(b2Fixture*) override { ++fixtures; }
    void BodyDestroyed(b2Body*) override { ++bodies; }

    int joints = 0;
    int fixtures = 0;
    int bodies = 0;
};

}  // namespace

TEST_F(HostTest, GrabAnchorAndBombAreOneBodyEachWhileTheyLastAndTheGrabIsNotSaved)
{
    ::Test test;
    b2World* world = test.GetWorld();
    b2Body* box = AddBox(world, b2_dynamicBody, b2Vec2(0.0f, 5.0f), 1.0f);
    test.MouseDown(box->GetPosition());
    ASSERT_NE(test.mouseJoint, nullptr);
    EXPECT_EQ(world->GetBodyCount(), 2);
    ASSERT_TRUE(test.WriteSnapshot("host-snapshot.json"));
    std::unique_ptr<::Test> loaded(::Test::LoadSnapshot("host-snapshot.json"));
    std::remove("host-snapshot.json");
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->GetWorld()->GetBodyCount(), 1);
    EXPECT_EQ(loaded->GetWorld()->GetJointCount(), 0);
    RunSteps(test, 5);
    test.MouseUp(box->GetPosition());
    EXPECT_EQ(world->GetBodyCount(), 1);

    // Destroying the anchor ends the grab; the next grab makes a new one.
    test.MouseDown(box->GetPosition());
    test.DestroyBody(test.groundBody);
    EXPECT_EQ(test.mouseJoint, nullptr);
    test.MouseUp(box->GetPosition());
    test.MouseDown(box->GetPosition());
    ASSERT_NE(test.mouseJoint, nullptr);
    test.MouseUp(box->GetPosition());
    EXPECT_EQ(world->GetBodyCount(), 1);

    // A new bomb replaces the old one.
    test.LaunchBomb(b2Vec2(0.0f, 10.0f), b2Vec2(1.0f, 0.0f));
    test.LaunchBomb(b2Vec2(5.0f, 10.0f), b2Vec2(0.0f, 0.0f));
    EXPECT_EQ(world->GetBodyCount(), 2);
    EXPECT_EQ(test.bomb->GetPosition(), b2Vec2(5.0f, 10.0f));
    EXPECT_TRUE(test.bomb->IsBullet());
}

TEST_F(HostTest, DestructionsAnnounceWhatGoesWithThemGearsFirst)
{
    RecordingTest test;
    b2World* world = test.GetWorld();
    b2Body* ground = AddBox(world, b2_staticBody, b2Vec2_zero, 1.0f);
    b2Body* wheel1 = AddBox(world, b2_dynamicBody, b2Vec2(0.0f, 5.0f), 1.0f);
    b2Body* wheel2 = AddBox(world, b2_dynamicBody, b2Vec2(3.0f, 5.0f), 1.0f);
    b2RevoluteJointDef hinge;
    hinge.Initialize(ground, wheel1, wheel1->GetPosition());
    b2Joint* hinge1 = world->CreateJoint(&hinge);
    hinge.Initialize(ground, wheel2, wheel2->GetPosition());
    b2Joint* hinge2 = world->CreateJoint(&hinge);
    const b2GearJointDef gd = Physics::CouplingGear(hinge1, hinge2, 2.0f);
    world->CreateJoint(&gd);

    test.DestroyJoint(hinge1);
    EXPECT_EQ(test.joints, 2);
    EXPECT_EQ(world->GetJointCount(), 1);
    RunSteps(test, 10);

    test.DestroyBody(wheel2);
    EXPECT_EQ(test.bodies, 1);
    EXPECT_EQ(test.joints, 3);
    EXPECT_EQ(test.fixtures, 1);
    EXPECT_EQ(world->GetJointCount(), 0);
    RunSteps(test, 10);
}

TEST_F(HostTest, PausedStepsRecordAtMost2048ContactPointsAndNoneOfADestroyedFixture)
{
    ::Test test;
    b2World* world = test.GetWorld();
    b2Body* ground = AddBox(world, b2_staticBody, b2Vec2(0.0f, -1.0f), 100.0f);
    // 1600 boxes sunk in the ground touch it with two points each: 3200 points.
    for (int i = 0; i < 1600; ++i)
    {
        AddBox(world, b2_dynamicBody, b2Vec2(-80.0f + 0.1f * i, 0.049f), 0.05f);
    }
    const b2Vec2 start = world->GetBodyList()->GetPosition();
    Settings paused;
    paused.pause = 1;
    RunSteps(test, 3, paused);
    EXPECT_EQ(test.stepCount, 0);
    EXPECT_EQ(world->GetBodyList()->GetPosition(), start);
    EXPECT_EQ(test.pointCount, k_maxContactPoints);

    const auto recordedWith = [&test](const b2Fixture* fixture) {
        return std::count_if(test.points, test.points + test.pointCount, [fixture](const ContactPoint& p) {
            return p.fixtureA == fixture || p.fixtureB == fixture;
        });
    };
    const b2Fixture* groundFixture = ground->GetFixtureList();
    const ContactPoint& recorded = test.points[0];
    b2Fixture* fixture = recorded.fixtureA == groundFixture ? recorded.fixtureB : recorded.fixtureA;
    test.DestroyFixture(fixture);
    EXPECT_EQ(recordedWith(fixture), 0);
    ASSERT_GT(recordedWith(groundFixture), 0) << "the other boxes' points stay";
    test.DestroyBody(ground);
    EXPECT_EQ(recordedWith(groundFixture), 0);
}
