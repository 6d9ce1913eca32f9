#include "Physics/Ghosts.h"

#include "PhysicsWorld.h"

#include <gtest/gtest.h>

namespace
{

Points Vertices(const b2Fixture* fixture)
{
    const auto* chain = static_cast<const b2ChainShape*>(fixture->GetShape());
    return Points(chain->m_vertices, chain->m_vertices + chain->m_count);
}

// A zig-zag shelf 2 m up from x = 10 to x = -10; running right to left, it holds from above.
Points Shelf(int count)
{
    Points points;
    for (int i = 0; i < count; ++i)
    {
        points.emplace_back(10.0f - 20.0f * i / (count - 1), 2.0f + 0.2f * (i % 2));
    }
    return points;
}

}  // namespace

TEST(Ghosts, FlagsRoundTripEdgesStayTwoSidedAndAMissingChainGhostContinuesTheEnd)
{
    PhysicsWorld w;
    b2EdgeShape shape;
    shape.SetOneSided(b2Vec2(-2, 1), b2Vec2(-1, 0), b2Vec2(1, 0), b2Vec2(2, 1));
    b2Fixture* edge = AddShape(w.ground, shape);
    Physics::EdgeGhosts inferred = Physics::GetEdgeGhosts(edge);  // never set: from one-sidedness
    EXPECT_TRUE(inferred.hasVertex0 && inferred.hasVertex3);
    EXPECT_EQ(inferred.vertex0, b2Vec2(-2, 1));
    EXPECT_FALSE(Physics::GetEdgeGhosts(w.ground->GetFixtureList()->GetNext()).hasVertex0);  // the floor

    for (int flags = 0; flags < 4; ++flags)
    {
        Physics::EdgeGhosts ghosts{(flags & 1) != 0, (flags & 2) != 0, b2Vec2(-3.25f, 0.1f * flags),
                                   b2Vec2(3.5f, -0.3f)};
        ASSERT_TRUE(Physics::SetEdgeGhosts(edge, ghosts));
        const Physics::EdgeGhosts read = Physics::GetEdgeGhosts(edge);
        EXPECT_EQ(read.hasVertex0, ghosts.hasVertex0);
        EXPECT_EQ(read.hasVertex3, ghosts.hasVertex3);
        EXPECT_TRUE(!ghosts.hasVertex0 || read.vertex0 == ghosts.vertex0);
        EXPECT_TRUE(!ghosts.hasVertex3 || read.vertex3 == ghosts.vertex3);
        EXPECT_FALSE(static_cast<const b2EdgeShape*>(edge->GetShape())->m_oneSided);
    }
    EXPECT_FALSE(Physics::SetEdgeGhosts(edge, Physics::EdgeGhosts{true, false, b2Vec2(k_nan, 0), b2Vec2(k_nan, 0)}));
    EXPECT_FALSE(Physics::SetEdgeGhosts(w.a->GetFixtureList(), Physics::EdgeGhosts()));

    b2Fixture* fixture = AddChain(w.ground, {{0, 0}, {1, 0}, {2, 1}});
    for (int flags = 0; flags < 4; ++flags)
    {
        Physics::ChainGhosts ghosts{(flags & 1) != 0, (flags & 2) != 0, b2Vec2(-1.5f, 0.25f), b2Vec2(3.75f, 1)};
        ASSERT_TRUE(Physics::SetChainGhosts(fixture, ghosts));
        const Physics::ChainGhosts read = Physics::GetChainGhosts(fixture);
        EXPECT_EQ(read.hasPrevVertex, ghosts.hasPrevVertex);
        EXPECT_EQ(read.hasNextVertex, ghosts.hasNextVertex);
        EXPECT_EQ(read.prevVertex, ghosts.hasPrevVertex ? ghosts.prevVertex : b2Vec2(-1, 0));
        EXPECT_EQ(read.nextVertex, ghosts.hasNextVertex ? ghosts.nextVertex : b2Vec2(3, 2));
    }
    // Chains made straight with the library: a closed one is a loop with both ghosts.
    const b2Vec2 corner[] = {{0, 0}, {1, 0}, {1, 1}};
    b2ChainShape loop, open;
    loop.CreateLoop(corner, 3);
    open.CreateChain(corner, 3, b2Vec2(-1, 0), b2Vec2(1, 2));
    EXPECT_TRUE(Physics::GetChainGhosts(w.ground->CreateFixture(&loop, 0)).hasNextVertex);
    EXPECT_FALSE(Physics::GetChainGhosts(w.ground->CreateFixture(&open, 0)).hasPrevVertex);
}

