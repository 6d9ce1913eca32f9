// Picking and selection: which objects of the current edit method lie under the mouse, and how a
// click turns them into the selection.
//
// Every pick radius is given in pixels so that picking feels the same at every zoom. Fixtures,
// vertices and vertex insertion points are looked up through the world's broad-phase, body
// origins and joint anchors through the pick index; the results are those of a walk over the
// world's lists in list order: where the nearest object wins alone, the one met first in that
// order wins an exact tie; for joints the last one in list order within the radius wins.
#include "Editor/Editor.h"

#include <algorithm>
#include <cfloat>

namespace
{

constexpr float k_bodyPickPixels = 32.0f;
constexpr float k_fixturePickPixels = 32.0f;
constexpr float k_vertexPickPixels = 16.0f;
constexpr float k_jointPickPixels = 32.0f;
constexpr unsigned char k_tab = 9;

// Spacing of the stand-ins shown for objects that lay on top of each other when the user asked to
// tell them apart: a row centred below each object.
constexpr float k_bodyProxySpacing = 1.5f;
constexpr float k_vertexProxySpacing = 1.0f;

float Distance(const b2Vec2& a, const b2Vec2& b)
{
    return (a - b).Length();
}

b2Vec2 ProxyPosition(b2Vec2 origin, int i, int count, float spacing)
{
    return b2Vec2(origin.x + (1.0f - static_cast<float>(count)) * 0.5f * spacing + spacing * static_cast<float>(i),
                  origin.y - spacing);
}

// Nearest with ties: a nearer object replaces the candidates, an equally near one joins them.
template <class T>
void OfferNearest(std::set<T>& candidates, float& best, const T& object, float distance)
{
    if (distance < best)
    {
        candidates.clear();
        best = distance;
    }
    if (distance == best)
    {
        candidates.insert(object);
    }
}

// Closest point of segment a-b to p, measured in world coordinates after xf.
float SegmentDistance(const b2Transform& xf, const b2Vec2& a, const b2Vec2& b, const b2Vec2& p)
{
    const b2Vec2 wa = b2Mul(xf, a);
    const b2Vec2 wb = b2Mul(xf, b);
    return Distance(closestPointOnLineToPoint(wa, wb, p, nullptr), p);
}

b2Vec2 LocalVertex(const b2Shape* shape, int index)
{
    switch (shape->GetType())
    {
    case b2Shape::e_edge:
    {
        const auto* edge = static_cast<const b2EdgeShape*>(shape);
        const b2Vec2* vertices[] = {&edge->m_vertex0, &edge->m_vertex1, &edge->m_vertex2, &edge->m_vertex3};
        return index >= 0 && index < 4 ? *vertices[index] : b2Vec2_zero;
    }
    case b2Shape::e_polygon:
    {
        const auto* polygon = static_cast<const b2PolygonShape*>(shape);
        return index >= 0 && index < polygon->m_count ? polygon->m_vertices[index] : b2Vec2_zero;
    }
    case b2Shape::e_chain:
    {
        // Vertex i < child count is the first point of child edge i; the last vertex is the second
        // point of the last child edge.
        const auto* chain = static_cast<const b2ChainShape*>(shape);
        return index >= 0 && index < chain->m_count ? chain->m_vertices[index] : b2Vec2_zero;
    }
    default:
        return b2Vec2_zero;
    }
}

// Centre of a non-chain shape (circle centre, polygon centroid, edge midpoint), in body
// coordinates. Read from the shape rather than its mass computation, which asserts on a polygon
// without area (a static body's polygon made in code may have none).
b2Vec2 MassCentre(const b2Fixture* fixture)
{
    const b2Shape* shape = fixture->GetShape();
    switch (shape->GetType())
    {
    case b2Shape::e_circle:
        return static_cast<const b2CircleShape*>(shape)->m_p;
    case b2Shape::e_polygon:
        return static_cast<const b2PolygonShape*>(shape)->m_centroid;
    case b2Shape::e_edge:
    {
        const auto* edge = static_cast<const b2EdgeShape*>(shape);
        return 0.5f * (edge->m_vertex1 + edge->m_vertex2);
    }
    default:
        return b2Vec2_zero;
    }
}

// Fixtures whose broad-phase boxes lie within `reach` of p. With `insideOnly`, circles and
// polygons count only when p lies within their box: they are hit only from inside. Their boxes
// are read from the broad-phase's own tree, so most far fixtures are dropped without being touched.
class ProxyCollector
{
public:
    ProxyCollector(const b2BroadPhase& broadPhase, b2Vec2 p, float reach, bool insideOnly,
                   std::vector<b2Fixture*>& fixtures)
        : m_broadPhase(broadPhase), m_p(p), m_reachSquared(reach * reach), m_insideOnly(insideOnly),
          m_fixtures(fixtures)
    {
    }

