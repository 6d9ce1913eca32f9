// The scene Vexa opens on, data/vexa.json: it loads without problems, shows every kind of body,
// shape and joint the scene format has, is exactly what make-default-scene writes, and runs for
// ten seconds without anything escaping, tunnelling out of the tumbler or blowing up.
#include "ToolRun.h"

#include "Physics/BodyState.h"
#include "Physics/JointKinds.h"
#include "Physics/Springs.h"
#include "WorldDoc/WorldDoc.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

namespace
{

const std::string k_defaultScene = std::string(VEXA_SOURCE_DIR) + "/data/vexa.json";

class DefaultScene : public ::testing::Test
{
protected:
    void SetUp() override
    {
        world.reset(doc.readFromFile(k_defaultScene.c_str()));
        ASSERT_NE(world, nullptr);
    }

    std::vector<b2Body*> bodiesNamed(const char* name)
    {
        std::vector<b2Body*> bodies;
        doc.getBodiesByName(name, bodies);
        return bodies;
    }

    WorldDoc doc{false};
    std::unique_ptr<b2World> world;
};

// The shape kinds of the scene format; a chain that ends where it starts is a loop.
std::string ShapeKind(const b2Fixture* fixture)
{
    switch (fixture->GetType())
    {
    case b2Shape::e_circle: return "circle";
    case b2Shape::e_edge: return "edge";
    case b2Shape::e_polygon: return "polygon";
    default:
    {
        const auto* chain = static_cast<const b2ChainShape*>(fixture->GetShape());
        return chain->m_vertices[0] == chain->m_vertices[chain->m_count - 1] ? "loop" : "chain";
    }
    }
}

// How far a body's chain vertices reach from its origin.
float FarthestChainPoint(const b2Body* body)
{
    float farthest = 0.0f;
    for (const b2Fixture* fixture = body->GetFixtureList(); fixture; fixture = fixture->GetNext())
    {
        if (fixture->GetType() == b2Shape::e_chain)
        {
            const auto* chain = static_cast<const b2ChainShape*>(fixture->GetShape());
            for (int i = 0; i < chain->m_count; ++i)
            {
                farthest = b2Max(farthest, chain->m_vertices[i].Length());
            }
        }
    }
    return farthest;
}

}  // namespace

TEST(DefaultSceneFile, LoadsWithoutProblemsOrSkippedObjects)
{
    ScratchDirectory scratch;
    const ToolRun run = RunTool("vexa-scene", {"check", k_defaultScene}, scratch);

    EXPECT_EQ(run.status, 0) << run.output << run.errors;
    EXPECT_NE(run.output.find("\nproblems: 0\n"), std::string::npos) << run.output;
}

TEST(DefaultSceneFile, IsWhatTheGeneratorWrites)
{
    ScratchDirectory scratch;
    const std::string regenerated = scratch.file("vexa.json");

    const ToolRun run = RunTool("make-default-scene", {regenerated}, scratch);

    ASSERT_EQ(run.status, 0) << run.errors;
    const std::string shipped = ReadTextFile(k_defaultScene);
    EXPECT_FALSE(shipped.empty());
    EXPECT_TRUE(ReadTextFile(regenerated) == shipped) << "data/vexa.json is out of date: run make-default-scene";
}

TEST(DefaultSceneFile, GeneratorWithoutAnOutputPrintsItsUsage)
{
    ScratchDirectory scratch;
    const ToolRun run = RunTool("make-default-scene", {}, scratch);

    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.errors.find("usage: make-default-scene OUT"), std::string::npos) << run.errors;
}

