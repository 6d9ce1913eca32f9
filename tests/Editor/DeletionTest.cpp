// Deleting with Del twice: objects leave the world and every editor set, as when the host destroys
// them; vertices go from their fixture in place, and shapes the physics library rejects change nothing.
#include "Editor/EditorModelScene.h"

#include "Physics/Create.h"
#include "Physics/JointKinds.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{

constexpr unsigned char k_del = 127;

class Deletion : public ::testing::Test, public EditorModelScene
{
protected:
    // Shift-clicks vertices of a fixture, in vertex mode.
    void selectVertices(b2Fixture* fixture, std::initializer_list<int> indices)
    {
        editor.setEditMethod(EM_VERTICES);
        for (int i : indices)
        {
            clickAt(worldPoints(fixture)[static_cast<size_t>(i)], 0, true);
        }
    }

    void confirmDelete()
    {
        press(k_del);
        ASSERT_EQ(state().state, CS_DELETE);
        press(k_del);
        EXPECT_EQ(state().state, 0);
    }
};

TEST_F(Deletion, FixturesKeepTheirOtherVerticesInPlaceOrGoBelowTheirLeastCount)
{
    b2Body* body = addBody(b2Vec2_zero);
    b2Fixture* kept = addPolygon(body, {{-40, -3}, {-36, -3}, {-35, 0}, {-38, 3}, {-41, 0}});
    b2Fixture* removed = addPolygon(body, {{-30, -3}, {-26, -3}, {-25, 0}, {-28, 3}, {-31, 0}});
    b2Fixture* edge = addEdge(body, b2Vec2(-20.0f, 0.0f), b2Vec2(-17.0f, 0.0f));
    b2Fixture* loop4 = addChain(body, {{-10, -3}, {-5, -3}, {-5, 3}, {-10, 3}}, true);
    b2Fixture* loop3 = addChain(body, {{0, -3}, {5, -3}, {5, 3}}, true);
    b2Fixture* open3 = addChain(body, {{10, 0}, {15, 0}, {20, 0}}, false);
    b2Fixture* open2 = addChain(body, {{25, 10}, {30, 10}}, false);
    host.names.fixtureNames[kept] = "kept";
    const std::vector<b2Vec2> before = worldPoints(kept);
    // A selected fixture stays selected while vertices are deleted from it.
    editor.setEditMethod(EM_FIXTURES);
    clickAt(b2Vec2(-7.5f, -3.0f));
    ASSERT_EQ(state().selectedFixtures, std::set<b2Fixture*>{loop4});

    // One confirmation deletes in every fixture.
    selectVertices(kept, {0, 2});
    selectVertices(removed, {0, 1, 2});
    selectVertices(edge, {1});
    selectVertices(loop4, {2});
    selectVertices(loop3, {0});
    selectVertices(open3, {1});
    selectVertices(open2, {0});
    confirmDelete();

    EXPECT_EQ(fixturesOf(body), (std::set<b2Fixture*>{kept, loop4, open3}));
    const std::vector<b2Vec2> corners = {before[1], before[3], before[4]};
    const std::vector<b2Vec2> after = worldPoints(kept);
    EXPECT_TRUE(std::is_permutation(corners.begin(), corners.end(), after.begin(), after.end()));
    EXPECT_EQ(host.names.fixtureNames[kept], "kept");
    EXPECT_EQ(worldPoints(loop4).size(), 3u);
    EXPECT_TRUE(Physics::GetGeometry(loop4).loop);
    EXPECT_EQ(worldPoints(open3), (std::vector<b2Vec2>{{10, 0}, {20, 0}}));
    EXPECT_EQ(state().selectedFixtures, std::set<b2Fixture*>{loop4});
    EXPECT_TRUE(state().selectedVertices.empty());
}

