#include "Tests/Web.h"

#include "Physics/Create.h"
#include "Physics/Springs.h"
#include "Tests/SceneParts.h"

#include <algorithm>
#include <cstddef>

namespace
{

b2Joint* CreateSpring(b2World* world, b2Body* a, b2Body* b, const b2Vec2& anchorA, const b2Vec2& anchorB)
{
    b2DistanceJointDef jd;
    jd.Initialize(a, b, anchorA, anchorB);
    b2Joint* joint = Physics::CreateJoint(world, jd);
    Physics::SetSpring(joint, 2.0f, 0.0f);
    return joint;
}

template <typename Object, std::size_t N>
Object* FirstRemaining(Object* (&objects)[N])
{
    Object** found = std::find_if(objects, objects + N, [](Object* object) { return object != nullptr; });
    return found == objects + N ? nullptr : *found;
}

}  // namespace

Web::Web()
{
    b2Body* ground = CreateGroundEdge(world, -40.0f, 40.0f);

    // Boxes at the corners of a square around (0, 20), each tied outwards to a ground point
    // further along its diagonal and to its two neighbours.
    const float half = 0.5f;
    const b2Vec2 corners[4] = {b2Vec2(-1.0f, -1.0f), b2Vec2(1.0f, -1.0f), b2Vec2(1.0f, 1.0f), b2Vec2(-1.0f, 1.0f)};
    const b2Vec2 centre(0.0f, 20.0f);
    const b2PolygonShape box = MakeBox(half, half);
    for (int i = 0; i < 4; ++i)
    {
        m_bodies[i] = CreateDynamicBody(world, centre + 5.0f * corners[i], box, 5.0f);
    }

    for (int i = 0; i < 4; ++i)
    {
        const b2Vec2 groundPoint = centre + 10.0f * corners[i];
        const b2Vec2 outerCorner = m_bodies[i]->GetPosition() + half * corners[i];
        m_joints[i] = CreateSpring(world, ground, m_bodies[i], groundPoint, outerCorner);
    }

    for (int i = 0; i < 4; ++i)
    {
        const int next = (i + 1) % 4;
        const b2Vec2 towardsNext = corners[next] - corners[i];
        const b2Vec2 anchorA = m_bodies[i]->GetPosition() + half * 0.5f * towardsNext;
        const b2Vec2 anchorB = m_bodies[next]->GetPosition() - half * 0.5f * towardsNext;
        m_joints[4 + i] = CreateSpring(world, m_bodies[i], m_bodies[next], anchorA, anchorB);
    }
}

void Web::Step(Settings* settings)
{
    Test::Step(settings);
    DrawLine("This demonstrates a soft distance joint.");
    DrawLine("Press: (b) to delete a body, (j) to delete a joint");
}

void Web::Keyboard(unsigned char key)
{
    switch (key)
    {
    case 'b':
        // The body's joints are announced through JointDestroyed and leave m_joints too.
        DestroyBody(FirstRemaining(m_bodies));
        break;
    case 'j':
        DestroyJoint(FirstRemaining(m_joints));
        break;
    default:
        break;
    }
}

void Web::JointDestroyed(b2Joint* joint)
{
    for (b2Joint*& remembered : m_joints)
    {
        ForgetIfDestroyed(remembered, joint);
    }
}

void Web::BodyDestroyed(b2Body* body)
{
    for (b2Body*& remembered : m_bodies)
    {
        ForgetIfDestroyed(remembered, body);
    }
}