    bool QueryCallback(int32 proxyId)
    {
        const b2AABB& box = m_broadPhase.GetFatAABB(proxyId);
        const float dx = b2Max(b2Max(box.lowerBound.x - m_p.x, m_p.x - box.upperBound.x), 0.0f);
        const float dy = b2Max(b2Max(box.lowerBound.y - m_p.y, m_p.y - box.upperBound.y), 0.0f);
        const float outside = dx * dx + dy * dy;
        if (outside > m_reachSquared)
        {
            return true;
        }
        b2Fixture* fixture = static_cast<const b2FixtureProxy*>(m_broadPhase.GetUserData(proxyId))->fixture;
        if (m_insideOnly && outside > 0.0f && fixture->GetType() != b2Shape::e_edge &&
            fixture->GetType() != b2Shape::e_chain)
        {
            return true;
        }
        m_fixtures.push_back(fixture);
        return true;
    }

private:
    const b2BroadPhase& m_broadPhase;
    b2Vec2 m_p;
    float m_reachSquared;
    bool m_insideOnly;
    std::vector<b2Fixture*>& m_fixtures;
};

// Every fixture that may have a point within `radius` of p, each once: those the broad-phase
// holds and those of disabled bodies, which it does not.
std::vector<b2Fixture*> FixturesNear(b2World* world, PickIndex& index, b2Vec2 p, float radius, bool insideOnly)
{
    std::vector<b2Fixture*> fixtures;
    const float reach = PickIndex::Reach(p, radius);
    b2AABB box;
    box.lowerBound = p - b2Vec2(reach, reach);
    box.upperBound = p + b2Vec2(reach, reach);
    const b2BroadPhase& broadPhase = world->GetContactManager().m_broadPhase;
    ProxyCollector collector(broadPhase, p, reach, insideOnly, fixtures);
    broadPhase.Query(&collector, box);
    // A chain is reported once for every segment near p.
    std::sort(fixtures.begin(), fixtures.end(), std::less<b2Fixture*>());
    fixtures.erase(std::unique(fixtures.begin(), fixtures.end()), fixtures.end());
    for (b2Body* body : index.disabledBodies(world))
    {
        for (b2Fixture* fixture = body->GetFixtureList(); fixture != nullptr; fixture = fixture->GetNext())
        {
            fixtures.push_back(fixture);
        }
    }
    return fixtures;
}

int PositionInBody(const b2Fixture* fixture)
{
    int position = 0;
    for (const b2Fixture* f = fixture->GetBody()->GetFixtureList(); f != nullptr && f != fixture; f = f->GetNext())
    {
        ++position;
    }
    return position;
}

// The strictly nearest of several fixtures: an exact tie goes to the one met first in the world's
// lists (bodies in list order, each body's fixtures in list order).
template <class Hit>
class StrictlyNearest
{
public:
    void offer(const Hit& hit, float distance)
    {
        if (distance < m_best)
        {
            m_best = distance;
            m_tied.clear();
        }
        if (distance == m_best)
        {
            m_tied.push_back(hit);
        }
    }