TEST_F(Deletion, ARemainderTheLibraryRejectsIsRefusedWithNothingChanged)
{
    b2Body* body = addBody(b2Vec2_zero);
    // Without its lowest corner the quadrilateral is three points on one line; without its
    // middle point the chain's neighbours are closer than the library allows.
    b2Fixture* thin = addPolygon(body, {{-20, 0}, {-15, -3}, {-10, 0}, {-15, 1.0e-8f}});
    ASSERT_EQ(worldPoints(thin).size(), 4u);
    addChain(body, {{0, 0}, {6, 0}, {0.003f, 0}}, false);
    for (const b2Vec2& doomed : {b2Vec2(-15, -3), b2Vec2(6, 0)})
    {
        const std::string before = snapshot();
        editor.setEditMethod(EM_VERTICES);
        clickAt(doomed);
        confirmDelete();
        EXPECT_EQ(snapshot(), before);
        EXPECT_EQ(state().selectedVertices.size(), 1u) << "the refused selection stays for another try";
        EXPECT_EQ(lastMessage().rfind("Not deleted: ", 0), 0u) << lastMessage();
        EXPECT_EQ(editor.messages().back().colour.g, k_refusalColour.g);
    }
}

// Objects leave every selection, with the joints and gears that go with them, whether the editor
// deletes them or the host destroys them behind its back.
TEST_F(Deletion, DeletedOrDestroyedObjectsTakeTheirJointsAndGearsOutOfEverySelection)
{
    b2Body* ground = addBody(b2Vec2(0.0f, 0.0f), b2_staticBody);
    b2Body* wheel = addCircle(addBody(b2Vec2(0.0f, 0.0f)), 1.0f)->GetBody();
    b2Body* arm = addBody(b2Vec2(6.0f, 0.0f));
    b2Body* slider = addBox(addBody(b2Vec2(12.0f, 0.0f)), 1.0f, 1.0f)->GetBody();
    b2Joint* axle = addRevolute(ground, wheel, b2Vec2(0.0f, 0.0f));
    b2Joint* hinge = addRevolute(ground, arm, b2Vec2(6.0f, 0.0f));
    b2PrismaticJointDef slide;
    slide.Initialize(ground, slider, slider->GetPosition(), b2Vec2(1.0f, 0.0f));
    b2Joint* rail = world()->CreateJoint(&slide);
    for (const b2GearJointDef& gear : {Physics::CouplingGear(axle, rail), Physics::CouplingGear(axle, hinge)})
    {
        ASSERT_NE(Physics::CreateJoint(world(), gear), nullptr);
    }

    press(k_del);
    EXPECT_EQ(state().state, 0) << "with nothing selected Del does not ask";
    editor.setEditMethod(EM_JOINTS);
    clickAt(b2Vec2(12.0f, 0.0f));
    ASSERT_EQ(state().selectedJoints, std::set<b2Joint*>{rail});
    editor.setEditMethod(EM_BODIES);
    clickAt(slider->GetPosition());
    press(k_del);
    press(27);
    EXPECT_EQ(world()->GetBodyCount(), 4) << "Esc takes the first Del back";
    confirmDelete();
    EXPECT_EQ(world()->GetBodyCount(), 3);
    EXPECT_EQ(world()->GetJointCount(), 3) << "the gear coupling the rail went with it";
    EXPECT_TRUE(state().selectedJoints.empty());
    EXPECT_TRUE(state().selectedBodies.empty());
    EXPECT_FALSE(editor.panelInfo().bodyApplicable);

    // The host destroys the hinge, which takes the gear that couples it, then the wheel with its rim
    // and axle, while the wheel and the ground it shares the origin with are being told apart.
    clickAt(b2Vec2(0.0f, 0.0f));
    click(1);
    press('a');
    editor.setEditMethod(EM_VERTICES);  // leaves telling apart
    editor.setEditMethod(EM_JOINTS);
    clickAt(b2Vec2(6.0f, 0.0f));
    ASSERT_EQ(state().selectedJoints, std::set<b2Joint*>{hinge});
    ASSERT_EQ(state().selectedFixtures.size(), 1u);
    ASSERT_TRUE(host.DestroyJoint(hinge));
    EXPECT_TRUE(state().selectedJoints.empty());
    EXPECT_EQ(world()->GetJointCount(), 1);
    ASSERT_TRUE(host.DestroyBody(wheel));
    EXPECT_EQ(state().selectedBodies, std::set<b2Body*>{ground});
    EXPECT_EQ(state().disambiguationBodies, std::set<b2Body*>{ground});
    EXPECT_TRUE(state().selectedFixtures.empty());
    EXPECT_NE(editor.lastSelectedBody(), wheel);
    editor.setEditMethod(EM_BODIES);
    moveMouse(b2Vec2(0.0f, 0.0f));
    EXPECT_EQ(state().candidateBodies, std::set<b2Body*>{ground});
}

}  // namespace
