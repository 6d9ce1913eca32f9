// The values the editor panel shows for the current selection: each value of the first selected
// object, or the "mixed" marker when the selected objects disagree on it, and which groups of
// panel controls apply to the selection.
#include "Editor/Editor.h"

#include "Physics/JointKinds.h"
#include "Physics/Springs.h"

namespace
{

constexpr float k_degreesPerRadian = 57.29578f;

// The value every added object agrees on; the field keeps its "mixed" marker otherwise.
template <typename T>
class Common
{
public:
    void add(const T& value)
    {
        if (!m_any)
        {
            m_value = value;
            m_any = true;
        }
        else if (!(m_value == value))
        {
            m_mixed = true;
        }
    }
    bool agreed() const { return m_any && !m_mixed; }
    void into(T& field) const
    {
        if (agreed())
        {
            field = m_value;
        }
    }
    const T& value() const { return m_value; }

private:
    T m_value = T();
    bool m_any = false;
    bool m_mixed = false;
};

struct BodyValues
{
    Common<std::string> name;
    Common<int> type, fixedRotation, bullet;
    Common<float> mass, gravityScale;
};

struct FixtureValues
{
    Common<std::string> name;
    Common<float> density, restitution, friction;
    Common<int> sensor, categoryBits, maskBits, groupIndex, shapeType;
};

// Values that only some joint types have; filled only while all selected joints share a type.
struct JointValues
{
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
        BodyValues values;
        for (b2Body* body : cs.selectedBodies)
        {
            values.name.add(getNameOfBody(body));
            values.type.add(static_cast<int>(body->GetType()));
            values.mass.add(body->GetMass());
            values.fixedRotation.add(body->IsFixedRotation() ? 1 : 0);
            values.bullet.add(body->IsBullet() ? 1 : 0);
            values.gravityScale.add(body->GetGravityScale());
        }
        values.name.into(info.objectName);
        values.type.into(info.bodyType);
        values.mass.into(info.bodyMass);
        values.fixedRotation.into(info.bodyFixedRotation);
        values.bullet.into(info.bodyBullet);
        values.gravityScale.into(info.bodyGravityScale);
        break;
    }
    case EM_FIXTURES:
    {
        FixtureValues values;
        for (b2Fixture* fixture : cs.selectedFixtures)
        {
            const b2Filter& filter = fixture->GetFilterData();
            values.name.add(getNameOfFixture(fixture));
            values.density.add(fixture->GetDensity());
            values.restitution.add(fixture->GetRestitution());
            values.friction.add(fixture->GetFriction());
            values.sensor.add(fixture->IsSensor() ? 1 : 0);
            values.categoryBits.add(filter.categoryBits);
            values.maskBits.add(filter.maskBits);
            values.groupIndex.add(filter.groupIndex);
            values.shapeType.add(static_cast<int>(fixture->GetType()));
        }
        values.name.into(info.objectName);
        values.density.into(info.fixtureDensity);
        values.restitution.into(info.fixtureRestitution);
        values.friction.into(info.fixtureFriction);
        values.sensor.into(info.fixtureIsSensor);
        values.categoryBits.into(info.fixtureCategoryBits);
        values.maskBits.into(info.fixtureMaskBits);
        values.groupIndex.into(info.fixtureGroupIndex);
        values.shapeType.into(info.shapeType);
        break;
    }
    case EM_JOINTS:
    {
        Common<std::string> name;
        Common<int> type;
        Common<int> collideConnected;
        for (b2Joint* joint : cs.selectedJoints)
        {
            name.add(getNameOfJoint(joint));
            type.add(static_cast<int>(Physics::GetJointType(joint)));
            collideConnected.add(joint->GetCollideConnected() ? 1 : 0);
        }
        name.into(info.objectName);
        type.into(info.jointType);
        collideConnected.into(info.jointCollideConnected);
        if (!type.agreed())
        {
            break;
        }
        JointValues values;
        for (b2Joint* joint : cs.selectedJoints)
        {
            values.add(joint, static_cast<b2JointType>(type.value()));
        }
        values.maxMotorPower.into(info.jointMaxMotorPower);
        values.motorSpeed.into(info.jointMotorSpeed);
        values.enableLimit.into(info.jointEnableLimit);
        values.enableMotor.into(info.jointEnableMotor);
        values.length.into(info.jointLength);
        values.frequency.into(info.jointFrequency);
        values.dampingRatio.into(info.jointDampingRatio);
        break;
    }
    case EM_VERTICES:
        break;
    }
}
