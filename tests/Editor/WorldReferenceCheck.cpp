#include "WorldReferenceCheck.h"

#include "Editor/EditorText.h"
#include "Physics/ShapeGeometry.h"
#include "WorldDoc/ObjectNames.h"

#include <algorithm>
#include <set>
#include <unordered_set>

namespace
{

using Live = std::unordered_set<const void*>;

// Edges number their two vertices 1 and 2; a loop's count includes its closing vertex.
bool VertexInShape(const b2Fixture* fixture, int index)
{
    const b2Shape* shape = fixture->GetShape();
    const int count = shape->GetType() == b2Shape::e_polygon ? static_cast<const b2PolygonShape*>(shape)->m_count
                      : shape->GetType() == b2Shape::e_chain ? static_cast<const b2ChainShape*>(shape)->m_count
                                                             : 0;
    return shape->GetType() == b2Shape::e_edge ? index == 1 || index == 2 : index >= 0 && index < count;
}

// The first of `elements` whose object (`objectOf` the element) is not in `live`, as a fault of `what`.
template <class Elements, class ObjectOf>
std::string FindDead(const char* what, const Elements& elements, const Live& live, ObjectOf objectOf)
{
    for (const auto& element : elements)
    {
        if (live.count(objectOf(element)) == 0)
        {
            return FormatText("%s holds %p, which is not in the world", what, objectOf(element));
        }
    }
    return std::string();
}

// Collects the world's objects; returns the first value of theirs that is not finite, leaving the
// collection unfinished, as that fault is reported before any other.
std::string WalkWorld(const b2World* world, Live& bodies, Live& fixtures, Live& joints)
{
    for (const b2Body* body = world->GetBodyList(); body != nullptr; body = body->GetNext())
    {
        bodies.insert(body);
        const b2Vec2 p = body->GetPosition();
        const b2Vec2 v = body->GetLinearVelocity();
        if (!p.IsValid() || !b2IsValid(body->GetAngle()) || !v.IsValid() || !b2IsValid(body->GetAngularVelocity()) ||
            !b2IsValid(body->GetMass()) || !b2IsValid(body->GetInertia()))
        {
            return FormatText("body %p: position (%g, %g), angle %g, velocity (%g, %g) %g, mass %g, inertia %g",
                              (const void*)body, p.x, p.y, body->GetAngle(), v.x, v.y, body->GetAngularVelocity(),
                              body->GetMass(), body->GetInertia());
        }
        for (const b2Fixture* fixture = body->GetFixtureList(); fixture != nullptr; fixture = fixture->GetNext())
        {
            fixtures.insert(fixture);
            const Physics::ShapeGeometry geometry = Physics::GetGeometry(fixture);
            const bool finite =
                b2IsValid(geometry.radius) && b2IsValid(fixture->GetDensity()) && b2IsValid(fixture->GetFriction()) &&
                b2IsValid(fixture->GetRestitution()) && (!geometry.hasGhostBefore || geometry.ghostBefore.IsValid()) &&
                (!geometry.hasGhostAfter || geometry.ghostAfter.IsValid()) &&
                std::all_of(geometry.points.begin(), geometry.points.end(), [](b2Vec2 p) { return p.IsValid(); });
            if (!finite)
            {
                return FormatText("fixture %p of body %p: a shape point or material value is not finite",
                                  (const void*)fixture, (const void*)body);
            }
        }
    }
    for (const b2Joint* joint = world->GetJointList(); joint != nullptr; joint = joint->GetNext())
    {
        joints.insert(joint);
        const b2Vec2 a = joint->GetAnchorA();
        const b2Vec2 b = joint->GetAnchorB();
        if (!a.IsValid() || !b.IsValid())
        {
            return FormatText("joint %p: anchors (%g, %g) and (%g, %g)", (const void*)joint, a.x, a.y, b.x, b.y);
        }
    }
    return std::string();
}

}  // namespace

std::string FindBrokenReferences(const b2World* world, const _controlState* state, const ObjectNames* names)
{
    Live bodies;
    Live fixtures;
    Live joints;
    std::vector<std::string> faults = {WalkWorld(world, bodies, fixtures, joints)};
    const auto itself = [](const void* object) { return object; };
    const auto key = [](const auto& entry) -> const void* { return entry.first; };
    const auto fixtureOf = [](const auto& element) -> const void* { return element.fixture; };
    if (names != nullptr)
    {
        faults.push_back(FindDead("the body names", names->bodyNames, bodies, key));
        faults.push_back(FindDead("the fixture names", names->fixtureNames, fixtures, key));
        faults.push_back(FindDead("the joint names", names->jointNames, joints, key));
    }
    if (state != nullptr)
    {
        const _controlState& s = *state;
        faults.push_back(FindDead("candidateBodies", s.candidateBodies, bodies, itself));
        faults.push_back(FindDead("disambiguationBodies", s.disambiguationBodies, bodies, itself));
        faults.push_back(FindDead("selectedBodies", s.selectedBodies, bodies, itself));
        faults.push_back(FindDead("candidateFixtures", s.candidateFixtures, fixtures, itself));
        faults.push_back(FindDead("selectedFixtures", s.selectedFixtures, fixtures, itself));
        faults.push_back(FindDead("candidateJoints", s.candidateJoints, joints, itself));
        faults.push_back(FindDead("disambiguationJoints", s.disambiguationJoints, joints, itself));
        faults.push_back(FindDead("selectedJoints", s.selectedJoints, joints, itself));
        faults.push_back(FindDead("the valid outlines", s.validVertexDisplays, fixtures, fixtureOf));
        faults.push_back(FindDead("the invalid outlines", s.invalidVertexDisplays, fixtures, fixtureOf));
        if (s.splitInfo.fixture != nullptr && fixtures.count(s.splitInfo.fixture) == 0)
        {
            faults.push_back("the split point is on a fixture that is not in the world");
        }
        for (const auto& [what, set] : {std::pair{"candidateVertices", &s.candidateVertices},
                                        std::pair{"disambiguationVertices", &s.disambiguationVertices},
                                        std::pair{"selectedVertices", &s.selectedVertices}})
        {
            // A vertex index is only looked up on a fixture found alive.
            faults.push_back(FindDead(what, *set, fixtures, fixtureOf));
            for (const vertexInfo& v : *set)
            {
                if (faults.back().empty() && !VertexInShape(v.fixture, v.index))
                {
                    faults.back() = FormatText("%s holds vertex %d of %p, which its shape does not have", what, v.index,
                                               (const void*)v.fixture);
                }
            }
        }
    }
    const auto first = std::find_if(faults.begin(), faults.end(), [](const std::string& f) { return !f.empty(); });
    return first != faults.end() ? *first : std::string();
}
