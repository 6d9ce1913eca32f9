#include "Editor/PanelValueChecks.h"

#include "Physics/Guards.h"

#include <cstdio>

namespace
{

// Collects the first refusal among the values checked.
class Checks
{
public:
    void nonNegative(const char* field, float value)
    {
        require(value == k_unsetFloat || Physics::IsNonNegative(value), field, "must be a number not below 0");
    }

    void finite(const char* field, float value)
    {
        require(value == k_unsetFloat || Physics::IsFinite(value), field, "must be a finite number");
    }

    // Joint lengths: the library's distance joints are not stable below its linear slop.
    void length(const char* field, float value)
    {
        char reason[96];
        std::snprintf(reason, sizeof(reason), "must be a number from %g to %g", b2_linearSlop,
                      Physics::kMaxCoordinate);
        const bool usable = Physics::IsFinite(value) && value >= b2_linearSlop && value <= Physics::kMaxCoordinate;
        require(value == k_unsetFloat || usable, field, reason);
    }

    void range(const char* field, int value, int lowest, int highest)
    {
        char reason[64];
        std::snprintf(reason, sizeof(reason), "must be a whole number from %d to %d", lowest, highest);
        require(value == k_unsetInt || (value >= lowest && value <= highest), field, reason);
    }

    const std::string& refusal() const { return m_refusal; }

private:
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
    checks.nonNegative("Mass", in.bodyMass);
    checks.nonNegative("Gravity scale", in.bodyGravityScale);
    return checks.refusal();
}

std::string CheckFixtureInput(const _panelInput& in)
{
    Checks checks;
    checks.nonNegative("Density", in.fixtureDensity);
    checks.nonNegative("Restitution", in.fixtureRestitution);
    checks.nonNegative("Friction", in.fixtureFriction);
    checks.range("Category bits", in.fixtureCategoryBits, 0, 0xFFFF);
    checks.range("Mask bits", in.fixtureMaskBits, 0, 0xFFFF);
    checks.range("Group index", in.fixtureGroupIndex, -32768, 32767);
    return checks.refusal();
}

std::string CheckJointInput(const _panelInput& in)
{
    Checks checks;
    checks.nonNegative("Max power", in.jointMaxMotorPower);
    checks.finite("Motor speed", in.jointMotorSpeed);
    checks.length("Length", in.jointLength);
    checks.nonNegative("Frequency", in.jointFrequency);
    checks.nonNegative("Damping ratio", in.jointDampingRatio);
    return checks.refusal();
}
