// Ghost (adjacent) vertices of edges and chains with the two independent flags of the scene
// format. The library keeps one one-sided flag for edges and always-present ghosts for chains,
// so the flags are kept in the fixture's user data and the vertices in the shape.
#pragma once

#include <box2d/box2d.h>

namespace Physics
{

struct EdgeGhosts
{
    bool hasVertex0 = false;
    bool hasVertex3 = false;
    b2Vec2 vertex0 = b2Vec2_zero;
    b2Vec2 vertex3 = b2Vec2_zero;
};

struct ChainGhosts
{
    bool hasPrevVertex = false;
    bool hasNextVertex = false;
    b2Vec2 prevVertex = b2Vec2_zero;
    b2Vec2 nextVertex = b2Vec2_zero;
};

// The edge keeps colliding on both sides whatever the flags say.
EdgeGhosts GetEdgeGhosts(const b2Fixture* edgeFixture);
void SetEdgeGhosts(b2Fixture* edgeFixture, const EdgeGhosts& ghosts);

ChainGhosts GetChainGhosts(const b2Fixture* chainFixture);
void SetChainGhosts(b2Fixture* chainFixture, const ChainGhosts& ghosts);

// Fill a chain shape that holds no vertices yet. Refused (false, shape untouched) for fewer than
// 2 (open) or 3 (loop) points, non-sane coordinates, or neighbours closer than the library allows
// (for a loop, the last and the first point too).
bool SetChain(b2ChainShape& shape, const b2Vec2* points, int count);
bool SetLoop(b2ChainShape& shape, const b2Vec2* points, int count);

// Replace the vertices of a chain fixture in place (old vertices released). An open chain loses
// both ghost flags, a loop gains both, as building it afresh would. The fixture's broad-phase
// proxies are rebuilt. Refused as SetChain/SetLoop, or when the world is locked.
bool RecreateChain(b2Fixture* chainFixture, const b2Vec2* points, int count, bool loop);

}  // namespace Physics
