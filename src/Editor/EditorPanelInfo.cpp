// The values the editor panel shows for the current selection: each value of the first selected
// object, or the "mixed" marker when the selected objects disagree on it, and which groups of
// panel controls apply to the selection.
#include "Editor/Editor.h"

#include "Physics/JointKinds.h"
#include "Physics/Springs.h"

namespace
{

constexpr float k_degreesPerRadian = 57.29578f;

// Shows in `field` the value every added object agrees on; the field keeps the "mixed" marker it
// held before the first value when the objects disagree.
template <typename T>
class Common
{
public:
    explicit Common(T& field) : m_field(field), m_mixedMarker(field) {}

    void add(const T& value)
    {
        if (!m_any)
        {
            m_field = value;
            m_any = true;
        }
        else if (!m_mixed && !(m_field == value))
        {
            m_field = m_mixedMarker;
            m_mixed = true;
        }
    }
    bool agreed() const { return m_any && !m_mixed; }

private:
    T& m_field;
    const T m_mixedMarker;
    bool m_any = false;
    bool m_mixed = false;
};

// Values that only some joint types have; added only while all selected joints share a type.
struct JointValues
{
    explicit JointValues(_panelInfo& info)
        : maxMotorPower(info.jointMaxMotorPower),
          motorSpeed(info.jointMotorSpeed),
          length(info.jointLength),
          frequency(info.jointFrequency),
          dampingRatio(info.jointDampingRatio),
          enableLimit(info.jointEnableLimit),
          enableMotor(info.jointEnableMotor)
    {
    }

    Common<float> maxMotorPower, motorSpeed, length, frequency, dampingRatio;
    Common<int> enableLimit, enableMotor;

    void add(b2Joint* joint, b2JointType type)
    {
        switch (type)
        {
        case e_revoluteJoint:
        {
            auto* revolute = static_cast<b2RevoluteJoint*>(joint);
            maxMotorPower.add(revolute->GetMaxMotorTorque());
            motorSpeed.add(revolute->GetMotorSpeed() * k_degreesPerRadian);
            enableLimit.add(revolute->IsLimitEnabled() ? 1 : 0);
            enableMotor.add(revolute->IsMotorEnabled() ? 1 : 0);
            break;
        }
        case e_prismaticJoint:
        {
            auto* prismatic = static_cast<b2PrismaticJoint*>(joint);
            maxMotorPower.add(prismatic->GetMaxMotorForce());
            motorSpeed.add(prismatic->GetMotorSpeed());
            enableLimit.add(prismatic->IsLimitEnabled() ? 1 : 0);
            enableMotor.add(prismatic->IsMotorEnabled() ? 1 : 0);
            break;
        }
        case e_distanceJoint:
            length.add(static_cast<b2DistanceJoint*>(joint)->GetLength());
            frequency.add(Physics::GetSpringFrequency(joint));
            dampingRatio.add(Physics::GetSpringDampingRatio(joint));
            break;
        case e_wheelJoint:
        {
            auto* wheel = static_cast<b2WheelJoint*>(joint);
            maxMotorPower.add(wheel->GetMaxMotorTorque());
            motorSpeed.add(wheel->GetMotorSpeed() * k_degreesPerRadian);
            enableMotor.add(wheel->IsMotorEnabled() ? 1 : 0);
            frequency.add(Physics::GetSpringFrequency(joint));
            dampingRatio.add(Physics::GetSpringDampingRatio(joint));
            break;
        }
        case e_ropeJoint:
            length.add(Physics::GetRopeMaxLength(joint));
            break;
        default:
            break;
        }
    }
};

}  // namespace

void Editor::updateUIPanelInfo()
{
    const _controlState& cs = m_controlState;
    _panelInfo& info = m_panelInfo;
    info = _panelInfo();
    info.panelChanged = true;

    const bool selection = haveSelection();
    info.bodyApplicable = m_editMethod == EM_BODIES && selection;
    info.fixtureApplicable = m_editMethod == EM_FIXTURES && selection;
    info.jointApplicable = m_editMethod == EM_JOINTS && selection;
    info.nameEditable = info.bodyApplicable || info.fixtureApplicable || info.jointApplicable;
    info.bodyCreatable = m_editMethod == EM_BODIES;
    info.fixtureCreatable = m_editMethod == EM_BODIES && cs.selectedBodies.size() == 1;
    info.jointCreatable = m_editMethod == EM_BODIES && cs.selectedBodies.size() == 2;
    if (!selection)
    {
        return;
    }

    switch (m_editMethod)
    {
    case EM_BODIES:
    {
        Common<std::string> name(info.objectName);
        Common<int> type(info.bodyType), fixedRotation(info.bodyFixedRotation), bullet(info.bodyBullet);
        Common<float> mass(info.bodyMass), gravityScale(info.bodyGravityScale);
        for (b2Body* body : cs.selectedBodies)
        {
            name.add(getNameOfBody(body));
            type.add(static_cast<int>(body->GetType()));
            mass.add(body->GetMass());
            fixedRotation.add(body->IsFixedRotation() ? 1 : 0);
            bullet.add(body->IsBullet() ? 1 : 0);
            gravityScale.add(body->GetGravityScale());
        }
        break;
    }
    case EM_FIXTURES:
    {
        Common<std::string> name(info.objectName);
        Common<float> density(info.fixtureDensity), restitution(info.fixtureRestitution),
            friction(info.fixtureFriction);
        Common<int> sensor(info.fixtureIsSensor), categoryBits(info.fixtureCategoryBits),
            maskBits(info.fixtureMaskBits), groupIndex(info.fixtureGroupIndex), shapeType(info.shapeType);
        for (b2Fixture* fixture : cs.selectedFixtures)
        {
            const b2Filter& filter = fixture->GetFilterData();
            name.add(getNameOfFixture(fixture));
            density.add(fixture->GetDensity());
            restitution.add(fixture->GetRestitution());
            friction.add(fixture->GetFriction());
            sensor.add(fixture->IsSensor() ? 1 : 0);
            categoryBits.add(filter.categoryBits);
            maskBits.add(filter.maskBits);
            groupIndex.add(filter.groupIndex);
            shapeType.add(static_cast<int>(fixture->GetType()));
        }
        break;
    }
    case EM_JOINTS:
    {
        Common<std::string> name(info.objectName);
        Common<int> type(info.jointType), collideConnected(info.jointCollideConnected);
        for (b2Joint* joint : cs.selectedJoints)
        {
            name.add(getNameOfJoint(joint));
            type.add(static_cast<int>(Physics::GetJointType(joint)));
            collideConnected.add(joint->GetCollideConnected() ? 1 : 0);
        }
        if (!type.agreed())
        {
            break;
        }
        JointValues values(info);
        for (b2Joint* joint : cs.selectedJoints)
        {
            values.add(joint, static_cast<b2JointType>(info.jointType));
        }
        break;
    }
    case EM_VERTICES:
        break;
    }
}
