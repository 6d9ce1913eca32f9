// What picking needs to know about a world without walking its lists on every mouse move: body
// origins and pickable joint anchors sorted by x, the bodies whose fixtures the broad-phase does
// not hold (disabled bodies), and each body's position in the world's body list, which decides
// between exactly tied fixtures.
//
// Built lazily and kept until invalidate(), until the tracked count of changes moves on, or until
// the world visibly differs from what was indexed (another world, other body, joint or proxy
// counts, another first body or joint). Anything else that moves bodies or joint anchors, or
// enables or disables bodies, must invalidate it.
#pragma once

#include <box2d/box2d.h>

#include <unordered_map>
#include <utility>
#include <vector>

class PickIndex
{
public:
    void invalidate();
    // `revision` counts the changes made to the world: the index is dropped when it moves on.
    void track(unsigned revision);

    // A distance a little beyond `radius` around p: whatever float rounding does to a distance
    // measured from p, nothing farther than this can measure below `radius`.
    static float Reach(b2Vec2 p, float radius);

    // Calls visit(body) for every body whose origin may lie within `radius` of `p` (a superset:
    // callers measure the exact distance).
    template <class Visit>
    void forBodiesNear(b2World* world, b2Vec2 p, float radius, Visit visit);

    // Calls visit(joint, anchorA, anchorB, rank) for every revolute, prismatic, distance, wheel or
    // rope joint with an anchor that may lie within `radius` of `p`, possibly more than once per
    // joint. `rank` is the joint's position in the world's joint list.
    template <class Visit>
    void forPickableJointsNear(b2World* world, b2Vec2 p, float radius, Visit visit);

    const std::vector<b2Body*>& disabledBodies(b2World* world);
    // Position of `body` in the world's body list (0 first).
    int bodyRank(b2World* world, const b2Body* body);

private:
    struct Point
    {
        float x;
        float y;
        int item;
    };
    struct Joint
    {
        b2Joint* joint;
        b2Vec2 anchorA;
        b2Vec2 anchorB;
        int rank;
    };
    struct Key
    {
        const b2World* world = nullptr;
        int bodyCount = -1;
        int jointCount = -1;
        int proxyCount = -1;
        const b2Body* firstBody = nullptr;
        const b2Joint* firstJoint = nullptr;
        bool operator==(const Key& other) const;
    };

    static Key KeyOf(b2World* world);
    // Drops everything when the world no longer matches what was indexed.
    void check(b2World* world);
    void buildBodies(b2World* world);
    void buildJoints(b2World* world);
    void buildRanks(b2World* world);
    // The range of `points` (sorted by x) with x within `reach` of p.x.
    static std::pair<size_t, size_t> Span(const std::vector<Point>& points, b2Vec2 p, float reach);
    // Calls visitItem(item) for every point of `points` that may lie within `radius` of p.
    template <class VisitItem>
    static void ForItemsNear(const std::vector<Point>& points, b2Vec2 p, float radius, VisitItem visitItem);

    Key m_key;
    unsigned m_revision = 0;
    bool m_haveBodies = false;
    bool m_haveJoints = false;
    bool m_haveRanks = false;
    std::vector<b2Body*> m_bodies;
    std::vector<Point> m_bodyPoints;
    std::vector<b2Body*> m_disabledBodies;
    std::vector<Joint> m_joints;
    std::vector<Point> m_anchorPoints;
    std::unordered_map<const b2Body*, int> m_bodyRanks;
};

template <class VisitItem>
void PickIndex::ForItemsNear(const std::vector<Point>& points, b2Vec2 p, float radius, VisitItem visitItem)
{
    const float reach = Reach(p, radius);
    const auto span = Span(points, p, reach);
    for (size_t i = span.first; i < span.second; ++i)
    {
        if (b2Abs(points[i].y - p.y) <= reach)
        {
            visitItem(points[i].item);
        }
    }
}

template <class Visit>
void PickIndex::forBodiesNear(b2World* world, b2Vec2 p, float radius, Visit visit)
{
    check(world);
    if (!m_haveBodies)
    {
        buildBodies(world);
    }
    ForItemsNear(m_bodyPoints, p, radius, [&](int item) { visit(m_bodies[item]); });
}

template <class Visit>
void PickIndex::forPickableJointsNear(b2World* world, b2Vec2 p, float radius, Visit visit)
{
    check(world);
    if (!m_haveJoints)
    {
        buildJoints(world);
    }
    ForItemsNear(m_anchorPoints, p, radius, [&](int item) {
        const Joint& joint = m_joints[item];
        visit(joint.joint, joint.anchorA, joint.anchorB, joint.rank);
    });
}
