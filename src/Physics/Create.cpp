#include "Physics/Create.h"

#include "Physics/Guards.h"
#include "Physics/JointRecord.h"
#include "Physics/Reasons.h"

namespace Physics
{

namespace
{

std::string CheckWorld(const b2World* world)
{
    if (world == nullptr)
    {
        return "no world";
    }
    return CheckUnlocked(*world);
}

// Why `body` cannot be changed now, else what `check` finds wrong with the change.
template <class Check>
std::string CheckBodyChange(const b2Body* body, Check check)
{
    if (body == nullptr)
    {
        return "no body";
    }
    const std::string reason = CheckWorld(body->GetWorld());
    return reason.empty() ? check(*body) : reason;
}

// A rigid rod of the definition's length, the meaning distance joints have in scene files.
b2DistanceJointDef RigidRod(const b2DistanceJointDef& def)
{
    b2DistanceJointDef rod = def;
    rod.length = b2Max(def.length, b2_linearSlop);
    rod.minLength = rod.length;
    rod.maxLength = rod.length;
    rod.stiffness = 0.0f;
    rod.damping = 0.0f;
    return rod;
}

}  // namespace

b2Body* CreateBody(b2World* world, const b2BodyDef& def, std::string* error)
{
    const std::string reason = FirstReason({CheckWorld(world), CheckBodyDef(def)});
    return Refused(reason, error) ? nullptr : world->CreateBody(&def);
}

b2Fixture* CreateFixture(b2Body* body, const b2FixtureDef& def, std::string* error)
{
    const std::string reason = CheckBodyChange(body, [&def](const b2Body& target) {
        std::string problem = CheckFixtureDef(def);
        // Only a fixture with density makes the library recompute the body's mass.
        if (problem.empty() && def.density > 0.0f)
        {
            MassChange change(target);
            change.added = &def;
            problem = CheckMassReset(target, change);
        }
        return problem;
    });
    if (Refused(reason, error))
    {
        return nullptr;
    }
    b2Fixture* fixture = body->CreateFixture(&def);
    // The layer keeps ghost-vertex flags in fixture user data: nothing may be inherited.
    fixture->GetUserData().pointer = 0;
    return fixture;
}

b2Joint* CreateJoint(b2World* world, const b2JointDef& def, std::string* error)
{
    const std::string reason = world == nullptr ? "no world" : CheckJointDef(*world, def);
    if (Refused(reason, error))
    {
        return nullptr;
    }
    b2Joint* joint = nullptr;
    if (def.type == e_distanceJoint)
    {
        const b2DistanceJointDef rod = RigidRod(static_cast<const b2DistanceJointDef&>(def));
        joint = world->CreateJoint(&rod);
    }
    else
    {
        joint = world->CreateJoint(&def);
    }
    // Overwrites whatever user data the definition carried: the layer's record starts empty.
    RecordSpring(joint, 0.0f, 0.0f);
    return joint;
}

bool SetMassData(b2Body* body, const b2MassData& massData, std::string* error)
{
    const std::string reason =
        CheckBodyChange(body, [&massData](const b2Body& target) { return CheckMassData(target, massData); });
    if (Refused(reason, error))
    {
        return false;
    }
    body->SetMassData(&massData);
    return true;
}

bool ResetMassData(b2Body* body, std::string* error)
{
    const std::string reason =
        CheckBodyChange(body, [](const b2Body& target) { return CheckMassReset(target, MassChange(target)); });
    if (Refused(reason, error))
    {
        return false;
    }
    body->ResetMassData();
    return true;
}

}  // namespace Physics
