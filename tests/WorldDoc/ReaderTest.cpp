// Reading scene documents into worlds: settings and their warnings, defaults, joint lists with
// gears and empty slots, shapes from other programs, and lossless write-read-write cycles.
#include "WorldDocTesting.h"

#include "Physics/BodyState.h"
#include "Physics/Ghosts.h"
#include "Physics/JointKinds.h"
#include "Physics/Springs.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace
{

std::vector<b2Body*> Bodies(b2World& world)
{
    std::vector<b2Body*> bodies;
    for (b2Body* body = world.GetBodyList(); body; body = body->GetNext())
    {
        bodies.push_back(body);
    }
    return bodies;
}

TEST(WorldReader, EmptyObjectIsAnEmptyWorldWithTheAutoClearWarning)
{
    WorldDoc doc(false);
    std::string output;
    auto world = ReadWorld(doc, "{}", &output);
    ASSERT_TRUE(world);
    EXPECT_EQ(b2Vec2(0.0f, 0.0f), world->GetGravity());
    EXPECT_EQ(0, world->GetBodyCount());
    EXPECT_EQ(0, world->GetJointCount());
    EXPECT_FALSE(world->GetAllowSleeping());
    EXPECT_EQ("Warning: world is not set to auto clear forces.\n"
              "Recreated behaviour may differ from original.\n",
              output);

    ReadWorld(doc, R"({"autoClearForces": true})", &output);
    EXPECT_EQ("", output);
}

TEST(WorldReader, WarningsComeInOrderFollowedByOneClosingLine)
{
    WorldDoc doc(false);
    std::string output;
    auto world = ReadWorld(doc, R"({"hasContactListener": true, "subStepping": true, "hasContactFilter": true,
        "continuousPhysics": true, "hasDestructionListener": true, "warmStarting": true})", &output);
    ASSERT_TRUE(world);
    EXPECT_TRUE(world->GetSubStepping());
    EXPECT_EQ("Warning: world is not set to auto clear forces.\n"
              "Warning: world is set to use warm starting.\n"
              "Warning: world is set to use continuous physics.\n"
              "Warning: world is set to use sub stepping.\n"
              "Warning: world originally had a destruction listener set.\n"
              "Warning: world originally had a contact filter set.\n"
              "Warning: world originally had a contact listener set.\n"
              "Recreated behaviour may differ from original.\n",
              output);

    // The library's own defaults, as a default world is saved.
    world = ReadWorld(doc, Golden("empty_world.json"), &output);
    EXPECT_EQ(b2Vec2(0.0f, -10.0f), world->GetGravity());
    EXPECT_EQ("Warning: world is set to use warm starting.\n"
              "Warning: world is set to use continuous physics.\n"
              "Recreated behaviour may differ from original.\n",
              output);
}

TEST(WorldReader, AbsentMembersTakeTheFormatsDefaults)
{
    WorldDoc doc(false);
    auto world = ReadWorld(doc, R"({"body": [{"type": 2, "fixture": [{"circle": {"radius": 1}}]}]})");
    ASSERT_EQ(1, world->GetBodyCount());
    const b2Body* body = world->GetBodyList();
    EXPECT_FALSE(body->IsAwake());
    EXPECT_TRUE(body->IsSleepingAllowed());
    EXPECT_TRUE(Physics::IsBodyActive(body));
    EXPECT_FALSE(body->IsBullet());
    EXPECT_FALSE(body->IsFixedRotation());
    EXPECT_EQ(1.0f, body->GetGravityScale());
    EXPECT_EQ(1.0f, body->GetMass()) << "the library's mass for a dynamic body given none";

    const b2Fixture* fixture = body->GetFixtureList();
    ASSERT_TRUE(fixture);
    EXPECT_EQ(0.0f, fixture->GetFriction());
    EXPECT_EQ(0.0f, fixture->GetDensity());
    EXPECT_EQ(0.0f, fixture->GetRestitution());
    EXPECT_FALSE(fixture->IsSensor());
    EXPECT_EQ(1, fixture->GetFilterData().categoryBits);
    EXPECT_EQ(0xFFFF, fixture->GetFilterData().maskBits);
    EXPECT_EQ(0, fixture->GetFilterData().groupIndex);
    EXPECT_EQ(b2Vec2(0.0f, 0.0f), static_cast<const b2CircleShape*>(fixture->GetShape())->m_p);
}

