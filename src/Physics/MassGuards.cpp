#include "Physics/Guards.h"

namespace Physics
{

namespace
{

// Adds one fixture's mass data in the order and precision the library's ResetMassData uses.
struct MassSum
{
    float mass = 0.0f;
    float inertia = 0.0f;
    b2Vec2 weightedCentre = b2Vec2_zero;

    // Empty, or why the library cannot compute the shape's mass: a shape that never had to
    // have one (on a static body) may still be unfit, and its mass computation asserts.
    std::string Add(const b2Shape& shape, float density)
    {
        if (density == 0.0f)
        {
            return {};
        }
        std::string problem = CheckShape(shape);
        if (!problem.empty())
        {
            return problem;
        }
        b2MassData part;
        shape.ComputeMass(&part, density);
        mass += part.mass;
        weightedCentre += part.mass * part.center;
        inertia += part.I;
        return {};
    }
};

// The fixture's shape once the change is made.
const b2Shape& ShapeAfter(const MassChange& change, const b2Fixture* fixture)
{
    for (const auto& reshaped : change.reshaped)
    {
        if (reshaped.first == fixture)
        {
            return *reshaped.second;
        }
    }
    return *fixture->GetShape();
}

const char* k_inertiaTooSmall = "rotational inertia about the centre of mass is not positive";

}  // namespace

std::string CheckMassData(const b2Body& body, const b2MassData& massData)
{
    if (!IsFinite(massData.mass) || !IsFinite(massData.I) || !IsSaneCoordinate(massData.center))
    {
        return "mass data is not finite";
    }
    if (body.GetType() != b2_dynamicBody || body.IsFixedRotation() || !(massData.I > 0.0f))
    {
        return {};
    }
    // The library replaces a mass that is not positive by 1, then asserts that the inertia
    // about the centre of mass stays positive.
    const float mass = massData.mass > 0.0f ? massData.mass : 1.0f;
    if (!(massData.I - mass * b2Dot(massData.center, massData.center) > 0.0f))
    {
        return k_inertiaTooSmall;
    }
    return {};
}

std::string CheckMassReset(const b2Body& body, const MassChange& change)
{
    if (change.type != b2_dynamicBody)
    {
        return {};
    }
    // The library sums the fixtures in list order, and a new fixture goes to the front.
    MassSum sum;
    std::string problem;
    if (change.added != nullptr)
    {
        problem = sum.Add(*change.added->shape, change.added->density);
    }
    for (const b2Fixture* f = body.GetFixtureList(); f != nullptr && problem.empty(); f = f->GetNext())
    {
        if (f != change.removed)
        {
            problem = sum.Add(ShapeAfter(change, f), f->GetDensity() * change.densityScale);
        }
    }
    if (!problem.empty())
    {
        return problem;
    }
    b2Vec2 centre = sum.weightedCentre;
    if (sum.mass > 0.0f)
    {
        centre *= 1.0f / sum.mass;
    }
    if (!IsFinite(sum.mass) || !IsFinite(sum.inertia) || !IsFinite(centre))
    {
        return "mass is too large to compute";
    }
    if (change.fixedRotation || !(sum.inertia > 0.0f))
    {
        return {};
    }
    if (!(sum.inertia - sum.mass * b2Dot(centre, centre) > 0.0f))
    {
        return k_inertiaTooSmall;
    }
    return {};
}

}  // namespace Physics
