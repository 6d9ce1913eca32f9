// Inserting a vertex with Tab and a click into each shape type, and splits that would leave a shape
// the physics library rejects, which change nothing.
#include "Editor/EditorModelScene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace
{

constexpr unsigned char k_tab = 9;

class Split : public ::testing::Test, public EditorModelScene
{
protected:
    Split() { editor.setEditMethod(EM_VERTICES); }

    // A click at p while Tab is held.
    void splitAt(b2Vec2 p)
    {
        editor.handleKeyDown(k_tab);
        clickAt(p);
        editor.handleKeyUp(k_tab);
    }

    bool splitPointShownAt(b2Vec2 p)
    {
        editor.handleKeyDown(k_tab);
        moveMouse(p);
        editor.handleKeyUp(k_tab);
        return state().splitInfo.fixture != nullptr;
    }
};

TEST_F(Split, PolygonsGetTheVertexJustOutsideTheEdgeUntilTheyAreFull)
{
    b2Body* body = addBody(b2Vec2(-20.0f, 0.0f), b2_dynamicBody, 0.3f);
    std::vector<b2Vec2> heptagon;
    for (int i = 0; i < 7; ++i)
    {
        heptagon.push_back(3.0f * b2Vec2(std::cos(2.0f * b2_pi * i / 7.0f), std::sin(2.0f * b2_pi * i / 7.0f)));
    }
    b2Fixture* polygon = addPolygon(body, heptagon);
    const std::vector<b2Vec2> before = worldPoints(polygon);
    const b2Vec2 middle = 0.5f * (before[0] + before[1]);

    splitAt(middle);
    EXPECT_EQ(body->GetFixtureList(), polygon);
    const std::vector<b2Vec2> after = worldPoints(polygon);
    ASSERT_EQ(after.size(), 8u);
    // The new corner lies 0.01 outside the middle of the edge.
    const b2Vec2 centre = body->GetPosition();
    EXPECT_TRUE(std::any_of(after.begin(), after.end(), [&](const b2Vec2& v) {
        return std::fabs(b2Distance(v, middle) - 0.01f) < 1.0e-4f && b2Distance(v, centre) > b2Distance(middle, centre);
    }));
    EXPECT_FALSE(splitPointShownAt(middle)) << "a polygon of 8 corners offers no split point";
}

// An edge becomes two edge fixtures; chains and loops get the vertex on the segment and stay selected.
TEST_F(Split, EdgesBecomeTwoEdgesWithTheSameMaterialAndChainsGetTheVertexOnTheSegment)
{
    b2Body* body = addBody(b2Vec2(0.0f, 5.0f));
    b2Fixture* edge = addEdge(body, b2Vec2(-4.0f, 0.0f), b2Vec2(4.0f, 0.0f));
    edge->SetFriction(0.7f);
    edge->SetSensor(true);
    b2Filter filter;
    filter.groupIndex = -3;
    edge->SetFilterData(filter);
    Physics::SetEdgeGhosts(edge, Physics::EdgeGhosts{true, true, b2Vec2(-6, -1), b2Vec2(6, -1)});

    splitAt(b2Vec2(1.0f, 5.2f));
    b2Fixture* added = body->GetFixtureList();
    ASSERT_EQ(added->GetNext(), edge);
    const Physics::ShapeGeometry first = Physics::GetGeometry(edge);
    const Physics::ShapeGeometry second = Physics::GetGeometry(added);
    EXPECT_EQ(first.points, (std::vector<b2Vec2>{{-4, 0}, {1, 0}}));
    EXPECT_EQ(second.points, (std::vector<b2Vec2>{{1, 0}, {4, 0}}));
    // The outer ghost vertices stay with the outer ends.
    EXPECT_TRUE(first.hasGhostBefore && !first.hasGhostAfter && !second.hasGhostBefore && second.hasGhostAfter);
    EXPECT_EQ(second.ghostAfter, b2Vec2(6, -1));
    EXPECT_TRUE(added->GetFriction() == 0.7f && added->IsSensor() && added->GetFilterData().groupIndex == -3);

    b2Body* ground = addBody(b2Vec2_zero, b2_staticBody);
    b2Fixture* open = addChain(ground, {{-20, 0}, {-15, 0}, {-10, 0}}, false);
    b2Fixture* loop = addChain(ground, {{10, -3}, {20, -3}, {20, 3}}, true);
    editor.setEditMethod(EM_FIXTURES);
    clickAt(b2Vec2(-17.5f, 0.0f));
    ASSERT_EQ(state().selectedFixtures, std::set<b2Fixture*>{open});
    editor.setEditMethod(EM_VERTICES);
    splitAt(b2Vec2(-12.5f, 0.5f));
    EXPECT_EQ(Physics::GetGeometry(open).points, (std::vector<b2Vec2>{{-20, 0}, {-15, 0}, {-12.5f, 0}, {-10, 0}}));
    EXPECT_EQ(state().selectedFixtures, std::set<b2Fixture*>{open});

    // The loop's closing segment, from its last vertex back to its first.
    splitAt(b2Vec2(15.0f, 0.0f));
    const Physics::ShapeGeometry g = Physics::GetGeometry(loop);
    EXPECT_TRUE(g.loop);
    ASSERT_EQ(g.points.size(), 4u);
    EXPECT_EQ(g.points[3], b2Vec2(15, 0));
}

TEST_F(Split, SplitsTheLibraryWouldRejectChangeNothing)
{
    b2Body* body = addBody(b2Vec2_zero, b2_staticBody);
    addEdge(body, b2Vec2(-30.0f, 0.0f), b2Vec2(-25.0f, 0.0f));
    addChain(body, {{0, 0}, {0.008f, 0}, {5, 0}}, false);
    b2Fixture* square = addBox(body, 2.0f, 2.0f, b2Vec2(20.0f, 0.0f));
    ASSERT_TRUE(splitPointShownAt(b2Vec2(22.5f, 1.0f)));
    EXPECT_EQ(state().splitInfo.fixture, square);
    EXPECT_FLOAT_EQ(state().splitInfo.fraction, 0.75f);
    EXPECT_EQ(state().splitInfo.segmentStart, b2Vec2(22.0f, -2.0f));
    clickAt(b2Vec2(18.0f, 2.0f));
    const std::set<vertexInfo> selected = state().selectedVertices;
    ASSERT_EQ(selected.size(), 1u);
    // Beyond the edge's end; between two chain points closer than twice the slop; at a square's
    // corner, where the point outside would leave the corner on a straight side. The refused click
    // leaves the selection as it was.
    for (const b2Vec2& p : {b2Vec2(-24.0f, 0.0f), b2Vec2(0.004f, -0.5f), b2Vec2(22.0f, -2.0f)})
    {
        const std::string before = snapshot();
        ASSERT_TRUE(splitPointShownAt(p));
        splitAt(p);
        EXPECT_EQ(snapshot(), before) << p.x;
        EXPECT_EQ(lastMessage().rfind("No vertex inserted: ", 0), 0u) << lastMessage();
        EXPECT_EQ(state().selectedVertices, selected);
    }
}

}  // namespace
