#include "Tests/DynamicTreeTest.h"

#include "Tests/RandomNumbers.h"

#include <algorithm>
#include <iterator>
#include <cstdlib>

namespace
{

// Actors stay within this distance of the centre, in x and in y.
const float k_extent = 15.0f;
const b2Vec2 k_center(0.0f, 20.0f);
const float k_actorHalfSize = 0.5f;
const int k_actionsPerStep = 10;

b2Vec2 ClampToExtent(const b2Vec2& p)
{
    const b2Vec2 reach(k_extent, k_extent);
    return b2Clamp(p, k_center - reach, k_center + reach);
}

// Marks the actors whose own box (not the tree's fattened one) overlaps the query box.
struct QueryMarker
{
    bool QueryCallback(int32 proxyId)
    {
        auto* actor = static_cast<DynamicTreeTest::Actor*>(tree.GetUserData(proxyId));
        actor->overlapsQuery = b2TestOverlap(box, actor->aabb);
        return true;
    }

    const b2DynamicTree& tree;
    const b2AABB& box;
};

// Finds the actor whose box the ray enters first, clipping the ray at each hit.
struct ClosestActorFinder
{
    float RayCastCallback(const b2RayCastInput& input, int32 proxyId)
    {
        auto* actor = static_cast<DynamicTreeTest::Actor*>(tree.GetUserData(proxyId));
        b2RayCastOutput output;
        if (!actor->aabb.RayCast(&output, input))
        {
            return input.maxFraction;
        }
        closest = actor;
        return output.fraction;
    }

    const b2DynamicTree& tree;
    DynamicTreeTest::Actor* closest = nullptr;
};

}  // namespace

DynamicTreeTest::DynamicTreeTest()
{
    for (Actor& actor : m_actors)
    {
        actor.aabb = RandomBox();
        actor.overlapsQuery = false;
        actor.proxyId = m_tree.CreateProxy(actor.aabb, &actor);
    }

    m_queryBox.lowerBound = k_center + b2Vec2(-4.0f, -3.0f);
    m_queryBox.upperBound = k_center + b2Vec2(4.0f, 3.0f);

    m_ray.p1 = k_center + b2Vec2(-k_extent - 2.0f, -5.0f);
    m_ray.p2 = k_center + b2Vec2(k_extent + 2.0f, 5.0f);
    m_ray.maxFraction = 1.0f;
}

int DynamicTreeTest::GetProxyCount() const
{
    return static_cast<int>(std::count_if(std::begin(m_actors), std::end(m_actors),
                                          [](const Actor& a) { return a.proxyId != k_noProxy; }));
}

b2AABB DynamicTreeTest::RandomBox() const
{
    b2Vec2 center(RandomFloat(-k_extent, k_extent), RandomFloat(-k_extent, k_extent));
    center += k_center;
    const b2Vec2 half(k_actorHalfSize, k_actorHalfSize);
    b2AABB box;
    box.lowerBound = center - half;
    box.upperBound = center + half;
    return box;
}

void DynamicTreeTest::Keyboard(unsigned char key)
{
    switch (key)
    {
    case 'a':
        m_automated = !m_automated;
        break;
    case 'c':
        CreateProxy();
        break;
    case 'd':
        DestroyProxy();
        break;
    case 'm':
        for (Actor& actor : m_actors)
        {
            if (actor.proxyId != k_noProxy)
            {
                MoveProxy(actor);
            }
        }
        break;
    default:
        break;
    }
}

void DynamicTreeTest::CreateProxy()
{
    for (Actor& actor : m_actors)
    {
        if (actor.proxyId == k_noProxy)
        {
            actor.aabb = RandomBox();
            actor.proxyId = m_tree.CreateProxy(actor.aabb, &actor);
            return;
        }
    }
}

