// The files in data/ are what their generators write. The scene Vexa opens on loads cleanly, holds
// every kind of body, shape and joint and runs ten seconds without anything escaping, tunnelling
// out of the tumbler or blowing up; the editor's trace image outlines the ragdoll.
#include "ToolRun.h"

#include "Editor/Bitmap.h"
#include "Physics/BodyState.h"
#include "Physics/JointKinds.h"
#include "Physics/Springs.h"
#include "WorldDoc/WorldDoc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <regex>
#include <set>
#include <tuple>
#include <vector>

namespace
{

const std::string k_defaultScene = std::string(VEXA_SOURCE_DIR) + "/data/vexa.json";
const std::string k_traceImage = std::string(VEXA_SOURCE_DIR) + "/data/vexatrace.bmp";

}  // namespace

// Checked as the tool sees it, then as Vexa runs it: the ragdoll sleeps, held by limited hinges, and
// the tumbler keeps its load.
TEST(DefaultScene, HoldsEveryKindWithoutProblemsAndRunsTenSecondsWithNothingEscapingOrExploding)
{
    ScratchDirectory scratch;
    const ToolRun run = RunTool("vexa-scene", {"check", k_defaultScene}, scratch);
    EXPECT_EQ(run.status, 0) << run.output << run.errors;

    // Of the kinds the check counts only the mouse joint, which a drag makes, is missing.
    const size_t from = run.output.find("\nbodies: ");
    const std::string counts = run.output.substr(from, run.output.find("\nnamed bodies: ") - from);
    std::vector<std::string> missing;
    const std::regex none(R"((\w+) 0[,)])");
    for (std::sregex_iterator match(counts.begin(), counts.end(), none), end; match != end; ++match)
    {
        missing.push_back((*match)[1]);
    }
    EXPECT_EQ(missing, std::vector<std::string>{"mouse"}) << run.output;

    WorldDoc doc(false);
    const std::unique_ptr<b2World> world(doc.readFromFile(k_defaultScene.c_str()));
    ASSERT_NE(world, nullptr);
    std::set<bool> springs;  // distance joints: rigid rods and soft springs
    for (b2Joint* joint = world->GetJointList(); joint; joint = joint->GetNext())
    {
        if (Physics::GetJointType(joint) == e_distanceJoint)
        {
            springs.insert(Physics::GetSpringFrequency(joint) > 0.0f);
        }
    }
    EXPECT_EQ(springs, (std::set<bool>{false, true}));

    std::vector<b2Body*> ragdoll;
    doc.getBodiesByName("ragdoll", ragdoll);
    ASSERT_GE(ragdoll.size(), 10u);  // head, torso, two of each arm and leg part
    for (b2Body* part : ragdoll)
    {
        EXPECT_EQ(part->GetType(), b2_dynamicBody);
        EXPECT_FALSE(part->IsAwake());
        bool hinged = false;
        for (b2JointEdge* edge = part->GetJointList(); edge; edge = edge->next)
        {
            if (edge->joint->GetType() == e_revoluteJoint && std::count(ragdoll.begin(), ragdoll.end(), edge->other))
            {
                hinged = true;
                EXPECT_TRUE(static_cast<b2RevoluteJoint*>(edge->joint)->IsLimitEnabled());
            }
        }
        EXPECT_TRUE(hinged);
        Physics::PutToSleep(part);  // as Vexa loads it
    }

    const b2Fixture* drum = doc.getFixtureByName("drum");
    ASSERT_TRUE(drum && drum->GetType() == b2Shape::e_chain);
    const b2Body* tumbler = drum->GetBody();
    const b2ChainShape* drumShape = static_cast<const b2ChainShape*>(drum->GetShape());
    const auto nearer = [](const b2Vec2& a, const b2Vec2& b) { return a.Length() < b.Length(); };
    const float drumRadius =
        std::max_element(drumShape->m_vertices, drumShape->m_vertices + drumShape->m_count, nearer)->Length();
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
        const b2Vec2 p = body->GetWorldCenter();
        EXPECT_TRUE(body->GetType() != b2_dynamicBody || (p.x > -33.0f && p.x < 33.0f && p.y > 0.0f && p.y < 45.0f))
            << doc.getBodyName(body) << " at (" << p.x << ", " << p.y << ")";
    }
    for (const b2Body* body : load)
    {
        EXPECT_LT(b2Distance(body->GetPosition(), tumbler->GetPosition()), drumRadius);
    }
}

TEST(ShippedData, IsWhatTheGeneratorsWrite)
{
    ScratchDirectory scratch;
    const std::string regenerated = scratch.file("regenerated");
    const std::tuple<std::string, std::vector<std::string>, std::string> generators[] = {
        {"make-default-scene", {regenerated}, k_defaultScene},
        {"make-trace-image", {k_defaultScene, regenerated}, k_traceImage},
    };
    for (const auto& [tool, arguments, shipped] : generators)
    {
        const ToolRun run = RunTool(tool, arguments, scratch);
        ASSERT_EQ(run.status, 0) << tool << ": " << run.errors;
        const std::string text = ReadTextFile(shipped);
        EXPECT_FALSE(text.empty());
        EXPECT_TRUE(ReadTextFile(regenerated) == text) << shipped << " is out of date: run " << tool;
    }
    EXPECT_LT(ReadTextFile(k_traceImage).size(), 100000u);

    const ToolRun run = RunTool("make-default-scene", {}, scratch);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.errors.find("usage: make-default-scene OUT"), std::string::npos) << run.errors;
}

TEST(TraceImageFile, OutlinesTheRagdollOverATransparentBackground)
{
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.Load(k_traceImage.c_str()));
    ASSERT_EQ(bitmap.GetWidth(), bitmap.GetHeight());
    unsigned size = 0;
    ASSERT_TRUE(bitmap.GetBits(nullptr, size, 0, 0, 0, 0xFF, false));
    std::vector<unsigned char> alpha(size);
    ASSERT_TRUE(bitmap.GetBits(alpha.data(), size, 0, 0, 0, 0xFF, false));
    // The picture spans world (0, 0) to (4.75, 4.75), as the editor shows it at first.
    const float pixelsPerMetre = static_cast<float>(bitmap.GetWidth()) / 4.75f;
    const auto alphaAt = [&](float x, float y) {
        return alpha[static_cast<size_t>(y * pixelsPerMetre) * bitmap.GetWidth() +
                     static_cast<size_t>(x * pixelsPerMetre)];
    };

    // The torso is 0.64 m wide and centred on x = 2.5 at y = 3; the head's top is at y = 4.38.
    EXPECT_EQ(alphaAt(2.18f, 3.0f), 255);
    EXPECT_EQ(alphaAt(2.82f, 3.0f), 255);
    EXPECT_EQ(alphaAt(2.5f, 4.38f), 255);
    EXPECT_EQ(alphaAt(2.5f, 3.0f), 0);
    EXPECT_EQ(alphaAt(1.0f, 3.0f), 0);
}