TEST(ChainBuilding, LoopsRepeatTheFirstVertexAndBadPointsAreRefused)
{
    b2ChainShape chain;
    const b2Vec2 square[] = {{0, 0}, {2, 0}, {2, 2}, {0, 2}};
    ASSERT_TRUE(Physics::SetLoop(chain, square, 4));
    EXPECT_EQ(Points(chain.m_vertices, chain.m_vertices + chain.m_count),
              (Points{{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0}}));
    EXPECT_EQ(chain.m_prevVertex, b2Vec2(0, 2));
    EXPECT_EQ(chain.m_nextVertex, b2Vec2(2, 0));

    for (const Points& open : {Points{{0, 0}}, Points{{0, 0}, {0.004f, 0}, {1, 0}}, Points{{0, 0}, {k_nan, 1}}})
    {
        EXPECT_FALSE(Physics::SetChain(chain, open.data(), static_cast<int>(open.size())));
    }
    for (const Points& closed : {Points{{0, 0}, {1, 0}}, Points{{0, 0}, {1, 0}, {1, 1}, {0.001f, 0}}})
    {
        EXPECT_FALSE(Physics::SetLoop(chain, closed.data(), static_cast<int>(closed.size())));
    }
    EXPECT_EQ(chain.m_count, 5);
}

// The fixture's per-segment broad-phase storage must follow the segment count: growing past it,
// shrinking below it and destroying the world afterwards must stay in bounds.
TEST(ChainRecreation, ReplacesTheVerticesAndFlagsInPlaceAsTheSegmentCountGrowsAndShrinks)
{
    PhysicsWorld w;
    b2Fixture* fixture = AddChain(w.ground, Shelf(5));
    const b2Shape* shape = fixture->GetShape();
    const Points square = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    ASSERT_TRUE(Physics::RecreateChain(fixture, square.data(), 4, true));
    EXPECT_EQ(fixture->GetShape(), shape);
    EXPECT_EQ(Vertices(fixture), (Points{{-1, -1}, {1, -1}, {1, 1}, {-1, 1}, {-1, -1}}));
    EXPECT_TRUE(Physics::GetChainGhosts(fixture).hasPrevVertex);

    ASSERT_TRUE(Physics::RecreateChain(fixture, square.data(), 3, false));
    EXPECT_EQ(Vertices(fixture), (Points{{-1, -1}, {1, -1}, {1, 1}}));
    EXPECT_FALSE(Physics::GetChainGhosts(fixture).hasPrevVertex);
    EXPECT_FALSE(Physics::RecreateChain(fixture, square.data(), 1, false));
    EXPECT_TRUE(w.WhileLocked([&] { EXPECT_FALSE(Physics::RecreateChain(fixture, square.data(), 4, true)); }));
    EXPECT_EQ(Vertices(fixture).size(), 3u);

    for (int count : {40, 6, 25, 2, 64})
    {
        ASSERT_TRUE(Physics::RecreateChain(fixture, Shelf(count).data(), count, false));
        w.a->SetTransform(b2Vec2(0.3f, 3.0f), 0.0f);
        w.a->SetAwake(true);
        w.Step(40);
        EXPECT_GT(w.a->GetPosition().y, 2.4f) << count << " points";  // resting on the shelf
    }
}
