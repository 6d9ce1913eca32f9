#include "Physics/ShapeGeometry.h"

#include "PhysicsWorld.h"

#include <gtest/gtest.h>

using Physics::ShapeGeometry;

namespace
{

const Points k_square = {{0.0f, 0.0f}, {2.0f, 0.0f}, {2.0f, 2.0f}, {0.0f, 2.0f}};

ShapeGeometry Moved(ShapeGeometry g, b2Vec2 d)
{
    return Physics::MapGeometry(g, [d](const b2Vec2& p) { return p + d; });
}

}  // namespace

TEST(ShapeGeometry, PolygonRewrittenInPlaceWithItsMassAndDegenerateResultsRefusedChangingNothing)
{
    PhysicsWorld w;
    b2Fixture* box = w.a->GetFixtureList();
    const ShapeGeometry before = Physics::GetGeometry(box);
    const float mass = w.a->GetMass();
    const ShapeGeometry collapsed = Physics::MapGeometry(before, [](const b2Vec2&) { return b2Vec2(1.0f, 1.0f); });
    const ShapeGeometry flat = Physics::MapGeometry(before, [](const b2Vec2& p) { return b2Vec2(p.x, 0.0f); });
    const ShapeGeometry huge = Moved(before, b2Vec2(1e30f, 0.0f));
    const ShapeGeometry nan = Moved(before, b2Vec2(k_nan, 0.0f));
    for (const ShapeGeometry& bad : {collapsed, flat, huge, nan})
    {
        std::string error;
        EXPECT_FALSE(Physics::SetGeometry(box, bad, &error));
        EXPECT_FALSE(error.empty());
    }
    EXPECT_EQ(Physics::GetGeometry(box).points, before.points);
    EXPECT_EQ(w.a->GetMass(), mass);
    ASSERT_TRUE(Physics::SetGeometry(box, Physics::MapGeometry(before, [](const b2Vec2& p) { return 2.0f * p; })));
    EXPECT_EQ(box, w.a->GetFixtureList());
    EXPECT_FLOAT_EQ(w.a->GetMass(), 4.0f * mass);

    b2CircleShape circle;
    circle.m_radius = 1.0f;
    b2Fixture* round = w.b->CreateFixture(&circle, 1.0f);
    ShapeGeometry zero = Physics::GetGeometry(round);
    zero.radius = 0.0f;
    EXPECT_FALSE(Physics::SetGeometry(round, zero));
    EXPECT_EQ(static_cast<b2CircleShape*>(round->GetShape())->m_radius, 1.0f);
}

TEST(ShapeGeometry, ChainsKeepTheirGhostsAndRefusePointsOnNeighboursLoopsStayLoopsAndReversalSwapsGhosts)
{
    PhysicsWorld w;
    b2Fixture* chain = AddChain(w.ground, k_square);
    Physics::SetChainGhosts(chain, Physics::ChainGhosts{true, false, b2Vec2(-1.0f, -1.0f), b2Vec2_zero});
    ASSERT_TRUE(Physics::SetGeometry(chain, Moved(Physics::GetGeometry(chain), b2Vec2(1.0f, 0.0f))));
    const Physics::ChainGhosts ghosts = Physics::GetChainGhosts(chain);
    EXPECT_TRUE(ghosts.hasPrevVertex);
    EXPECT_FALSE(ghosts.hasNextVertex);
    EXPECT_EQ(ghosts.prevVertex, b2Vec2(0.0f, -1.0f));
    const ShapeGeometry reversed = Physics::ReverseChain(Physics::GetGeometry(chain));
    EXPECT_TRUE(reversed.hasGhostAfter && !reversed.hasGhostBefore);
    EXPECT_EQ(reversed.ghostAfter, b2Vec2(0.0f, -1.0f));

    ShapeGeometry crowded = Physics::GetGeometry(chain);
    crowded.points[1] = crowded.points[0];
    EXPECT_FALSE(Physics::SetGeometry(chain, crowded));
    EXPECT_EQ(static_cast<b2ChainShape*>(chain->GetShape())->m_count, 4);

    b2Fixture* loop = AddChain(w.ground, k_square, true);
    const ShapeGeometry g = Physics::GetGeometry(loop);
    EXPECT_TRUE(g.loop);
    EXPECT_EQ(g.points.size(), 4u);
    ASSERT_TRUE(Physics::SetGeometry(loop, Physics::ReverseChain(g)));
    EXPECT_TRUE(Physics::GetGeometry(loop).loop);
    EXPECT_EQ(Physics::GetGeometry(loop).points.front(), g.points.back());
}

TEST(ShapeGeometry, FixturesOfOneBodyAreCheckedAndWrittenTogether)
{
    PhysicsWorld w;
    b2Body* body = w.AddBody(b2_dynamicBody);
    b2CircleShape circle;
    circle.m_radius = 1.0f;
    circle.m_p.Set(1000.0f, 0.0f);
    b2Fixture* first = body->CreateFixture(&circle, 1.0f);
    circle.m_p.Set(1000.0f, 3.0f);
    b2Fixture* second = body->CreateFixture(&circle, 1.0f);

    // Either circle shrunk alone leaves the other to give the body its inertia; both shrunk
    // leave an inertia about the centre of mass that single precision cannot tell from zero.
    ShapeGeometry small = Physics::GetGeometry(first);
    small.radius = 1e-3f;
    ShapeGeometry smallToo = small;
    smallToo.points[0].y = 2e-3f;
    EXPECT_EQ(Physics::CheckGeometryFor(first, small), "");
    EXPECT_EQ(Physics::CheckGeometryFor(second, smallToo), "");
    const std::vector<Physics::GeometryChange> both = {{first, small}, {second, smallToo}};
    EXPECT_NE(Physics::CheckGeometries(both), "");
    EXPECT_FALSE(Physics::SetGeometries(both));
    EXPECT_EQ(first->GetShape()->m_radius, 1.0f);
    EXPECT_EQ(second->GetShape()->m_radius, 1.0f);

    // Accepted together, both are written and the mass is computed once from both.
    small.radius = smallToo.radius = 0.5f;
    smallToo.points[0].y = 3.0f;
    const std::vector<Physics::GeometryChange> halves = {{first, small}, {second, smallToo}};
    ASSERT_TRUE(Physics::SetGeometries(halves));
    EXPECT_FLOAT_EQ(body->GetMass(), 0.5f * b2_pi);
    EXPECT_FALSE(Physics::SetGeometries({{first, small}, {first, small}}));
}