    const Hit* winner(b2World* world, PickIndex& index) const
    {
        if (m_tied.size() < 2)
        {
            return m_tied.empty() ? nullptr : &m_tied.front();
        }
        auto rank = [&](const Hit& hit) {
            return std::make_pair(index.bodyRank(world, hit.fixture->GetBody()), PositionInBody(hit.fixture));
        };
        return &*std::min_element(m_tied.begin(), m_tied.end(),
                                  [&](const Hit& a, const Hit& b) { return rank(a) < rank(b); });
    }

private:
    float m_best = FLT_MAX;
    std::vector<Hit> m_tied;
};

struct FixtureHit
{
    b2Fixture* fixture;
};

struct SplitHit
{
    b2Fixture* fixture;
    _vertexSplitInfo info;
};

// A left click on candidates: without Shift or Ctrl they replace the selection, Shift adds them,
// Ctrl toggles them.
template <class T, class OnAdded>
void ApplyLeftClick(bool shift, bool ctrl, const std::set<T>& candidates, std::set<T>& selected, OnAdded onAdded)
{
    if (!shift && !ctrl)
    {
        selected.clear();
    }
    for (const T& candidate : candidates)
    {
        if (!shift && ctrl && selected.erase(candidate) != 0)
        {
            continue;
        }
        selected.insert(candidate);
        onAdded(candidate);
    }
}

// A right click on two or more candidates asks to tell them apart: only they stay pickable.
template <class T>
void BeginDisambiguation(int& state, std::set<T>& candidates, std::set<T>& disambiguation)
{
    if (candidates.size() >= 2)
    {
        state = CS_DISAMBIGUATE;
        disambiguation = candidates;
        candidates.clear();
    }
}

}  // namespace

b2Vec2 closestPointOnLineToPoint(const b2Vec2& a, const b2Vec2& b, const b2Vec2& p, float* t)
{
    const b2Vec2 ab = b - a;
    const float u = b2Dot(p - a, ab);
    const float lengthSquared = ab.LengthSquared();
    // Before a, or on a segment of no length: a. Beyond b: b.
    float fraction = 0.0f;
    b2Vec2 closest = a;
    if (u > 0.0f && u >= lengthSquared)
    {
        fraction = 1.0f;
        closest = b;
    }
    else if (u > 0.0f)
    {
        fraction = u / lengthSquared;
        closest = a + fraction * ab;
    }
    if (t != nullptr)
    {
        *t = fraction;
    }
    return closest;
}

void Editor::worldChanged()
{
    m_pickIndex.invalidate();
}

// Hit tests.

bool Editor::isMouseOverFixture(b2Fixture* fixture, float radius, float& distance) const
{
    distance = FLT_MAX;
    const b2Transform& xf = fixture->GetBody()->GetTransform();
    const b2Shape* shape = fixture->GetShape();
    switch (shape->GetType())
    {
    case b2Shape::e_circle:
    case b2Shape::e_polygon:
        // Inside counts whatever the radius; among overlapping shapes the nearer centroid wins.
        if (!shape->TestPoint(xf, m_mouseWorld))
        {
            return false;
        }
        distance = Distance(b2Mul(xf, MassCentre(fixture)), m_mouseWorld);
        return true;
    case b2Shape::e_edge:
    {
        const auto* edge = static_cast<const b2EdgeShape*>(shape);
        distance = SegmentDistance(xf, edge->m_vertex1, edge->m_vertex2, m_mouseWorld);
        return radius > distance;
    }
    case b2Shape::e_chain:
    {
        const auto* chain = static_cast<const b2ChainShape*>(shape);
        for (int i = 0; i + 1 < chain->m_count; ++i)
        {
            distance = b2Min(distance, SegmentDistance(xf, chain->m_vertices[i], chain->m_vertices[i + 1], m_mouseWorld));
        }
        return radius > distance;
    }
    default:
        return false;
    }
}

bool Editor::isMouseOverVertex(b2Fixture* fixture, float radius, float& distance, int& index) const
{
    distance = FLT_MAX;
    index = 0x7FFFFFFF;
    const b2Transform& xf = fixture->GetBody()->GetTransform();
    const b2Shape* shape = fixture->GetShape();
    int first = 0;
    int last = -1;
    switch (shape->GetType())
    {
    case b2Shape::e_edge:
        first = 1;
        last = 2;
        break;
    case b2Shape::e_polygon:
        last = static_cast<const b2PolygonShape*>(shape)->m_count - 1;
        break;
    case b2Shape::e_chain:
        last = static_cast<const b2ChainShape*>(shape)->m_count - 1;
        break;
    default:
        return false;
    }
    // Only a strictly nearer vertex replaces the best, so the lowest index wins a tie.
    for (int i = first; i <= last; ++i)
    {
        const float d = Distance(b2Mul(xf, LocalVertex(shape, i)), m_mouseWorld);
        if (d < distance)
        {
            distance = d;
            index = i;
        }
    }
    return radius > distance;
}

