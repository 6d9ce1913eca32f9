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

// A ghost vertex is meaningful only while its flag is set. For fixtures whose flags were never
// set through this layer (made directly with the library) the flags are inferred: an edge has
// both when it is one-sided; a chain has both when it is a loop (at least 4 stored vertices, the
// last equal to the first), else neither.
EdgeGhosts GetEdgeGhosts(const b2Fixture* edgeFixture);
// Stores the flags and the vertices whose flag is set, and makes the edge two-sided, as edges
// of scene files always are. False (nothing changed) for a fixture that is not an edge or a
// flagged vertex that is not a sane coordinate.
bool SetEdgeGhosts(b2Fixture* edgeFixture, const EdgeGhosts& ghosts);

ChainGhosts GetChainGhosts(const b2Fixture* chainFixture);
// Stores the flags and the flagged vertices; the library always uses both ghost vertices, so
// an unflagged one continues the end segment straight on. False as SetEdgeGhosts.
bool SetChainGhosts(b2Fixture* chainFixture, const ChainGhosts& ghosts);

// Fill a chain shape that belongs to no fixture (old vertices are released; for a fixture's
// chain use RecreateChain). An open chain gets straight-on ghost vertices, a loop stores n + 1
// vertices (the first repeated). Refused (false, shape untouched) for fewer than 2 (open) or 3
// (loop) points, non-sane coordinates, or neighbours not further apart than b2_linearSlop
// (for a loop, the last and the first point too), on which the library asserts.
bool SetChain(b2ChainShape& shape, const b2Vec2* points, int count);
bool SetLoop(b2ChainShape& shape, const b2Vec2* points, int count);

// Replace the vertices of a chain fixture in place (old vertices released). An open chain loses
// both ghost flags, a loop gains both, as building it afresh would. The fixture keeps one
// broad-phase proxy per segment: their storage follows the new segment count and the body's
// proxies and contacts are rebuilt. Refused as SetChain/SetLoop, or when the world is locked.
bool RecreateChain(b2Fixture* chainFixture, const b2Vec2* points, int count, bool loop);

}  // namespace Physics