TEST(WorldReader, WrittenBodiesComeBackWithTheirValuesInDocumentOrder)
{
    WorldDoc doc(false);
    auto world = ReadWorld(doc, Golden("bodies.json"));
    const std::vector<b2Body*> bodies = Bodies(*world);
    ASSERT_EQ(3u, bodies.size());
    EXPECT_EQ(b2_staticBody, bodies[0]->GetType());
    EXPECT_EQ(b2_kinematicBody, bodies[2]->GetType());
    EXPECT_FALSE(Physics::IsBodyActive(bodies[2]));

    b2Body* ball = bodies[1];
    EXPECT_EQ("ball", doc.getBodyName(bodies[1]));
    EXPECT_EQ(b2Vec2(1.5f, -10.0f), ball->GetPosition());
    EXPECT_EQ(0.2f, ball->GetAngle());
    EXPECT_EQ(b2Vec2(1.0f, 0.0f), ball->GetLinearVelocity()) << "not shifted by the mass changes";
    EXPECT_EQ(-10.0f, ball->GetAngularVelocity());
    EXPECT_TRUE(ball->IsBullet());
    EXPECT_FALSE(ball->IsSleepingAllowed());
    EXPECT_EQ(2.0f, ball->GetMass());
    EXPECT_EQ(b2Vec2(0.0f, 0.5f), ball->GetLocalCenter());
    EXPECT_EQ(3.0f, ball->GetInertia());
    EXPECT_EQ("skin", doc.getFixtureName(ball->GetFixtureList()));
    EXPECT_EQ(0.5f, ball->GetFixtureList()->GetRestitution());
}

TEST(WorldReader, FirstPresentShapeMemberWins)
{
    WorldDoc doc(false);
    auto world = ReadWorld(doc, R"({"body": [{"fixture": [
        {"circle": {"radius": 1}, "polygon": {"vertices": {"x": [0, 1, 0], "y": [0, 0, 1]}}},
        {"circle": null, "polygon": {"vertices": {"x": [0, 1, 0], "y": [0, 0, 1]}}}]}]})");
    const b2Fixture* first = world->GetBodyList()->GetFixtureList();
    ASSERT_TRUE(first && first->GetNext());
    EXPECT_EQ(b2Shape::e_circle, first->GetType());
    EXPECT_EQ(b2Shape::e_polygon, first->GetNext()->GetType());
}

TEST(WorldReader, ForeignDocumentWithGearFirstAndALoop)
{
    WorldDoc doc(false);
    std::string output;
    auto world = ReadWorld(doc, Golden("foreign_gear_first.json"), &output);
    ASSERT_TRUE(world);
    EXPECT_EQ("", output);
    EXPECT_EQ(b2Vec2(0.0f, -9.5f), world->GetGravity());
    ASSERT_EQ(3, world->GetJointCount());

    // The gear is read after the joints it couples: its indices count them from the first.
    b2GearJoint* gear = static_cast<b2GearJoint*>(doc.getJointByName("coupling"));
    ASSERT_TRUE(gear);
    EXPECT_EQ(doc.getJointByName("left axle"), gear->GetJoint1());
    EXPECT_EQ(doc.getJointByName("right axle"), gear->GetJoint2());
    EXPECT_EQ(-1.5f, gear->GetRatio());
    EXPECT_FALSE(doc.getBodyByName("left wheel")->IsAwake());

    // The loop is closed by the reader: first point repeated, neighbours as ghosts.
    const b2Fixture* loop = Bodies(*world)[0]->GetFixtureList();
    ASSERT_TRUE(loop);
    const b2ChainShape* chain = static_cast<const b2ChainShape*>(loop->GetShape());
    ASSERT_EQ(5, chain->m_count);
    EXPECT_EQ(chain->m_vertices[0], chain->m_vertices[4]);
    const Physics::ChainGhosts ghosts = Physics::GetChainGhosts(loop);
    EXPECT_TRUE(ghosts.hasPrevVertex && ghosts.hasNextVertex);
    EXPECT_EQ(b2Vec2(-5.0f, 10.0f), ghosts.prevVertex);
    EXPECT_EQ(b2Vec2(5.0f, 0.0f), ghosts.nextVertex);

    // Written again, the gear goes last and names its joints by their new positions.
    const Json::Value rewritten = doc.b2j(world.get());
    EXPECT_EQ("gear", rewritten["joint"][2]["type"].asString());
}

