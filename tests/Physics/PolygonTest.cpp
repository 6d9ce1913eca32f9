#include "Physics/Polygon.h"

#include "Physics/Create.h"
#include "PhysicsWorld.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

namespace
{

Points Stored(const b2PolygonShape& shape)
{
    return Points(shape.m_vertices, shape.m_vertices + shape.m_count);
}

bool SameBits(const b2Vec2& a, const b2Vec2& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

TEST(PolygonOrder, HullStartsRightmostLowestRunsCounterClockwiseWeldsNothingAndKeepsShortEdges)
{
    const std::vector<std::pair<Points, Points>> cases = {
        {{{0, 0}, {1, 1}, {1, 0}, {0, 1}}, {{1, 0}, {1, 1}, {0, 1}, {0, 0}}},
        {{{0, 0}, {4, 0}, {1, 1}, {0, 4}}, {{4, 0}, {0, 4}, {0, 0}}},  // interior point
        {{{0, 0}, {1, 0}, {2, 0}, {1, 1}}, {{2, 0}, {1, 1}, {0, 0}}},  // collinear between
        {{{0, 0}, {1, 0}, {1, 0}, {0, 1}}, {{1, 0}, {0, 1}, {0, 0}}},  // repeated point
        {{{0, 0}, {1, 0}, {1, 1}, {0.999f, 1.0005f}, {0, 1}},          // near points kept
         {{1, 0}, {1, 1}, {0.999f, 1.0005f}, {0, 1}, {0, 0}}},
        {{{1, 0}, {2, 1}, {2, 2}, {1, 3}, {0, 3}, {-1, 2}, {-1, 1}, {0, 0}, {50, 50}},  // ninth ignored
         {{2, 1}, {2, 2}, {1, 3}, {0, 3}, {-1, 2}, {-1, 1}, {0, 0}, {1, 0}}},
        {{{0, 0}, {1, 0}, {1, 1e-8f}, {0, 1}}, {{1, 0}, {1, 1e-8f}, {0, 1}, {0, 0}}},  // last: a very short edge
    };
    b2PolygonShape shape;
    for (const auto& [points, expected] : cases)
    {
        ASSERT_TRUE(Physics::SetPolygon(shape, points.data(), static_cast<int>(points.size())));
        EXPECT_EQ(Stored(shape), expected);
    }
    EXPECT_EQ(shape.m_normals[0], b2Vec2(1e-8f, 0)) << "the normal of a very short edge stays unnormalised";
}

TEST(PolygonGeometry, MatchesTheLibraryBitForBitWhereItDoesNotWeld)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    for (int trial = 0; trial < 2000; ++trial)
    {
        const int count = 3 + trial % 6;
        const float radius = std::pow(10.0f, 2.0f * unit(random));
        const b2Vec2 offset(100.0f * unit(random), 100.0f * unit(random));
        Points points;
        for (int i = 0; i < count; ++i)
        {
            const float angle = (i + 0.4f * unit(random)) * 2.0f * b2_pi / count;
            points.push_back(offset + radius * b2Vec2(std::cos(angle), std::sin(angle)));
        }
        b2PolygonShape library, ours;
        library.Set(points.data(), count);
        ASSERT_TRUE(Physics::SetPolygon(ours, points.data(), count));
        ASSERT_EQ(ours.m_count, library.m_count);
        for (int i = 0; i < count; ++i)
        {
            ASSERT_TRUE(SameBits(ours.m_vertices[i], library.m_vertices[i]) &&
                        SameBits(ours.m_normals[i], library.m_normals[i]))
                << "trial " << trial;
        }
        ASSERT_TRUE(SameBits(ours.m_centroid, library.m_centroid)) << "trial " << trial;
        ASSERT_EQ(ours.m_radius, b2_polygonRadius);
    }
}

TEST(PolygonRefusal, RefusedPointsLeaveTheShapeUntouched)
{
    const std::vector<Points> refused = {{{0, 0}, {1, 0}},
                                         {{0, 0}, {1, 0}, {2, 0}, {3, 0}},
                                         {{0, 0}, {1e-4f, 0}, {0, 1e-4f}},
                                         {{0, 0}, {1, 0}, {k_nan, 1}},
                                         {{0, 0}, {1e30f, 0}, {0, 1}},
                                         {{0, 0}, {0, 0}, {0, 0}}};
    for (const Points& points : refused)
    {
        b2PolygonShape shape;
        shape.SetAsBox(2, 3);
        EXPECT_FALSE(Physics::SetPolygon(shape, points.data(), static_cast<int>(points.size())));
        EXPECT_EQ(Stored(shape), (Points{{-2, -3}, {2, -3}, {2, 3}, {-2, 3}}));
    }
    EXPECT_EQ(Physics::MakePolygon(refused[1].data(), 4).m_count, 0);
}

TEST(PolygonRefusal, EveryAcceptedSliverSurvivesTheLibraryMassAssertion)
{
    PhysicsWorld w;
    b2Body* body = w.AddBody(b2_dynamicBody);
    int refused = 0;
    for (float height = 2.0e-7f; height < 2.8e-7f; height += 1e-10f)
    {
        const b2Vec2 points[] = {{0, 0}, {1, 0}, {0, height}};
        b2PolygonShape shape;
        if (!Physics::SetPolygon(shape, points, 3))
        {
            ++refused;
            continue;
        }
        b2MassData mass;
        shape.ComputeMass(&mass, 1.0f);  // asserts on too small an area
        AddShape(body, shape, 1.0f);
    }
    EXPECT_GT(refused, 0);
}
