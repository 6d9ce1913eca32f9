#include "Physics/FiniteStep.h"

#include "Physics/Guards.h"
#include "Physics/MemberAccess.h"

namespace Physics
{

namespace
{

bool MovesFinitely(const b2Body* body)
{
    return IsFinite(body->GetPosition()) && IsFinite(body->GetAngle()) && IsFinite(body->GetLinearVelocity()) &&
           IsFinite(body->GetAngularVelocity());
}

}  // namespace

bool FiniteStepper::step(b2World* world, float timeStep, int velocityIterations, int positionIterations)
{
    m_before.clear();
    for (const b2Body* body = world->GetBodyList(); body != nullptr; body = body->GetNext())
    {
        m_before.push_back({body->GetPosition(), body->GetAngle(), body->GetLinearVelocity(), body->GetAngularVelocity()});
    }
    world->Step(timeStep, velocityIterations, positionIterations);

    bool finite = true;
    for (const b2Body* body = world->GetBodyList(); body != nullptr && finite; body = body->GetNext())
    {
        finite = MovesFinitely(body);
    }
    if (finite)
    {
        return true;
    }
    // A step neither adds nor removes bodies, so the list is in the order it was captured in.
    // The solver writes velocities into the static bodies of an island too, which their setters
    // ignore: they are stored directly.
    auto motion = m_before.begin();
    for (b2Body* body = world->GetBodyList(); body != nullptr; body = body->GetNext(), ++motion)
    {
        body->SetTransform(motion->position, motion->angle);
        Access::LinearVelocity(*body) = motion->linearVelocity;
        Access::AngularVelocity(*body) = motion->angularVelocity;
    }
    return false;
}

}  // namespace Physics