b2Vec2 Editor::getWorldPosition(const vertexInfo& v, b2Transform extra) const
{
    const b2Vec2 local = LocalVertex(v.fixture->GetShape(), v.index);
    return b2Mul(extra, b2Mul(v.fixture->GetBody()->GetTransform(), local));
}

b2Vec2 Editor::getFixtureCenter(b2Fixture* fixture, b2Transform extra) const
{
    const b2Transform& xf = fixture->GetBody()->GetTransform();
    if (fixture->GetType() != b2Shape::e_chain)
    {
        return b2Mul(extra, b2Mul(xf, MassCentre(fixture)));
    }
    const auto* chain = static_cast<const b2ChainShape*>(fixture->GetShape());
    const int children = chain->m_count - 1;
    b2Vec2 sum = b2Vec2_zero;
    for (int i = 0; i < children; ++i)
    {
        sum += b2Mul(extra, b2Mul(xf, 0.5f * (chain->m_vertices[i] + chain->m_vertices[i + 1])));
    }
    return children > 0 ? (1.0f / static_cast<float>(children)) * sum : b2Mul(extra, xf.p);
}

bool Editor::getVertexSplitPoint(b2Fixture* fixture, float maxDistance, float& distance, _vertexSplitInfo& info) const
{
    distance = FLT_MAX;
    const b2Shape* shape = fixture->GetShape();
    const b2Vec2* vertices = nullptr;
    int segments = 0;
    bool closed = false;
    switch (shape->GetType())
    {
    case b2Shape::e_polygon:
    {
        const auto* polygon = static_cast<const b2PolygonShape*>(shape);
        if (polygon->m_count >= b2_maxPolygonVertices)
        {
            return false;
        }
        vertices = polygon->m_vertices;
        segments = polygon->m_count;
        closed = true;
        break;
    }
    case b2Shape::e_chain:
    {
        const auto* chain = static_cast<const b2ChainShape*>(shape);
        vertices = chain->m_vertices;
        segments = chain->m_count - 1;
        break;
    }
    case b2Shape::e_edge:
        vertices = &static_cast<const b2EdgeShape*>(shape)->m_vertex1;
        segments = 1;
        break;
    default:
        return false;
    }
    const b2Transform& xf = fixture->GetBody()->GetTransform();
    for (int i = 0; i < segments; ++i)
    {
        const b2Vec2 a = b2Mul(xf, vertices[i]);
        const b2Vec2 b = b2Mul(xf, vertices[closed ? (i + 1) % segments : i + 1]);
        float t = 0.0f;
        const float d = Distance(closestPointOnLineToPoint(a, b, m_mouseWorld, &t), m_mouseWorld);
        // The first of equally near segments wins.
        if (d < distance)
        {
            distance = d;
            info.fixture = fixture;
            info.edgeIndex = i;
            info.segmentStart = a;
            info.segmentEnd = b;
            info.fraction = t;
        }
    }
    return maxDistance > distance;
}

// Candidates.

void Editor::updateSelectionCandidate()
{
    m_pickIndex.track(m_edits.revision());
    switch (m_editMethod)
    {
    case EM_BODIES:
        updateBodyCandidates();
        break;
    case EM_FIXTURES:
        updateFixtureCandidates();
        break;
    case EM_VERTICES:
        updateVertexCandidates();
        break;
    case EM_JOINTS:
        updateJointCandidates();
        break;
    }
}

