#include "WorldReferenceCheck.h"

#include "Editor/EditorText.h"
#include "Physics/ShapeGeometry.h"
#include "WorldDoc/ObjectNames.h"

#include <cmath>
#include <cstdio>
#include <unordered_set>
#include <vector>

namespace
{

bool Finite(float v)
{
    return std::isfinite(v);
}

bool Finite(const b2Vec2& v)
{
    return std::isfinite(v.x) && std::isfinite(v.y);
}

bool VertexInShape(const b2Fixture* fixture, int index)
{
    const b2Shape* shape = fixture->GetShape();
    switch (shape->GetType())
    {
    case b2Shape::e_edge:
        return index == 1 || index == 2;
    case b2Shape::e_polygon:
        return index >= 0 && index < static_cast<const b2PolygonShape*>(shape)->m_count;
    case b2Shape::e_chain:
        return index >= 0 && index < static_cast<const b2ChainShape*>(shape)->m_count;
    default:
        return false;
    }
}

struct LiveObjects
{
    std::unordered_set<const void*> bodies;
    std::unordered_set<const void*> fixtures;
    std::unordered_set<const void*> joints;
};

// Collects the world's objects and the first value of theirs that is not finite.
std::string WalkWorld(const b2World* world, LiveObjects& live)
{
    std::string fault;
    auto note = [&fault](const std::string& text) {
        if (fault.empty())
        {
            fault = text;
        }
    };
    for (const b2Body* body = world->GetBodyList(); body != nullptr; body = body->GetNext())
    {
        live.bodies.insert(body);
        if (!Finite(body->GetPosition()) || !Finite(body->GetAngle()) || !Finite(body->GetLinearVelocity()) ||
            !Finite(body->GetAngularVelocity()) || !Finite(body->GetMass()) || !Finite(body->GetInertia()))
        {
            note(FormatText("body %p: position (%g, %g), angle %g, velocity (%g, %g) %g, mass %g, inertia %g", (void*)body,
                        body->GetPosition().x, body->GetPosition().y, body->GetAngle(), body->GetLinearVelocity().x,
                        body->GetLinearVelocity().y, body->GetAngularVelocity(), body->GetMass(), body->GetInertia()));
        }
        for (const b2Fixture* fixture = body->GetFixtureList(); fixture != nullptr; fixture = fixture->GetNext())
        {
            live.fixtures.insert(fixture);
            const Physics::ShapeGeometry geometry = Physics::GetGeometry(fixture);
            bool finite = Finite(geometry.radius) && Finite(fixture->GetDensity()) &&
                          Finite(fixture->GetFriction()) && Finite(fixture->GetRestitution()) &&
                          (!geometry.hasGhostBefore || Finite(geometry.ghostBefore)) &&
                          (!geometry.hasGhostAfter || Finite(geometry.ghostAfter));
            for (const b2Vec2& p : geometry.points)
            {
                finite = finite && Finite(p);
            }
            if (!finite)
            {
                note(FormatText("fixture %p of body %p: a shape point or material value is not finite", (void*)fixture,
                            (void*)body));
            }
        }
    }
    for (const b2Joint* joint = world->GetJointList(); joint != nullptr; joint = joint->GetNext())
    {
        live.joints.insert(joint);
        if (!Finite(joint->GetAnchorA()) || !Finite(joint->GetAnchorB()))
        {
            note(FormatText("joint %p: anchors (%g, %g) and (%g, %g)", (void*)joint, joint->GetAnchorA().x,
                        joint->GetAnchorA().y, joint->GetAnchorB().x, joint->GetAnchorB().y));
        }
    }
    return fault;
}

template <class Object>
std::string FindDead(const char* what, const std::set<Object*>& set, const std::unordered_set<const void*>& live)
{
    for (Object* object : set)
    {
        if (live.count(object) == 0)
        {
            return FormatText("%s holds %p, which is not in the world", what, (void*)object);
        }
    }
    return std::string();
}

template <class Object>
std::string FindUnnamed(const char* what, const std::map<Object*, std::string>& names,
                        const std::unordered_set<const void*>& live)
{
    for (const auto& entry : names)
    {
        if (live.count(entry.first) == 0)
        {
            return FormatText("%s name \"%.60s\" is kept for %p, which is not in the world", what, entry.second.c_str(),
                          (void*)entry.first);
        }
    }
    return std::string();
}

std::string FindDeadVertex(const char* what, const std::set<vertexInfo>& set,
                           const std::unordered_set<const void*>& live)
{
    for (const vertexInfo& v : set)
    {
        if (live.count(v.fixture) == 0)
        {
            return FormatText("%s holds a vertex of %p, which is not in the world", what, (void*)v.fixture);
        }
        if (!VertexInShape(v.fixture, v.index))
        {
            return FormatText("%s holds vertex %d of %p, which its shape does not have", what, v.index, (void*)v.fixture);
        }
    }
    return std::string();
}

std::string FindDeadOutline(const char* what, const std::vector<tentativeVertexDisplay>& displays,
                            const std::unordered_set<const void*>& live)
{
    for (const tentativeVertexDisplay& display : displays)
    {
        if (live.count(display.fixture) == 0)
        {
            return FormatText("%s outline is of %p, which is not in the world", what, (void*)display.fixture);
        }
    }
    return std::string();
}

}  // namespace

std::string FindBrokenReferences(const b2World* world, const _controlState* state, const ObjectNames* names)
{
    LiveObjects live;
    std::vector<std::string> faults = {WalkWorld(world, live)};
    if (names != nullptr)
    {
        faults.push_back(FindUnnamed("body", names->bodyNames, live.bodies));
        faults.push_back(FindUnnamed("fixture", names->fixtureNames, live.fixtures));
        faults.push_back(FindUnnamed("joint", names->jointNames, live.joints));
    }
    if (state != nullptr)
    {
        const _controlState& s = *state;
        faults.push_back(FindDead("candidateBodies", s.candidateBodies, live.bodies));
        faults.push_back(FindDead("disambiguationBodies", s.disambiguationBodies, live.bodies));
        faults.push_back(FindDead("selectedBodies", s.selectedBodies, live.bodies));
        faults.push_back(FindDead("candidateFixtures", s.candidateFixtures, live.fixtures));
        faults.push_back(FindDead("selectedFixtures", s.selectedFixtures, live.fixtures));
        faults.push_back(FindDeadVertex("candidateVertices", s.candidateVertices, live.fixtures));
        faults.push_back(FindDeadVertex("disambiguationVertices", s.disambiguationVertices, live.fixtures));
        faults.push_back(FindDeadVertex("selectedVertices", s.selectedVertices, live.fixtures));
        faults.push_back(FindDead("candidateJoints", s.candidateJoints, live.joints));
        faults.push_back(FindDead("disambiguationJoints", s.disambiguationJoints, live.joints));
        faults.push_back(FindDead("selectedJoints", s.selectedJoints, live.joints));
        faults.push_back(FindDeadOutline("a valid", s.validVertexDisplays, live.fixtures));
        faults.push_back(FindDeadOutline("an invalid", s.invalidVertexDisplays, live.fixtures));
        if (s.splitInfo.fixture != nullptr && live.fixtures.count(s.splitInfo.fixture) == 0)
        {
            faults.push_back(FormatText("the split point is on %p, which is not in the world", (void*)s.splitInfo.fixture));
        }
    }
    for (const std::string& fault : faults)
    {
        if (!fault.empty())
        {
            return fault;
        }
    }
    return std::string();
}