void DynamicTreeTest::DestroyProxy()
{
    for (int attempt = 0; attempt < k_actorCount; ++attempt)
    {
        Actor& actor = m_actors[std::rand() % k_actorCount];
        if (actor.proxyId != k_noProxy)
        {
            m_tree.DestroyProxy(actor.proxyId);
            actor.proxyId = k_noProxy;
            actor.overlapsQuery = false;
            if (m_rayActor == &actor)
            {
                m_rayActor = nullptr;
            }
            return;
        }
    }
}

void DynamicTreeTest::MoveProxy(Actor& actor)
{
    b2Vec2 displacement(RandomFloat(-0.5f, 0.5f), RandomFloat(-0.5f, 0.5f));
    b2Vec2 oldCenter = actor.aabb.GetCenter();
    displacement = ClampToExtent(oldCenter + displacement) - oldCenter;
    actor.aabb.lowerBound += displacement;
    actor.aabb.upperBound += displacement;
    m_tree.MoveProxy(actor.proxyId, actor.aabb, displacement);
}

void DynamicTreeTest::MoveRandomProxy()
{
    for (int attempt = 0; attempt < k_actorCount; ++attempt)
    {
        Actor& actor = m_actors[std::rand() % k_actorCount];
        if (actor.proxyId != k_noProxy)
        {
            MoveProxy(actor);
            return;
        }
    }
}

void DynamicTreeTest::RunAutomatedActions()
{
    // Mostly moves, with the occasional creation and destruction.
    for (int i = 0; i < k_actionsPerStep; ++i)
    {
        int choice = std::rand() % 20;
        if (choice == 0)
        {
            CreateProxy();
        }
        else if (choice == 1)
        {
            DestroyProxy();
        }
        else
        {
            MoveRandomProxy();
        }
    }
}

void DynamicTreeTest::Query()
{
    for (Actor& actor : m_actors)
    {
        actor.overlapsQuery = false;
    }
    QueryMarker marker{m_tree, m_queryBox};
    m_tree.Query(&marker, m_queryBox);
}

void DynamicTreeTest::CastRay()
{
    ClosestActorFinder finder{m_tree};
    m_tree.RayCast(&finder, m_ray);
    m_rayActor = finder.closest;
}

void DynamicTreeTest::Draw()
{
    for (Actor& actor : m_actors)
    {
        if (actor.proxyId == k_noProxy)
        {
            continue;
        }
        b2Color color(0.9f, 0.9f, 0.9f);
        if (&actor == m_rayActor)
        {
            color = b2Color(0.6f, 0.9f, 0.6f);
        }
        else if (actor.overlapsQuery)
        {
            color = b2Color(0.9f, 0.6f, 0.6f);
        }
        debugDraw.DrawAABB(&actor.aabb, color);
    }

    debugDraw.DrawAABB(&m_queryBox, b2Color(0.7f, 0.7f, 0.9f));

    const b2Color rayColor(0.9f, 0.9f, 0.4f);
    if (m_rayActor)
    {
        b2RayCastOutput output;
        m_rayActor->aabb.RayCast(&output, m_ray);
        b2Vec2 hit = m_ray.p1 + output.fraction * (m_ray.p2 - m_ray.p1);
        debugDraw.DrawSegment(m_ray.p1, hit, rayColor);
        debugDraw.DrawPoint(hit, 6.0f, rayColor);
    }
    else
    {
        debugDraw.DrawSegment(m_ray.p1, m_ray.p2, rayColor);
    }
}

void DynamicTreeTest::Step(Settings* settings)
{
    // Automated changes follow the frequency and the pause switches as a simulation step would.
    bool advance = settings->hz > 0.0f;
    if (settings->pause)
    {
        advance = advance && settings->singleStep;
        settings->singleStep = 0;
    }
    if (m_automated && advance)
    {
        RunAutomatedActions();
    }
    Query();
    CastRay();
    Draw();

    DrawLine("dynamic tree height = %d", m_tree.GetHeight());
}
