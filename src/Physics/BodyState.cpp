#include "Physics/BodyState.h"

#include "Physics/Guards.h"
#include "Physics/Reasons.h"

namespace Physics
{

namespace
{

bool IsChangeable(const b2Body* body)
{
    return body != nullptr && !body->GetWorld()->IsLocked();
}

// Applies `apply` to the body unless the mass recomputation it causes would assert.
template <class Apply>
bool ChangeMass(b2Body* body, const MassChange& change, std::string* error, Apply apply)
{
    const std::string reason = FirstReason({CheckUnlocked(*body->GetWorld()), CheckMassReset(*body, change)});
    if (Refused(reason, error))
    {
        return false;
    }
    apply();
    return true;
}

}  // namespace

bool SetBodyActive(b2Body* body, bool active)
{
    if (!IsChangeable(body))
    {
        return false;
    }
    body->SetEnabled(active);
    return true;
}

bool IsBodyActive(const b2Body* body)
{
    return body != nullptr && body->IsEnabled();
}

bool RefreshProxies(b2Body* body)
{
    if (!IsChangeable(body))
    {
        return false;
    }
    // Disabling drops the body's proxies and contacts; enabling builds them from the shapes.
    if (body->IsEnabled())
    {
        body->SetEnabled(false);
        body->SetEnabled(true);
    }
    return true;
}

bool SetBodyType(b2Body* body, b2BodyType type, std::string* error)
{
    if (Refused(FirstReason({Unless(body != nullptr, "no body"), Unless(IsKnownBodyType(type), "unknown body type")}),
                error))
    {
        return false;
    }
    // A gear joint couples dynamic bodies only: scene files drop one attached to another kind.
    for (b2JointEdge* edge = body->GetJointList(); edge != nullptr && type != b2_dynamicBody; edge = edge->next)
    {
        if (edge->joint->GetType() == e_gearJoint)
        {
            return !Refused("a gear joint needs the body to stay dynamic", error);
        }
    }
    MassChange change(*body);
    change.type = type;
    return ChangeMass(body, change, error, [&] { body->SetType(type); });
}

bool SetFixedRotation(b2Body* body, bool fixedRotation, std::string* error)
{
    if (Refused(Unless(body != nullptr, "no body"), error))
    {
        return false;
    }
    MassChange change(*body);
    change.fixedRotation = fixedRotation;
    return ChangeMass(body, change, error, [&] { body->SetFixedRotation(fixedRotation); });
}

void PutToSleep(b2Body* body)
{
    if (body != nullptr)
    {
        body->SetAwake(false);
    }
}

bool SettleBroadPhase(b2World* world)
{
    if (world == nullptr || world->IsLocked())
    {
        return false;
    }
    // The world owns its contact manager; the library only hands out a const reference.
    const_cast<b2ContactManager&>(world->GetContactManager()).FindNewContacts();
    return true;
}

}  // namespace Physics