TEST(WorldReader, SkippedJointKeepsItsSlotSoGearIndicesHold)
{
    WorldDoc doc(false);
    std::string output;
    auto world = ReadWorld(doc, R"({"autoClearForces": true,
        "body": [{}, {"type": 2, "massData-mass": 1, "massData-I": 1}, {"type": 2, "massData-mass": 1, "massData-I": 1}],
        "joint": [{"type": "revolute", "bodyA": 0, "bodyB": 3},
                  {"type": "revolute", "bodyA": 0, "bodyB": 1, "name": "a"},
                  {"type": "revolute", "bodyA": 0, "bodyB": 2, "name": "b"},
                  {"type": "gear", "bodyA": 1, "bodyB": 2, "joint1": 1, "joint2": 2, "ratio": 1}]})",
                            &output);
    EXPECT_EQ("Skipping joint 0: \"bodyB\" (3) is outside the body list (3 entries)\n", output);
    ASSERT_EQ(3, world->GetJointCount());
    const b2GearJoint* gear = static_cast<const b2GearJoint*>(world->GetJointList());
    ASSERT_EQ(e_gearJoint, gear->GetType());
    EXPECT_EQ(doc.getJointByName("a"), const_cast<b2GearJoint*>(gear)->GetJoint1());
    EXPECT_EQ(doc.getJointByName("b"), const_cast<b2GearJoint*>(gear)->GetJoint2());
}

TEST(WorldReader, GhostFlagsAreIndependent)
{
    WorldDoc doc(false);
    auto world = ReadWorld(doc, R"({"body": [{"fixture": [
        {"edge": {"vertex1": 0, "vertex2": {"x": 1, "y": 0}, "hasVertex0": true, "vertex0": {"x": -1, "y": 0},
                  "vertex3": {"x": 9, "y": 9}}},
        {"chain": {"vertices": {"x": [0, 1, 2], "y": [0, 0, 0]}, "hasNextVertex": true,
                   "nextVertex": {"x": 3, "y": 1}, "prevVertex": {"x": 9, "y": 9}}}]}]})");
    const b2Fixture* edge = world->GetBodyList()->GetFixtureList();
    const b2Fixture* chain = edge->GetNext();
    const Physics::EdgeGhosts edgeGhosts = Physics::GetEdgeGhosts(edge);
    EXPECT_TRUE(edgeGhosts.hasVertex0);
    EXPECT_FALSE(edgeGhosts.hasVertex3);
    EXPECT_EQ(b2Vec2(-1.0f, 0.0f), edgeGhosts.vertex0);
    const Physics::ChainGhosts chainGhosts = Physics::GetChainGhosts(chain);
    EXPECT_FALSE(chainGhosts.hasPrevVertex);
    EXPECT_TRUE(chainGhosts.hasNextVertex);
    EXPECT_EQ(b2Vec2(3.0f, 1.0f), chainGhosts.nextVertex);

    // Vertices of unset flags are not read, so they are not written back either.
    const Json::Value written = doc.b2j(world->GetBodyList());
    EXPECT_FALSE(written["fixture"][0]["edge"].isMember("vertex3"));
    EXPECT_FALSE(written["fixture"][1]["chain"].isMember("prevVertex"));
}

TEST(WorldReader, JointMembersWithOlderOrAlternativeMeanings)
{
    WorldDoc doc(false);
    auto world = ReadWorld(doc, R"({"body": [{}, {"type": 2, "position": {"x": 2, "y": 0}}],
        "joint": [{"type": "prismatic", "bodyA": 0, "bodyB": 1, "localAxis1": {"x": 1, "y": 0},
                   "localAxisA": {"x": 0, "y": 1}, "name": "slide"},
                  {"type": "mouse", "bodyA": 0, "bodyB": 1, "anchorB": {"x": 2, "y": 0.5},
                   "target": {"x": 3, "y": 1}, "maxForce": 10, "frequency": 5, "dampingRatio": 0.7, "name": "drag"},
                  {"type": "weld", "bodyA": 0, "bodyB": 1, "refAngle": "3F000000", "name": "weld"},
                  {"type": "distance", "bodyA": 0, "bodyB": 1, "length": 2, "frequency": 4, "dampingRatio": 0.5,
                   "name": "spring"}]})");
    ASSERT_EQ(4, world->GetJointCount());
    auto* slide = static_cast<b2PrismaticJoint*>(doc.getJointByName("slide"));
    EXPECT_EQ(b2Vec2(0.0f, 1.0f), slide->GetLocalAxisA()) << "localAxisA wins over localAxis1";

    auto* drag = static_cast<b2MouseJoint*>(doc.getJointByName("drag"));
    EXPECT_EQ(b2Vec2(2.0f, 0.5f), drag->GetAnchorB());
    EXPECT_EQ(b2Vec2(3.0f, 1.0f), drag->GetTarget());
    EXPECT_EQ(5.0f, Physics::GetSpringFrequency(drag));
    EXPECT_EQ(0.7f, Physics::GetSpringDampingRatio(drag));

    EXPECT_EQ(0.5f, static_cast<b2WeldJoint*>(doc.getJointByName("weld"))->GetReferenceAngle());
    b2Joint* spring = doc.getJointByName("spring");
    EXPECT_EQ(2.0f, static_cast<b2DistanceJoint*>(spring)->GetLength());
    EXPECT_EQ(4.0f, Physics::GetSpringFrequency(spring));
}

