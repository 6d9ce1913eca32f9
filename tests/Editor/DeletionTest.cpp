// Deleting the selection with Del twice: bodies, fixtures and joints leave the world and every
// editor set; vertices are deleted from their fixture in place, the fixture going when too few
// would remain, and a deletion that would leave a shape the physics library rejects changes
// nothing.
#include "Editor/EditorModelScene.h"

#include "Physics/Polygon.h"
#include "Physics/ShapeGeometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace
{

constexpr unsigned char k_del = 127;

class Deletion : public ::testing::Test, public EditorModelScene
{
protected:
    std::vector<b2Vec2> worldPoints(b2Fixture* fixture)
    {
        std::vector<b2Vec2> points = Physics::GetGeometry(fixture).points;
        for (b2Vec2& p : points)
        {
            p = fixture->GetBody()->GetWorldPoint(p);
        }
        return points;
    }

    // Shift-clicks the fixture's vertices with these indices in vertex mode.
    void selectVertices(b2Fixture* fixture, std::initializer_list<int> indices)
    {
        editor.setEditMethod(EM_VERTICES);
        const std::vector<b2Vec2> points = worldPoints(fixture);
        for (int i : indices)
        {
            clickAt(points[static_cast<size_t>(i)], 0, true);
        }
    }

    void confirmDelete()
    {
        press(k_del);
        ASSERT_EQ(state().state, CS_DELETE);
        press(k_del);
        EXPECT_EQ(state().state, 0);
    }

    b2Fixture* addPentagon(b2Vec2 centre)
    {
        std::vector<b2Vec2> points;
        for (int i = 0; i < 5; ++i)
        {
            const float a = 1.2566371f * static_cast<float>(i);
            points.push_back(centre + 3.0f * b2Vec2(std::cos(a), std::sin(a)));
        }
        b2PolygonShape shape;
        Physics::SetPolygon(shape, points.data(), 5);
        return addShape(addBody(b2Vec2_zero), shape);
    }
};

size_t ChainPointCount(b2Fixture* fixture)
{
    return Physics::GetGeometry(fixture).points.size();
}

TEST_F(Deletion, PolygonsKeepTheirOtherVerticesInPlaceOrGoBelowThree)
{
    b2Fixture* kept = addPentagon(b2Vec2(-20.0f, 0.0f));
    b2Fixture* removed = addPentagon(b2Vec2(20.0f, 0.0f));
    host.names.fixtureNames[kept] = "kept";
    const std::vector<b2Vec2> before = worldPoints(kept);

    // Two of five in one polygon, three of five in the other: one confirmation does both.
    selectVertices(kept, {0, 2});
    selectVertices(removed, {0, 1, 2});
    confirmDelete();
    EXPECT_TRUE(state().selectedVertices.empty());

    ASSERT_EQ(kept->GetType(), b2Shape::e_polygon);
    const std::vector<b2Vec2> after = worldPoints(kept);
    ASSERT_EQ(after.size(), 3u);
    // The same three corners, still counter-clockwise: a rotation of 1, 3, 4.
    const std::vector<b2Vec2> expected = {before[1], before[3], before[4]};
    const auto start = std::find(after.begin(), after.end(), expected[0]) - after.begin();
    for (size_t i = 0; i < 3; ++i)
    {
        EXPECT_EQ(after[(static_cast<size_t>(start) + i) % 3], expected[i]);
    }
    EXPECT_EQ(host.names.fixtureNames[kept], "kept") << "the fixture itself was kept";
    EXPECT_EQ(world()->GetBodyList()->GetFixtureList(), nullptr) << "the other polygon went";
}

TEST_F(Deletion, EdgesChainsAndLoopsGoBelowTheirLeastVertexCount)
{
    b2Body* body = addBody(b2Vec2_zero);
    b2Fixture* edge = addEdge(body, b2Vec2(-30.0f, 0.0f), b2Vec2(-25.0f, 0.0f));
    b2Fixture* loop4 = addChain(body, {{-15, -3}, {-10, -3}, {-10, 3}, {-15, 3}}, true);
    b2Fixture* loop3 = addChain(body, {{0, -3}, {5, -3}, {5, 3}}, true);
    b2Fixture* open3 = addChain(body, {{10, 0}, {15, 0}, {20, 0}}, false);
    b2Fixture* open2 = addChain(body, {{25, 10}, {30, 10}}, false);

    // The fixture mode's selection of a chain survives the deletion of its vertices.
    editor.setEditMethod(EM_FIXTURES);
    clickAt(b2Vec2(-12.5f, -3.0f));
    ASSERT_EQ(state().selectedFixtures, std::set<b2Fixture*>{loop4});

    selectVertices(edge, {1});
    selectVertices(loop4, {2});
    selectVertices(loop3, {0});
    selectVertices(open3, {1});
    selectVertices(open2, {0});
    confirmDelete();

    std::set<b2Fixture*> remaining;
    for (b2Fixture* f = body->GetFixtureList(); f != nullptr; f = f->GetNext())
    {
        remaining.insert(f);
    }
    EXPECT_EQ(remaining, (std::set<b2Fixture*>{loop4, open3}));
    EXPECT_EQ(ChainPointCount(loop4), 3u);
    EXPECT_TRUE(Physics::GetGeometry(loop4).loop);
    EXPECT_EQ(Physics::GetGeometry(open3).points, (std::vector<b2Vec2>{{10, 0}, {20, 0}}));
    EXPECT_EQ(state().selectedFixtures, std::set<b2Fixture*>{loop4});
}

TEST_F(Deletion, ARemainderTheLibraryRejectsIsRefusedWithNothingChanged)
{
    b2Body* body = addBody(b2Vec2_zero);
    // Without its lowest corner the quadrilateral is three points on one line.
    const b2Vec2 quad[] = {{-20.0f, 0.0f}, {-15.0f, -3.0f}, {-10.0f, 0.0f}, {-15.0f, 1.0e-8f}};
    b2PolygonShape thin;
    ASSERT_TRUE(Physics::SetPolygon(thin, quad, 4));
    ASSERT_EQ(thin.m_count, 4);
    b2Fixture* polygon = addShape(body, thin);
    // Without its middle point the chain's neighbours are closer than the library allows.
    b2Fixture* chain = addChain(body, {{0, 0}, {6, 0}, {0.003f, 0}}, false);

    for (b2Fixture* fixture : {polygon, chain})
    {
        const std::string before = snapshot();
        const b2Vec2 doomed = fixture == chain ? b2Vec2(6, 0) : b2Vec2(-15, -3);
        editor.setEditMethod(EM_VERTICES);
        clickAt(doomed);
        ASSERT_EQ(state().selectedVertices.size(), 1u);
        confirmDelete();
        EXPECT_EQ(snapshot(), before);
        EXPECT_EQ(state().selectedVertices.size(), 1u) << "the refused selection stays for another try";
        ASSERT_FALSE(editor.messages().empty());
        EXPECT_EQ(lastMessage().rfind("Not deleted: ", 0), 0u) << lastMessage();
        EXPECT_EQ(editor.messages().back().colour.g, k_refusalColour.g);
        clickAt(b2Vec2(40, 40));
    }
}

TEST_F(Deletion, BodiesTakeTheirJointsAndGearsOutOfEverySelection)
{
    b2Body* ground = addBody(b2Vec2(-10.0f, 0.0f), b2_staticBody);
    b2Body* wheel = addBody(b2Vec2(0.0f, 0.0f));
    b2Body* slider = addBody(b2Vec2(10.0f, 0.0f));
    addCircle(wheel, 1.0f);
    addBox(slider, 1.0f, 1.0f);
    b2Joint* hinge = addRevolute(ground, wheel, wheel->GetPosition());
    b2PrismaticJointDef slide;
    slide.Initialize(ground, slider, slider->GetPosition(), b2Vec2(1.0f, 0.0f));
    b2Joint* rail = world()->CreateJoint(&slide);
    b2GearJointDef gearDef;
    gearDef.bodyA = wheel;
    gearDef.bodyB = slider;
    gearDef.joint1 = hinge;
    gearDef.joint2 = rail;
    world()->CreateJoint(&gearDef);

    // Nothing selected: Del does not even ask.
    press(k_del);
    EXPECT_EQ(state().state, 0);

    // The joint selection holds the wheel's hinge, the body selection the wheel.
    editor.setEditMethod(EM_JOINTS);
    clickAt(b2Vec2(0.0f, 0.0f));
    ASSERT_EQ(state().selectedJoints, std::set<b2Joint*>{hinge});
    editor.setEditMethod(EM_BODIES);
    clickAt(wheel->GetPosition());
    ASSERT_EQ(state().selectedBodies, std::set<b2Body*>{wheel});

    // Esc takes the first Del back.
    press(k_del);
    press(27);
    EXPECT_EQ(world()->GetBodyCount(), 3);

    confirmDelete();
    EXPECT_EQ(world()->GetBodyCount(), 2);
    EXPECT_EQ(world()->GetJointCount(), 1) << "the gear coupling the hinge went with it";
    EXPECT_EQ(world()->GetJointList(), rail);
    EXPECT_TRUE(state().selectedJoints.empty());
    EXPECT_TRUE(state().selectedBodies.empty());
    EXPECT_EQ(editor.panelInfo().bodyApplicable, false);

    // Deleting the rail in joint mode leaves no joint behind.
    editor.setEditMethod(EM_JOINTS);
    clickAt(slider->GetPosition());
    confirmDelete();
    EXPECT_EQ(world()->GetJointCount(), 0);
}

}  // namespace
