// Picking under the mouse and selection by clicks in every edit method, and the indexed picking
// against a plain walk over the world's lists.
#include "Editor/EditorModelScene.h"

#include "Physics/JointKinds.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <random>
#include <tuple>

namespace
{

class Picking : public ::testing::Test, public EditorModelScene
{
};

// Stacked bodies are all candidates. A right click lays out stand-ins to tell them apart, until
// Esc, another right click or the panel's switch of edit method ends it.
TEST_F(Picking, StackedBodiesAreAllCandidatesAndDisambiguationPicksOne)
{
    b2Body* a = addBody(b2Vec2(1.0f, 1.0f));
    b2Body* b = addBody(b2Vec2(1.0f, 1.0f));
    b2Body* near = addBody(b2Vec2(1.0f, 3.5f));  // within the radius, but farther

    clickAt(b2Vec2(1.2f, 1.0f));
    EXPECT_EQ(state().selectedBodies, (std::set<b2Body*>{a, b}));

    click(1);
    ASSERT_EQ(state().state, CS_DISAMBIGUATE);
    EXPECT_EQ(state().disambiguationBodies, (std::set<b2Body*>{a, b}));
    // The stand-ins form a row 1.5 apart, 1.5 below the shared origin, in set order.
    b2Body* second = *state().disambiguationBodies.rbegin();
    clickAt(b2Vec2(1.75f, -0.5f));
    EXPECT_EQ(state().selectedBodies, std::set<b2Body*>{second});
    EXPECT_EQ(editor.lastSelectedBody(), second);
    EXPECT_EQ(state().state, CS_DISAMBIGUATE);
    press('j');
    EXPECT_EQ(editor.getEditMethod(), EM_BODIES) << "the method keys wait until it ends";

    // Only the stand-ins are pickable now, not the bodies themselves; Esc ends it and picks afresh.
    moveMouse(near->GetPosition());
    EXPECT_TRUE(state().candidateBodies.empty());
    press(27);
    EXPECT_EQ(state().state, 0);
    EXPECT_TRUE(state().disambiguationBodies.empty());
    EXPECT_EQ(state().candidateBodies, std::set<b2Body*>{near});
    clickAt(b2Vec2(1.0f, 1.0f), 1);
    ASSERT_EQ(state().state, CS_DISAMBIGUATE);
    click(1);
    EXPECT_EQ(state().state, 0);
    click(1);
    editor.setEditMethod(EM_JOINTS);
    EXPECT_EQ(state().state, 0);
}

TEST_F(Picking, OverlappingFixturesPickTheNearerCentroidOnly)
{
    b2Fixture* left = addBox(addBody(b2Vec2(0.0f, 0.0f)), 2.0f, 2.0f);
    b2Fixture* right = addBox(addBody(b2Vec2(3.0f, 0.0f)), 2.0f, 2.0f);
    editor.setEditMethod(EM_FIXTURES);
    moveMouse(b2Vec2(1.2f, 0.0f));
    EXPECT_EQ(state().candidateFixtures, std::set<b2Fixture*>{left});
    moveMouse(b2Vec2(1.8f, 0.0f));
    EXPECT_EQ(state().candidateFixtures, std::set<b2Fixture*>{right});
    // A polygon is picked only from inside, an edge or chain within the radius.
    b2Fixture* edge = addEdge(addBody(b2Vec2(0.0f, 20.0f), b2_staticBody), b2Vec2(-5.0f, 0.0f), b2Vec2(5.0f, 0.0f));
    moveMouse(b2Vec2(0.0f, 23.0f));
    EXPECT_EQ(state().candidateFixtures, std::set<b2Fixture*>{edge});
    moveMouse(b2Vec2(0.0f, 23.3f));
    EXPECT_TRUE(state().candidateFixtures.empty());
    moveMouse(b2Vec2(0.0f, 2.5f));
    EXPECT_TRUE(state().candidateFixtures.empty());
}

TEST_F(Picking, VerticesOfEachShapeType)
{
    b2Body* body = addBody(b2Vec2(0.0f, 0.0f), b2_staticBody);
    addCircle(body, 1.0f, b2Vec2(-10.0f, 0.0f));
    b2Fixture* edge = addEdge(body, b2Vec2(0.0f, 0.0f), b2Vec2(5.0f, 0.0f));
    b2Fixture* chain = addChain(body, {{0.0f, 10.0f}, {5.0f, 10.0f}, {10.0f, 10.0f}}, false);
    b2Fixture* box = addBox(body, 1.0f, 1.0f, b2Vec2(0.0f, -10.0f));
    editor.setEditMethod(EM_VERTICES);

    moveMouse(b2Vec2(-10.0f, 0.0f));
    EXPECT_TRUE(state().candidateVertices.empty());
    moveMouse(b2Vec2(4.5f, 0.5f));
    EXPECT_EQ(state().candidateVertices, (std::set<vertexInfo>{{edge, 2}}));
    moveMouse(b2Vec2(10.0f, 11.0f));
    EXPECT_EQ(state().candidateVertices, (std::set<vertexInfo>{{chain, 2}}));
    EXPECT_EQ(editor.getWorldPosition({chain, 2}, g_identityTransform), b2Vec2(10.0f, 10.0f));
    moveMouse(b2Vec2(1.0f, -9.0f));
    ASSERT_EQ(state().candidateVertices.size(), 1u);
    EXPECT_EQ(state().candidateVertices.begin()->fixture, box);

    // The edge's start and the chain's first point stacked: both are candidates and are told apart.
    addEdge(body, b2Vec2(0.0f, 10.0f), b2Vec2(-5.0f, 10.0f));
    clickAt(b2Vec2(0.2f, 10.0f));
    EXPECT_EQ(state().selectedVertices.size(), 2u);
    click(1);
    ASSERT_EQ(state().state, CS_DISAMBIGUATE);
    const vertexInfo second = *state().disambiguationVertices.rbegin();
    clickAt(b2Vec2(0.5f, 9.0f), 0, false, true);
    EXPECT_EQ(state().selectedVertices.size(), 1u);
    EXPECT_EQ(state().selectedVertices.count(second), 0u);
}

TEST_F(Picking, NoticesObjectsThatAppearOrMoveBetweenMoves)
{
    b2Body* first = addBody(b2Vec2(0.0f, 0.0f));
    moveMouse(b2Vec2(0.0f, 0.0f));
    ASSERT_EQ(state().candidateBodies.size(), 1u);
    first->SetTransform(b2Vec2(20.0f, 0.0f), 0.0f);
    editor.worldChanged();
    moveMouse(b2Vec2(0.0f, 0.0f));
    EXPECT_TRUE(state().candidateBodies.empty());
    b2Body* created = addBody(b2Vec2(0.5f, 0.0f));
    moveMouse(b2Vec2(0.0f, 0.0f));
    EXPECT_EQ(state().candidateBodies, std::set<b2Body*>{created});
}

TEST_F(Picking, ModifiersAddToggleAndKeepTheSelectionWhoseCentreFollowsTheEditMethod)
{
    b2Body* body = addBody(b2Vec2(1.0f, 2.0f), b2_staticBody);
    b2Body* other = addBody(b2Vec2(5.0f, 2.0f));
    b2Fixture* chain = addChain(body, {{0.0f, 0.0f}, {2.0f, 0.0f}, {2.0f, 4.0f}}, false);
    b2Joint* joint = addRevolute(body, other, b2Vec2(3.0f, 3.0f));
    clickAt(b2Vec2(1.0f, 2.0f));
    clickAt(b2Vec2(5.0f, 2.0f), 0, true);
    EXPECT_EQ(state().selectedBodies, (std::set<b2Body*>{body, other}));
    EXPECT_EQ(state().selectionCenter, b2Vec2(3.0f, 2.0f));
    clickAt(b2Vec2(30.0f, 30.0f), 0, true);
    EXPECT_EQ(state().selectedBodies.size(), 2u);
    clickAt(body->GetPosition(), 0, false, true);
    EXPECT_EQ(state().selectedBodies, std::set<b2Body*>{other});
    clickAt(b2Vec2(30.0f, 30.0f));
    EXPECT_TRUE(state().selectedBodies.empty());
    EXPECT_EQ(state().selectionCenter, b2Vec2_zero);
    // A chain's centre is the mean of its segments' midpoints.
    editor.setEditMethod(EM_FIXTURES);
    clickAt(b2Vec2(2.0f, 2.0f));
    ASSERT_EQ(state().selectedFixtures, std::set<b2Fixture*>{chain});
    EXPECT_EQ(state().selectionCenter, b2Vec2(2.5f, 3.0f));
    editor.setEditMethod(EM_JOINTS);
    clickAt(b2Vec2(3.0f, 3.0f));
    ASSERT_EQ(state().selectedJoints, std::set<b2Joint*>{joint});
    EXPECT_EQ(state().selectionCenter, joint->GetAnchorA());
}

TEST(ClosestPoint, ClampsToTheSegmentAndReportsTheFraction)
{
    float t = -1.0f;
    EXPECT_EQ(closestPointOnLineToPoint(b2Vec2(0, 0), b2Vec2(4, 0), b2Vec2(1, 3), &t), b2Vec2(1, 0));
    EXPECT_FLOAT_EQ(t, 0.25f);
    EXPECT_EQ(closestPointOnLineToPoint(b2Vec2(0, 0), b2Vec2(4, 0), b2Vec2(-2, 1), &t), b2Vec2(0, 0));
    EXPECT_EQ(t, 0.0f);
    EXPECT_EQ(closestPointOnLineToPoint(b2Vec2(0, 0), b2Vec2(4, 0), b2Vec2(9, 1), &t), b2Vec2(4, 0));
    EXPECT_EQ(t, 1.0f);
    EXPECT_EQ(closestPointOnLineToPoint(b2Vec2(2, 2), b2Vec2(2, 2), b2Vec2(9, 1), nullptr), b2Vec2(2, 2));
}

// What picking found, compared as a whole; the insertion point counts in vertex mode only.
auto Picked(const _controlState& s, bool vertexMode)
{
    const _vertexSplitInfo split = vertexMode ? s.splitInfo : _vertexSplitInfo();
    return std::make_tuple(s.candidateBodies, s.candidateFixtures, s.candidateVertices, s.candidateJoints,
                           split.fixture, split.edgeIndex, split.fraction);
}

// Keeps the nearest items; an equally near one joins them only with `ties`, else the first met stays.
template <class T> void KeepNearest(std::set<T>& items, float& best, const T& item, float d, bool ties)
{
    if (d < best)
    {
        items.clear();
        best = d;
    }
    if (d == best && (ties || items.empty()))
    {
        items.insert(item);
    }
}

// The picking rules as a plain walk over the world's lists in list order: 32 pixels around the
// mouse (16 for vertices), stacked bodies and vertices all picked, a tied fixture or insertion
// point left to the first met, and of the joints with anchors to move the last within reach.
_controlState PickByWalking(const Editor& editor, b2World* world, b2Vec2 mouse, int method, bool tab)
{
    _controlState pick;
    const float wide = editor.pixelToWorld(32.0f);
    const float narrow = editor.pixelToWorld(16.0f);
    float bestBody = FLT_MAX, bestFixture = FLT_MAX, bestVertex = FLT_MAX, bestSplit = FLT_MAX;
    for (b2Body* body = world->GetBodyList(); body != nullptr; body = body->GetNext())
    {
        float d = (body->GetPosition() - mouse).Length();
        if (method == EM_BODIES && d < wide)
        {
            KeepNearest(pick.candidateBodies, bestBody, body, d, true);
        }
        for (b2Fixture* fixture = body->GetFixtureList(); fixture != nullptr; fixture = fixture->GetNext())
        {
            int index = 0;
            _vertexSplitInfo split;
            if (method == EM_FIXTURES && editor.isMouseOverFixture(fixture, wide, d))
            {
                KeepNearest(pick.candidateFixtures, bestFixture, fixture, d, false);
            }
            else if (method == EM_VERTICES && !tab && editor.isMouseOverVertex(fixture, narrow, d, index))
            {
                KeepNearest(pick.candidateVertices, bestVertex, vertexInfo{fixture, index}, d, true);
            }
            else if (method == EM_VERTICES && tab && editor.getVertexSplitPoint(fixture, narrow, d, split) &&
                     d < bestSplit)
            {
                bestSplit = d;
                pick.splitInfo = split;
            }
        }
    }
    for (b2Joint* joint = world->GetJointList(); method == EM_JOINTS && joint != nullptr; joint = joint->GetNext())
    {
        const float d = b2Min((joint->GetAnchorA() - mouse).Length(), (joint->GetAnchorB() - mouse).Length());
        const b2JointType type = Physics::GetJointType(joint);
        if (d < wide && (type == e_revoluteJoint || type == e_prismaticJoint || type == e_distanceJoint ||
                         type == e_wheelJoint || type == e_ropeJoint))
        {
            pick.candidateJoints = {joint};
        }
    }
    return pick;
}

// A random scene on a coarse lattice, so that origins, shapes and anchors often coincide exactly:
// stacked identical bodies and fixtures, every shape type, some disabled bodies, and revolute,
// rope and weld joints, several sharing an anchor.
void BuildRandomScene(EditorModelScene& scene, std::mt19937& random)
{
    auto lattice = [&](int cells) {
        return static_cast<float>(std::uniform_int_distribution<int>(-cells, cells)(random));
    };
    b2Body* previous = nullptr;
    for (int i = 0; i < 160; ++i)
    {
        const b2Vec2 position(lattice(8), lattice(8));
        const float angle = i % 3 == 0 ? 0.0f : lattice(3) * 0.5f;
        b2Body* body = scene.addBody(position, i % 4 == 0 ? b2_staticBody : b2_dynamicBody, angle);
        for (int k = 0; k < 1 + i % 3; ++k)
        {
            const b2Vec2 at(lattice(2), lattice(2));
            switch ((i + k) % 5)
            {
            case 0:
                scene.addBox(body, 1.0f + lattice(1) * 0.5f, 1.0f, at);
                break;
            case 1:
                scene.addCircle(body, 1.0f, at);
                break;
            case 2:
                scene.addEdge(body, at, at + b2Vec2(2.0f, lattice(2)));
                break;
            default:
                scene.addChain(body, {at, at + b2Vec2(2.0f, 0.0f), at + b2Vec2(2.0f, 2.0f), at + b2Vec2(0.0f, 3.0f)},
                               k % 2 == 0);
                break;
            }
        }
        body->SetEnabled(i % 17 != 5);
        if (i % 6 == 0)
        {
            // An exact copy on top, and a copy of its first shape within it.
            b2Body* twin = scene.addBody(position, body->GetType(), angle);
            for (b2Fixture* f = body->GetFixtureList(); f != nullptr; f = f->GetNext())
            {
                twin->CreateFixture(f->GetShape(), f->GetDensity());
            }
            body->CreateFixture(body->GetFixtureList()->GetShape(), 1.0f);
        }
        if (i % 8 == 3)
        {
            Physics::CreateRopeJoint(scene.world(), {previous, body, b2Vec2_zero, b2Vec2_zero, 5.0f});
        }
        else if (i % 8 == 5)
        {
            b2WeldJointDef weld;
            weld.Initialize(previous, body, previous->GetPosition());
            scene.world()->CreateJoint(&weld);
        }
        else if (i % 2 == 1)
        {
            scene.addRevolute(previous, body, previous->GetPosition());
        }
        previous = body;
    }
}

TEST(PickingEquivalence, IndexedPickingMatchesAPlainWalk)
{
    std::mt19937 random(20240611);
    EditorModelScene scene;
    BuildRandomScene(scene, random);
    std::uniform_real_distribution<float> anywhere(-12.0f, 12.0f);
    std::vector<b2Vec2> mice;
    for (b2Body* body = scene.world()->GetBodyList(); body != nullptr; body = body->GetNext())
    {
        mice.push_back(body->GetPosition());  // exact ties between stacked bodies and shapes
    }
    for (int i = 0; i < 300; ++i)
    {
        mice.emplace_back(anywhere(random), anywhere(random));
    }
    int ties = 0;
    for (float view : {0.25f, 1.0f, 4.0f})
    {
        scene.showView(view);
        for (int method = EM_BODIES; method <= EM_JOINTS; ++method)
        {
            for (bool tab : {false, true})
            {
                scene.editor.setEditMethod(static_cast<_editMethod>(method));
                if (tab)
                {
                    scene.editor.handleKeyDown(9);
                }
                for (const b2Vec2& mouse : mice)
                {
                    scene.moveMouse(mouse);
                    SCOPED_TRACE(testing::Message() << "view " << view << " method " << method << " tab " << tab
                                                    << " mouse " << mouse.x << "," << mouse.y);
                    const _controlState expected = PickByWalking(scene.editor, scene.world(), mouse, method, tab);
                    ASSERT_EQ(Picked(scene.state(), method == EM_VERTICES), Picked(expected, true));
                    ties += expected.candidateBodies.size() > 1;
                }
                scene.editor.handleKeyUp(9);
            }
        }
    }
    // The scene is only a fair test if it produces stacked candidates.
    EXPECT_GT(ties, 10);
}

}  // namespace