void Editor::updateBodyCandidates()
{
    _controlState& cs = m_controlState;
    cs.candidateBodies.clear();
    if (m_world == nullptr)
    {
        return;
    }
    const float radius = pixelToWorld(k_bodyPickPixels);
    if (cs.state == CS_DISAMBIGUATE)
    {
        const int count = static_cast<int>(cs.disambiguationBodies.size());
        float best = FLT_MAX;
        b2Body* nearest = nullptr;
        int i = 0;
        for (b2Body* body : cs.disambiguationBodies)
        {
            const float d = Distance(ProxyPosition(body->GetPosition(), i++, count, k_bodyProxySpacing), m_mouseWorld);
            if (d < radius && d < best)
            {
                best = d;
                nearest = body;
            }
        }
        if (nearest != nullptr)
        {
            cs.candidateBodies.insert(nearest);
        }
        return;
    }
    // Bodies stacked on one origin are all candidates at once: that is what disambiguation is for.
    float best = FLT_MAX;
    m_pickIndex.forBodiesNear(m_world, m_mouseWorld, radius, [&](b2Body* body) {
        const float d = Distance(body->GetPosition(), m_mouseWorld);
        if (d < radius)
        {
            OfferNearest(cs.candidateBodies, best, body, d);
        }
    });
}

void Editor::updateFixtureCandidates()
{
    _controlState& cs = m_controlState;
    cs.candidateFixtures.clear();
    if (m_world == nullptr)
    {
        return;
    }
    const float radius = pixelToWorld(k_fixturePickPixels);
    StrictlyNearest<FixtureHit> nearest;
    for (b2Fixture* fixture : FixturesNear(m_world, m_pickIndex, m_mouseWorld, radius, true))
    {
        float d = FLT_MAX;
        if (isMouseOverFixture(fixture, radius, d))
        {
            nearest.offer(FixtureHit{fixture}, d);
        }
    }
    if (const FixtureHit* hit = nearest.winner(m_world, m_pickIndex))
    {
        cs.candidateFixtures.insert(hit->fixture);
    }
}

void Editor::updateVertexCandidates()
{
    _controlState& cs = m_controlState;
    cs.candidateVertices.clear();
    cs.splitInfo = _vertexSplitInfo();
    if (m_world == nullptr)
    {
        return;
    }
    const float radius = pixelToWorld(k_vertexPickPixels);
    if (cs.state == CS_DISAMBIGUATE)
    {
        const int count = static_cast<int>(cs.disambiguationVertices.size());
        float best = FLT_MAX;
        const vertexInfo* nearest = nullptr;
        int i = 0;
        for (const vertexInfo& v : cs.disambiguationVertices)
        {
            const b2Vec2 proxy = ProxyPosition(getWorldPosition(v, g_identityTransform), i++, count, k_vertexProxySpacing);
            const float d = Distance(proxy, m_mouseWorld);
            if (d < radius && d < best)
            {
                best = d;
                nearest = &v;
            }
        }
        if (nearest != nullptr)
        {
            cs.candidateVertices.insert(*nearest);
        }
        return;
    }
    const std::vector<b2Fixture*> fixtures = FixturesNear(m_world, m_pickIndex, m_mouseWorld, radius, false);
    if (m_keys[k_tab])
    {
        // Tab held: where a vertex would be inserted, instead of vertices.
        StrictlyNearest<SplitHit> nearest;
        for (b2Fixture* fixture : fixtures)
        {
            float d = FLT_MAX;
            _vertexSplitInfo info;
            if (getVertexSplitPoint(fixture, radius, d, info))
            {
                nearest.offer(SplitHit{fixture, info}, d);
            }
        }
        if (const SplitHit* hit = nearest.winner(m_world, m_pickIndex))
        {
            cs.splitInfo = hit->info;
        }
        return;
    }
    float best = FLT_MAX;
    for (b2Fixture* fixture : fixtures)
    {
        float d = FLT_MAX;
        int index = 0;
        if (isMouseOverVertex(fixture, radius, d, index))
        {
            OfferNearest(cs.candidateVertices, best, vertexInfo{fixture, index}, d);
        }
    }
}

