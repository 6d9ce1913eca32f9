// The shape member of a fixture object, read and checked before the fixture is created.
#pragma once

#include "Physics/Ghosts.h"
#include "WorldDoc/MemberReader.h"

#include <box2d/box2d.h>

#include <string>

// Holds the one shape a fixture object describes and, for edges and chains, the ghost vertices
// that are attached to the fixture once it exists. Not copyable: a chain owns its vertices.
class FixtureShape
{
public:
    enum Kind
    {
        k_none,
        k_circle,
        k_edge,
        k_chain,
        k_polygon
    };

    FixtureShape() = default;
    FixtureShape(const FixtureShape&) = delete;
    FixtureShape& operator=(const FixtureShape&) = delete;

    // Takes the first of "circle", "edge", "loop", "chain", "polygon" that is present and not
    // null. False, with the reason in `problem`, when that member is malformed or describes a
    // shape the physics library would refuse; true with kind() k_none when there is none.
    bool read(MemberReader& fixture, std::string& problem);

    Kind kind() const { return m_kind; }
    const b2Shape* shape() const;
    // Gives a new edge or chain fixture its ghost vertices.
    void attachGhosts(b2Fixture* fixture) const;

private:
    bool readCircle(MemberReader& circle, std::string& problem);
    bool readEdge(MemberReader& edge, std::string& problem);
    bool readChain(MemberReader& chain, bool loop, std::string& problem);
    bool readPolygon(MemberReader& polygon, std::string& problem);

    Kind m_kind = k_none;
    b2CircleShape m_circle;
    b2EdgeShape m_edge;
    b2ChainShape m_chain;
    b2PolygonShape m_polygon;
    Physics::EdgeGhosts m_edgeGhosts;
    Physics::ChainGhosts m_chainGhosts;
};