TEST_F(DefaultScene, HoldsEveryBodyTypeShapeAndJointKind)
{
    std::set<b2BodyType> bodyTypes;
    std::set<std::string> shapes;
    for (b2Body* body = world->GetBodyList(); body; body = body->GetNext())
    {
        bodyTypes.insert(body->GetType());
        for (b2Fixture* fixture = body->GetFixtureList(); fixture; fixture = fixture->GetNext())
        {
            shapes.insert(ShapeKind(fixture));
        }
    }
    EXPECT_EQ(bodyTypes, (std::set<b2BodyType>{b2_staticBody, b2_kinematicBody, b2_dynamicBody}));
    EXPECT_EQ(shapes, (std::set<std::string>{"circle", "edge", "polygon", "chain", "loop"}));

    std::set<b2JointType> jointTypes;
    bool rigidRod = false;
    bool softSpring = false;
    for (b2Joint* joint = world->GetJointList(); joint; joint = joint->GetNext())
    {
        const b2JointType type = Physics::GetJointType(joint);
        jointTypes.insert(type);
        if (type == e_distanceJoint)
        {
            (Physics::GetSpringFrequency(joint) > 0.0f ? softSpring : rigidRod) = true;
        }
    }
    EXPECT_EQ(jointTypes, (std::set<b2JointType>{e_revoluteJoint, e_prismaticJoint, e_distanceJoint, e_pulleyJoint,
                                                 e_gearJoint, e_wheelJoint, e_weldJoint, e_frictionJoint,
                                                 e_ropeJoint}));
    EXPECT_TRUE(rigidRod);
    EXPECT_TRUE(softSpring);
}

TEST_F(DefaultScene, RagdollIsAsleepAndHeldTogetherByLimitedHinges)
{
    const std::vector<b2Body*> ragdoll = bodiesNamed("ragdoll");
    ASSERT_GE(ragdoll.size(), 10u);  // head, torso, two of each arm and leg part
    const std::set<b2Body*> parts(ragdoll.begin(), ragdoll.end());
    for (b2Body* part : ragdoll)
    {
        EXPECT_EQ(part->GetType(), b2_dynamicBody);
        EXPECT_FALSE(part->IsAwake());
        bool hinged = false;
        for (b2JointEdge* edge = part->GetJointList(); edge; edge = edge->next)
        {
            if (edge->joint->GetType() == e_revoluteJoint && parts.count(edge->other))
            {
                hinged = true;
                EXPECT_TRUE(static_cast<b2RevoluteJoint*>(edge->joint)->IsLimitEnabled());
            }
        }
        EXPECT_TRUE(hinged);
    }
}

TEST_F(DefaultScene, RunsTenSecondsWithoutEscapingOrExploding)
{
    // As Vexa loads it: the ragdoll asleep.
    for (b2Body* part : bodiesNamed("ragdoll"))
    {
        Physics::PutToSleep(part);
    }
    const std::vector<b2Body*> tumblers = bodiesNamed("tumbler");
    ASSERT_EQ(tumblers.size(), 1u);
    const b2Body* tumbler = tumblers.front();
    const float drumRadius = FarthestChainPoint(tumbler);
    ASSERT_GT(drumRadius, 0.0f);
    std::vector<b2Body*> load;
    for (b2Body* body = world->GetBodyList(); body; body = body->GetNext())
    {
        if (body->GetType() == b2_dynamicBody && b2Distance(body->GetPosition(), tumbler->GetPosition()) < drumRadius)
        {
            load.push_back(body);
        }
    }
    ASSERT_FALSE(load.empty());

    float fastest = 0.0f;
    for (int step = 0; step < 600; ++step)
    {
        Physics::UpdateSprings(world.get());
        world->Step(1.0f / 60.0f, 8, 3);
        for (b2Body* body = world->GetBodyList(); body; body = body->GetNext())
        {
            fastest = b2Max(fastest, body->GetLinearVelocity().Length());
        }
    }

    // Free fall from the top of the view lands at about 30 m/s; nothing should go faster.
    EXPECT_LT(fastest, 30.0f);
    for (b2Body* body = world->GetBodyList(); body; body = body->GetNext())
    {
        if (body->GetType() != b2_dynamicBody)
        {
            continue;
        }
        const b2Vec2 p = body->GetWorldCenter();
        EXPECT_TRUE(p.x > -33.0f && p.x < 33.0f && p.y > 0.0f && p.y < 45.0f)
            << doc.getBodyName(body) << " at (" << p.x << ", " << p.y << ")";
    }
    for (const b2Body* body : load)
    {
        EXPECT_LT(b2Distance(body->GetPosition(), tumbler->GetPosition()), drumRadius);
    }
}