TEST(WorldReader, ReadingTwiceBuildsIndependentWorlds)
{
    const std::string text = WriteWorld(BuildEveryKindWorld().get());
    WorldDoc doc(false);
    auto first = ReadWorld(doc, text);
    auto second = ReadWorld(doc, text);
    ASSERT_TRUE(first && second);
    for (b2Joint* joint = second->GetJointList(); joint; joint = joint->GetNext())
    {
        if (joint->GetType() == e_gearJoint)
        {
            b2GearJoint* gear = static_cast<b2GearJoint*>(joint);
            EXPECT_EQ(second.get(), gear->GetJoint1()->GetBodyA()->GetWorld());
            EXPECT_EQ(second.get(), gear->GetJoint2()->GetBodyA()->GetWorld());
        }
    }
    first.reset();
    EXPECT_EQ(text, WriteWorld(second.get()));
}

TEST(WorldReader, EveryShapeAndJointSurvivesWriteReadWriteBitForBit)
{
    const std::string written = WriteWorld(BuildEveryKindWorld().get());
    WorldDoc doc(false);
    std::string output;
    auto world = ReadWorld(doc, written, &output);
    ASSERT_TRUE(world);
    EXPECT_EQ("Warning: world is set to use continuous physics.\n"
              "Warning: world is set to use sub stepping.\n"
              "Recreated behaviour may differ from original.\n",
              output);
    EXPECT_EQ(written, WriteWorld(world.get()));
}

TEST(WorldReader, FileRoundTripKeepsTheFileIdentical)
{
    const std::string path = testing::TempDir() + "round_trip.json";
    auto original = BuildEveryKindWorld();
    ASSERT_TRUE(WorldDoc(true).writeToFile(original.get(), path.c_str()));
    const std::string first = ReadFile(path);

    WorldDoc doc(false);
    CapturedOutput output;
    std::unique_ptr<b2World> world(doc.readFromFile(path.c_str()));
    output.text();
    ASSERT_TRUE(world);
    ASSERT_TRUE(WorldDoc(true).writeToFile(world.get(), path.c_str()));
    EXPECT_EQ(first, ReadFile(path));
    std::remove(path.c_str());
}

TEST(WorldReader, UnreadableFilesAndTextAreReported)
{
    WorldDoc doc(false);
    const std::string missing = testing::TempDir() + "no-such-scene.json";
    {
        CapturedOutput output;
        EXPECT_EQ(nullptr, doc.readFromFile(missing.c_str()));
        EXPECT_EQ("Could not open file " + missing + " for reading\n", output.text());
    }
    {
        const std::string path = testing::TempDir() + "broken-scene.json";
        std::FILE* file = std::fopen(path.c_str(), "w");
        std::fputs("{\"body\": [", file);
        std::fclose(file);
        CapturedOutput output;
        EXPECT_EQ(nullptr, doc.readFromFile(path.c_str()));
        EXPECT_EQ(0u, output.text().rfind("Failed to parse " + path + "\n* Line 1, Column 11", 0));
        std::remove(path.c_str());
    }
    {
        CapturedOutput output;
        EXPECT_EQ(nullptr, doc.readFromString("{\"gravity\": }"));
        EXPECT_EQ(0u, output.text().rfind("Failed to parse string\n* Line 1", 0));
    }
    EXPECT_EQ(nullptr, doc.readFromFile(nullptr));
}

TEST(WorldReader, ClipboardBodyJoinsAnExistingWorldWithItsFixturesInOrder)
{
    b2World world(b2Vec2(0.0f, 0.0f));
    Json::Value body;
    Json::Reader().parse(R"({"type": 2, "position": {"x": 1, "y": 2}, "name": "copy",
        "fixture": [{"circle": {"radius": 1}, "name": "first"}, {"edge": {"vertex2": {"x": 1, "y": 0}}}]})",
                         body);
    WorldDoc doc(false);
    b2Body* pasted = doc.j2b2Body(&world, body);
    ASSERT_TRUE(pasted);
    EXPECT_EQ(&world, pasted->GetWorld());
    EXPECT_EQ("copy", doc.getBodyName(pasted));
    EXPECT_EQ(b2Shape::e_circle, pasted->GetFixtureList()->GetType());
    EXPECT_EQ("first", doc.getFixtureName(pasted->GetFixtureList()));
    EXPECT_EQ(b2Shape::e_edge, pasted->GetFixtureList()->GetNext()->GetType());

    b2Fixture* extra = doc.j2b2Fixture(pasted, body["fixture"][0]);
    ASSERT_TRUE(extra);
    EXPECT_EQ(extra, pasted->GetFixtureList());
}

}  // namespace
