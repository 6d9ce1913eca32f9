#include "Physics/Ghosts.h"

#include "Physics/Guards.h"
#include "Physics/MemberAccess.h"

#include <algorithm>

namespace Physics
{

namespace
{

// The two flags in a fixture's user data. Without k_marked the fixture was made without this
// layer and its flags are inferred from the shape.
constexpr uintptr_t k_marked = 1u;
constexpr uintptr_t k_firstFlag = 2u;
constexpr uintptr_t k_secondFlag = 4u;

struct Flags
{
    bool known = false;
    bool first = false;
    bool second = false;
};

Flags ReadFlags(const b2Fixture* fixture)
{
    const uintptr_t bits = const_cast<b2Fixture*>(fixture)->GetUserData().pointer;
    return {(bits & k_marked) != 0, (bits & k_firstFlag) != 0, (bits & k_secondFlag) != 0};
}

void WriteFlags(b2Fixture* fixture, bool first, bool second)
{
    fixture->GetUserData().pointer = k_marked | (first ? k_firstFlag : 0u) | (second ? k_secondFlag : 0u);
}

bool IsShape(const b2Fixture* fixture, b2Shape::Type type)
{
    return fixture != nullptr && fixture->GetType() == type;
}

// A fixture of the type whose flagged ghost vertices are usable.
bool AcceptsGhosts(const b2Fixture* fixture, b2Shape::Type type, bool hasFirst, const b2Vec2& first,
                   bool hasSecond, const b2Vec2& second)
{
    return IsShape(fixture, type) && (!hasFirst || IsSaneCoordinate(first)) && (!hasSecond || IsSaneCoordinate(second));
}

// The library always uses a chain's ghost vertices; where the scene has none, continuing the
// end segment straight on adds no corner to collide with.
b2Vec2 Extend(const b2Vec2& end, const b2Vec2& neighbour)
{
    return end + (end - neighbour);
}

b2Vec2 GhostOrExtension(bool has, const b2Vec2& ghost, const b2Vec2& end, const b2Vec2& neighbour)
{
    return has ? ghost : Extend(end, neighbour);
}

// The library asserts on neighbours closer than the slop when it builds a chain (and again
// when a fixture copies it); a loop's closing segment is copied as a neighbour pair too.
bool AreChainPoints(const b2Vec2* points, int count, bool loop)
{
    if (points == nullptr || count < (loop ? 3 : 2) || !std::all_of(points, points + count, IsSaneCoordinate))
    {
        return false;
    }
    const b2Vec2 closing[] = {points[count - 1], points[0]};
    return AreNeighboursApart(points, count) && (!loop || AreNeighboursApart(closing, 2));
}

void Build(b2ChainShape& shape, const b2Vec2* points, int count, bool loop)
{
    shape.Clear();
    if (loop)
    {
        shape.CreateLoop(points, count);
    }
    else
    {
        shape.CreateChain(points, count, Extend(points[0], points[1]),
                          Extend(points[count - 1], points[count - 2]));
    }
}

// A fixture's proxy array is sized for the shape's child count when the fixture is created and
// released with the child count current at destruction, so a chain whose segment count
// changes needs a new array. Only while the fixture has no proxies.
void ResizeProxyArray(b2Fixture& fixture, int oldChildren, int newChildren)
{
    b2BlockAllocator& allocator = Access::WorldAllocator(*fixture.GetBody()->GetWorld());
    b2FixtureProxy*& proxies = Access::FixtureFields::Proxies(fixture);
    allocator.Free(proxies, oldChildren * static_cast<int32>(sizeof(b2FixtureProxy)));
    proxies = static_cast<b2FixtureProxy*>(allocator.Allocate(newChildren * static_cast<int32>(sizeof(b2FixtureProxy))));
    for (int i = 0; i < newChildren; ++i)
    {
        proxies[i].fixture = nullptr;
        proxies[i].proxyId = b2BroadPhase::e_nullProxy;
    }
}

}  // namespace

EdgeGhosts GetEdgeGhosts(const b2Fixture* edgeFixture)
{
    EdgeGhosts ghosts;
    if (!IsShape(edgeFixture, b2Shape::e_edge))
    {
        return ghosts;
    }
    const auto* edge = static_cast<const b2EdgeShape*>(edgeFixture->GetShape());
    const Flags flags = ReadFlags(edgeFixture);
    ghosts.hasVertex0 = flags.known ? flags.first : edge->m_oneSided;
    ghosts.hasVertex3 = flags.known ? flags.second : edge->m_oneSided;
    ghosts.vertex0 = edge->m_vertex0;
    ghosts.vertex3 = edge->m_vertex3;
    return ghosts;
}

bool SetEdgeGhosts(b2Fixture* edgeFixture, const EdgeGhosts& ghosts)
{
    if (!AcceptsGhosts(edgeFixture, b2Shape::e_edge, ghosts.hasVertex0, ghosts.vertex0, ghosts.hasVertex3,
                       ghosts.vertex3))
    {
        return false;
    }
    auto* edge = static_cast<b2EdgeShape*>(edgeFixture->GetShape());
    if (ghosts.hasVertex0)
    {
        edge->m_vertex0 = ghosts.vertex0;
    }
    if (ghosts.hasVertex3)
    {
        edge->m_vertex3 = ghosts.vertex3;
    }
    edge->m_oneSided = false;
    WriteFlags(edgeFixture, ghosts.hasVertex0, ghosts.hasVertex3);
    return true;
}

ChainGhosts GetChainGhosts(const b2Fixture* chainFixture)
{
    ChainGhosts ghosts;
    if (!IsShape(chainFixture, b2Shape::e_chain))
    {
        return ghosts;
    }
    const auto* chain = static_cast<const b2ChainShape*>(chainFixture->GetShape());
    const Flags flags = ReadFlags(chainFixture);
    if (flags.known)
    {
        ghosts.hasPrevVertex = flags.first;
        ghosts.hasNextVertex = flags.second;
    }
    else
    {
        // A loop made by the library repeats its first vertex at the end.
        const int n = chain->m_count;
        const bool loop = n >= 4 && chain->m_vertices[0] == chain->m_vertices[n - 1];
        ghosts.hasPrevVertex = loop;
        ghosts.hasNextVertex = loop;
    }
    ghosts.prevVertex = chain->m_prevVertex;
    ghosts.nextVertex = chain->m_nextVertex;
    return ghosts;
}

bool SetChainGhosts(b2Fixture* chainFixture, const ChainGhosts& ghosts)
{
    if (!AcceptsGhosts(chainFixture, b2Shape::e_chain, ghosts.hasPrevVertex, ghosts.prevVertex,
                       ghosts.hasNextVertex, ghosts.nextVertex))
    {
        return false;
    }
    auto* chain = static_cast<b2ChainShape*>(chainFixture->GetShape());
    const b2Vec2* v = chain->m_vertices;
    const int n = chain->m_count;
    chain->m_prevVertex = GhostOrExtension(ghosts.hasPrevVertex, ghosts.prevVertex, v[0], v[1]);
    chain->m_nextVertex = GhostOrExtension(ghosts.hasNextVertex, ghosts.nextVertex, v[n - 1], v[n - 2]);
    WriteFlags(chainFixture, ghosts.hasPrevVertex, ghosts.hasNextVertex);
    return true;
}

bool SetChain(b2ChainShape& shape, const b2Vec2* points, int count)
{
    if (!AreChainPoints(points, count, false))
    {
        return false;
    }
    Build(shape, points, count, false);
    return true;
}

bool SetLoop(b2ChainShape& shape, const b2Vec2* points, int count)
{
    if (!AreChainPoints(points, count, true))
    {
        return false;
    }
    Build(shape, points, count, true);
    return true;
}

bool RecreateChain(b2Fixture* chainFixture, const b2Vec2* points, int count, bool loop)
{
    if (!IsShape(chainFixture, b2Shape::e_chain) || chainFixture->GetBody()->GetWorld()->IsLocked() ||
        !AreChainPoints(points, count, loop))
    {
        return false;
    }
    b2Body* body = chainFixture->GetBody();
    const bool enabled = body->IsEnabled();
    if (enabled)
    {
        body->SetEnabled(false);  // drops the proxies and contacts that index the old segments
    }
    auto* chain = static_cast<b2ChainShape*>(chainFixture->GetShape());
    const int oldChildren = chain->GetChildCount();
    Build(*chain, points, count, loop);
    if (chain->GetChildCount() != oldChildren)
    {
        ResizeProxyArray(*chainFixture, oldChildren, chain->GetChildCount());
    }
    WriteFlags(chainFixture, loop, loop);
    if (enabled)
    {
        body->SetEnabled(true);
    }
    return true;
}

}  // namespace Physics