void Editor::updateJointCandidates()
{
    _controlState& cs = m_controlState;
    cs.candidateJoints.clear();
    if (m_world == nullptr)
    {
        return;
    }
    // The last joint in list order whose nearer anchor is within the radius: never more than one
    // candidate, so joints need no disambiguation.
    const float radius = pixelToWorld(k_jointPickPixels);
    b2Joint* last = nullptr;
    int lastRank = -1;
    m_pickIndex.forPickableJointsNear(m_world, m_mouseWorld, radius,
                                      [&](b2Joint* joint, b2Vec2 anchorA, b2Vec2 anchorB, int rank) {
                                          const float d = b2Min(Distance(anchorA, m_mouseWorld), Distance(anchorB, m_mouseWorld));
                                          if (d < radius && rank > lastRank)
                                          {
                                              last = joint;
                                              lastRank = rank;
                                          }
                                      });
    if (last != nullptr)
    {
        cs.candidateJoints.insert(last);
    }
}

// Selection.

void Editor::select(int button)
{
    _controlState& cs = m_controlState;
    const bool shift = shiftHeld();
    const bool ctrl = ctrlHeld();
    auto nothing = [](const auto&) {};
    // A click on a shown vertex insertion point belongs to the insertion, not to the selection.
    const bool onInsertionPoint = m_editMethod == EM_VERTICES && m_keys[k_tab] && cs.splitInfo.fixture != nullptr;
    if (button == 0 && !onInsertionPoint)
    {
        switch (m_editMethod)
        {
        case EM_BODIES:
            ApplyLeftClick(shift, ctrl, cs.candidateBodies, cs.selectedBodies,
                           [this](b2Body* body) { m_lastSelectedBody = body; });
            break;
        case EM_FIXTURES:
            ApplyLeftClick(shift, ctrl, cs.candidateFixtures, cs.selectedFixtures, nothing);
            break;
        case EM_VERTICES:
            ApplyLeftClick(shift, ctrl, cs.candidateVertices, cs.selectedVertices, nothing);
            break;
        case EM_JOINTS:
            ApplyLeftClick(shift, ctrl, cs.candidateJoints, cs.selectedJoints, nothing);
            break;
        }
    }
    else if (button == 1 && !onInsertionPoint)
    {
        // A fixture never has more than one candidate to tell apart.
        switch (m_editMethod)
        {
        case EM_BODIES:
            BeginDisambiguation(cs.state, cs.candidateBodies, cs.disambiguationBodies);
            break;
        case EM_VERTICES:
            BeginDisambiguation(cs.state, cs.candidateVertices, cs.disambiguationVertices);
            break;
        case EM_JOINTS:
            BeginDisambiguation(cs.state, cs.candidateJoints, cs.disambiguationJoints);
            break;
        case EM_FIXTURES:
            break;
        }
    }
    else if (button == 0)
    {
        executeSplitVertex();
    }
    cs.selectionCenter = getSelectionCenter();
}

bool Editor::haveSelection() const
{
    const _controlState& cs = m_controlState;
    switch (m_editMethod)
    {
    case EM_BODIES:
        return !cs.selectedBodies.empty();
    case EM_FIXTURES:
        return !cs.selectedFixtures.empty();
    case EM_VERTICES:
        return !cs.selectedVertices.empty();
    case EM_JOINTS:
        return !cs.selectedJoints.empty();
    }
    return false;
}

b2Vec2 Editor::getSelectionCenter() const
{
    const _controlState& cs = m_controlState;
    b2Vec2 sum = b2Vec2_zero;
    size_t count = 0;
    switch (m_editMethod)
    {
    case EM_BODIES:
        for (b2Body* body : cs.selectedBodies)
        {
            sum += body->GetPosition();
        }
        count = cs.selectedBodies.size();
        break;
    case EM_FIXTURES:
        for (b2Fixture* fixture : cs.selectedFixtures)
        {
            sum += getFixtureCenter(fixture, g_identityTransform);
        }
        count = cs.selectedFixtures.size();
        break;
    case EM_VERTICES:
        for (const vertexInfo& v : cs.selectedVertices)
        {
            sum += getWorldPosition(v, g_identityTransform);
        }
        count = cs.selectedVertices.size();
        break;
    case EM_JOINTS:
        // Joints are placed by their first anchor.
        for (b2Joint* joint : cs.selectedJoints)
        {
            sum += joint->GetAnchorA();
        }
        count = cs.selectedJoints.size();
        break;
    }
    if (count == 0)
    {
        return b2Vec2_zero;
    }
    sum *= 1.0f / static_cast<float>(count);
    return sum;
}
