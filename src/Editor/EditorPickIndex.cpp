#include "Editor/EditorPickIndex.h"

#include "Physics/JointKinds.h"

#include <algorithm>

namespace
{

bool IsPickable(const b2Joint* joint)
{
    switch (Physics::GetJointType(joint))
    {
    case e_revoluteJoint:
    case e_prismaticJoint:
    case e_distanceJoint:
    case e_wheelJoint:
    case e_ropeJoint:
        return true;
    default:
        return false;
    }
}

}  // namespace

bool PickIndex::Key::operator==(const Key& other) const
{
    return world == other.world && bodyCount == other.bodyCount && jointCount == other.jointCount &&
           proxyCount == other.proxyCount && firstBody == other.firstBody && firstJoint == other.firstJoint;
}

void PickIndex::invalidate()
{
    m_key = Key();
    m_haveBodies = false;
    m_haveJoints = false;
    m_haveRanks = false;
}

void PickIndex::track(unsigned revision)
{
    if (revision != m_revision)
    {
        m_revision = revision;
        invalidate();
    }
}

float PickIndex::Reach(b2Vec2 p, float radius)
{
    // Relative slack for the distance itself, absolute slack of a few units in the last place of
    // the coordinates for the differences taken to measure it.
    return radius * 1.001f + (b2Abs(p.x) + b2Abs(p.y) + 1.0f) * 1e-6f;
}

PickIndex::Key PickIndex::KeyOf(b2World* world)
{
    Key key;
    key.world = world;
    if (world != nullptr)
    {
        key.bodyCount = world->GetBodyCount();
        key.jointCount = world->GetJointCount();
        key.proxyCount = world->GetProxyCount();
        key.firstBody = world->GetBodyList();
        key.firstJoint = world->GetJointList();
    }
    return key;
}

void PickIndex::check(b2World* world)
{
    const Key key = KeyOf(world);
    if (!(key == m_key))
    {
        invalidate();
        m_key = key;
    }
}

void PickIndex::buildBodies(b2World* world)
{
    m_bodies.clear();
    m_bodyPoints.clear();
    m_disabledBodies.clear();
    for (b2Body* body = world != nullptr ? world->GetBodyList() : nullptr; body != nullptr; body = body->GetNext())
    {
        const b2Vec2 p = body->GetPosition();
        m_bodyPoints.push_back(Point{p.x, p.y, static_cast<int>(m_bodies.size())});
        m_bodies.push_back(body);
        if (!body->IsEnabled())
        {
            m_disabledBodies.push_back(body);
        }
    }
    std::sort(m_bodyPoints.begin(), m_bodyPoints.end(), [](const Point& a, const Point& b) { return a.x < b.x; });
    m_haveBodies = true;
}

void PickIndex::buildJoints(b2World* world)
{
    m_joints.clear();
    m_anchorPoints.clear();
    int rank = 0;
    for (b2Joint* joint = world != nullptr ? world->GetJointList() : nullptr; joint != nullptr;
         joint = joint->GetNext(), ++rank)
    {
        if (!IsPickable(joint))
        {
            continue;
        }
        const Joint entry{joint, joint->GetAnchorA(), joint->GetAnchorB(), rank};
        const int item = static_cast<int>(m_joints.size());
        m_anchorPoints.push_back(Point{entry.anchorA.x, entry.anchorA.y, item});
        m_anchorPoints.push_back(Point{entry.anchorB.x, entry.anchorB.y, item});
        m_joints.push_back(entry);
    }
    std::sort(m_anchorPoints.begin(), m_anchorPoints.end(), [](const Point& a, const Point& b) { return a.x < b.x; });
    m_haveJoints = true;
}

void PickIndex::buildRanks(b2World* world)
{
    m_bodyRanks.clear();
    int rank = 0;
    for (b2Body* body = world != nullptr ? world->GetBodyList() : nullptr; body != nullptr; body = body->GetNext())
    {
        m_bodyRanks[body] = rank++;
    }
    m_haveRanks = true;
}

std::pair<size_t, size_t> PickIndex::Span(const std::vector<Point>& points, b2Vec2 p, float reach)
{
    auto below = [](const Point& point, float x) { return point.x < x; };
    auto above = [](float x, const Point& point) { return x < point.x; };
    const auto first = std::lower_bound(points.begin(), points.end(), p.x - reach, below);
    const auto last = std::upper_bound(first, points.end(), p.x + reach, above);
    return {static_cast<size_t>(first - points.begin()), static_cast<size_t>(last - points.begin())};
}

const std::vector<b2Body*>& PickIndex::disabledBodies(b2World* world)
{
    check(world);
    if (!m_haveBodies)
    {
        buildBodies(world);
    }
    return m_disabledBodies;
}

int PickIndex::bodyRank(b2World* world, const b2Body* body)
{
    check(world);
    if (!m_haveRanks)
    {
        buildRanks(world);
    }
    const auto it = m_bodyRanks.find(body);
    return it != m_bodyRanks.end() ? it->second : static_cast<int>(m_bodyRanks.size());
}
