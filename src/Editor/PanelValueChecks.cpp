#include "Editor/PanelValueChecks.h"

#include "Physics/Guards.h"

#include <cstdio>

namespace
{

// Collects the first refusal among the values checked.
class Checks
{
public:
    void amount(const char* field, float value)
    {
        within(field, value, 0.0f, Physics::k_maxAmount);
    }

    // Masses and densities: none, or enough for the solver to divide by.
    void mass(const char* field, float value)
    {
        if (value != 0.0f)
        {
            within(field, value, Physics::k_minMass, Physics::k_maxAmount, "must be 0 or a number from %g to %g");
        }
    }

    void signedAmount(const char* field, float value)
    {
        within(field, value, -Physics::k_maxAmount, Physics::k_maxAmount);
    }

    // Joint lengths: the library's distance joints are not stable below its linear slop.
    void length(const char* field, float value)
    {
        within(field, value, b2_linearSlop, Physics::k_maxCoordinate);
    }

    void range(const char* field, int value, int lowest, int highest)
    {
        char reason[64];
        std::snprintf(reason, sizeof(reason), "must be a whole number from %d to %d", lowest, highest);
        require(value == k_unsetInt || (value >= lowest && value <= highest), field, reason);
    }

    const std::string& refusal() const { return m_refusal; }

private:
    void within(const char* field, float value, float lowest, float highest,
                const char* format = "must be a number from %g to %g")
    {
        char reason[96];
        std::snprintf(reason, sizeof(reason), format, lowest, highest);
        const bool usable = Physics::IsFinite(value) && value >= lowest && value <= highest;
        require(value == k_unsetFloat || usable, field, reason);
    }

    void require(bool acceptable, const char* field, const char* reason)
    {
        if (!acceptable && m_refusal.empty())
        {
            m_refusal = std::string(field) + " " + reason + ": nothing was changed.";
        }
    }

    std::string m_refusal;
};

}  // namespace

std::string CheckBodyInput(const _panelInput& in)
{
    Checks checks;
    checks.range("Type", in.bodyType, -1, 2);
    checks.mass("Mass", in.bodyMass);
    checks.amount("Gravity scale", in.bodyGravityScale);
    return checks.refusal();
}

std::string CheckFixtureInput(const _panelInput& in)
{
    Checks checks;
    checks.mass("Density", in.fixtureDensity);
    checks.amount("Restitution", in.fixtureRestitution);
    checks.amount("Friction", in.fixtureFriction);
    checks.range("Category bits", in.fixtureCategoryBits, 0, 0xFFFF);
    checks.range("Mask bits", in.fixtureMaskBits, 0, 0xFFFF);
    checks.range("Group index", in.fixtureGroupIndex, -32768, 32767);
    return checks.refusal();
}

std::string CheckJointInput(const _panelInput& in)
{
    Checks checks;
    checks.amount("Max power", in.jointMaxMotorPower);
    checks.signedAmount("Motor speed", in.jointMotorSpeed);
    checks.length("Length", in.jointLength);
    checks.amount("Frequency", in.jointFrequency);
    checks.amount("Damping ratio", in.jointDampingRatio);
    return checks.refusal();
}
