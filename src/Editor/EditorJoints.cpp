// Joints made and changed from the panel: a joint of the chosen type between the two selected
// bodies at the cursor (the body selected last is body B), and the panel's joint values written
// into the selected joints. Values and bodies the physics library would assert on or could not
// solve are refused with the reason, before anything changes.
#include "Editor/Editor.h"

#include "Editor/EditStep.h"
#include "Editor/PanelValueChecks.h"
#include "Physics/JointKinds.h"
#include "Physics/Springs.h"

#include <iterator>
#include <utility>

namespace
{

constexpr float k_radiansPerDegree = 0.017453292f;

// Why no joint can join these bodies; empty when one can.
std::string CheckJointBodies(const b2Body* a, const b2Body* b)
{
    if (a->GetType() != b2_dynamicBody && b->GetType() != b2_dynamicBody)
    {
        return "at least one of the two bodies must be dynamic";
    }
    return {};
}

}  // namespace

void Editor::duplicateFixtureProperties(b2Fixture* fixture, b2FixtureDef& def) const
{
    def.density = fixture->GetDensity();
    def.restitution = fixture->GetRestitution();
    def.friction = fixture->GetFriction();
    def.filter = fixture->GetFilterData();
    def.isSensor = fixture->IsSensor();
}

void Editor::createJoint()
{
    const _panelInput& in = m_panelInput;
    const std::set<b2Body*>& bodies = m_controlState.selectedBodies;
    if (in.jointType == 0)
    {
        addMessage("Choose a joint type.", k_refusalColour);
        return;
    }
    if (bodies.size() != 2)
    {
        addMessage("Select two bodies to join.", k_refusalColour);
        return;
    }
    // The body selected last is body B.
    b2Body* a = *bodies.begin();
    b2Body* b = *std::next(bodies.begin());
    if (b != m_lastSelectedBody)
    {
        std::swap(a, b);
    }
    std::string refusal = CheckJointInput(in);
    if (refusal.empty() && (m_controlState.state & CS_DELETE) != 0)
    {
        refusal = "No joint made: the bodies are about to be deleted.";
    }
    if (refusal.empty())
    {
        const std::string reason = CheckJointBodies(a, b);
        refusal = reason.empty() ? reason : "No joint made: " + reason + ".";
    }
    if (!refusal.empty())
    {
        addMessage(refusal, k_refusalColour);
        return;
    }

    const b2Vec2 c = m_controlState.cursorPos;
    const bool collide = TickedFlag(in.jointCollideConnected);
    const float length = ValueOr(in.jointLength, 1.0f);
    std::string error;
    EditStep step(m_edits, "create joint");
    switch (in.jointType)
    {
    case e_revoluteJoint:
    {
        b2RevoluteJointDef def;
        def.bodyA = a;
        def.bodyB = b;
        def.localAnchorA = a->GetLocalPoint(c);
        def.localAnchorB = b->GetLocalPoint(c);
        def.enableLimit = TickedFlag(in.jointEnableLimit);
        def.enableMotor = TickedFlag(in.jointEnableMotor);
        def.maxMotorTorque = ValueOr(in.jointMaxMotorPower, 0.0f);
        def.motorSpeed = ValueOr(in.jointMotorSpeed, 0.0f) * k_radiansPerDegree;
        def.collideConnected = collide;
        m_edits.createJoint(def, &error);
        break;
    }
    case e_prismaticJoint:
    {
        b2PrismaticJointDef def;
        def.bodyA = a;
        def.bodyB = b;
        def.localAnchorA = a->GetLocalPoint(c);
        def.localAnchorB = b->GetLocalPoint(c + b2Vec2(1.0f, 0.0f));
        def.localAxisA.Set(1.0f, 0.0f);
        def.enableLimit = TickedFlag(in.jointEnableLimit);
        def.enableMotor = TickedFlag(in.jointEnableMotor);
        def.maxMotorForce = ValueOr(in.jointMaxMotorPower, 0.0f);
        def.motorSpeed = ValueOr(in.jointMotorSpeed, 0.0f);
        def.collideConnected = collide;
        m_edits.createJoint(def, &error);
        break;
    }
    case e_distanceJoint:
    {
        b2DistanceJointDef def;
        def.bodyA = a;
        def.bodyB = b;
        def.localAnchorA = a->GetLocalPoint(c);
        def.localAnchorB = b->GetLocalPoint(c + b2Vec2(length, 0.0f));
        def.length = length;
        def.collideConnected = collide;
        if (b2Joint* joint = m_edits.createJoint(def, &error))
        {
            m_edits.setSpring(joint, ValueOr(in.jointFrequency, 0.0f), ValueOr(in.jointDampingRatio, 0.0f), &error);
        }
        break;
    }
    case e_wheelJoint:
    {
        b2WheelJointDef def;
        def.bodyA = a;
        def.bodyB = b;
        def.localAnchorA = a->GetLocalPoint(c);
        def.localAnchorB = b->GetLocalPoint(c + b2Vec2(1.0f, 0.0f));
        def.localAxisA.Set(1.0f, 0.0f);
        def.enableMotor = TickedFlag(in.jointEnableMotor);
        def.maxMotorTorque = ValueOr(in.jointMaxMotorPower, 0.0f);
        def.motorSpeed = ValueOr(in.jointMotorSpeed, 0.0f) * k_radiansPerDegree;
        def.collideConnected = collide;
        if (b2Joint* joint = m_edits.createJoint(def, &error))
        {
            m_edits.setSpring(joint, ValueOr(in.jointFrequency, 2.0f), ValueOr(in.jointDampingRatio, 0.7f), &error);
        }
        break;
    }
    case e_ropeJoint:
    {
        Physics::RopeJointDef def;
        def.bodyA = a;
        def.bodyB = b;
        def.localAnchorA = a->GetLocalPoint(c);
        def.localAnchorB = b->GetLocalPoint(c + b2Vec2(length, 0.0f));
        def.maxLength = length;
        def.collideConnected = collide;
        m_edits.createRope(def, &error);
        break;
    }
    default:
        break;
    }
    if (!error.empty())
    {
        addMessage("No joint made: " + error + ".", k_refusalColour);
    }
}

void Editor::applyJointSettings()
{
    const _panelInput& in = m_panelInput;
    const std::set<b2Joint*>& joints = m_controlState.selectedJoints;
    if (m_editMethod != EM_JOINTS || joints.empty())
    {
        return;
    }
    const std::string refusal = CheckJointInput(in);
    if (!refusal.empty())
    {
        addMessage(refusal, k_refusalColour);
        return;
    }
    const float speed = in.jointMotorSpeed;
    const bool speedSet = speed != k_unsetFloat;
    const bool springSet = in.jointFrequency != k_unsetFloat || in.jointDampingRatio != k_unsetFloat;
    EditStep step(m_edits, "apply joint settings");
    std::set<b2Body*> bodies;
    for (b2Joint* joint : joints)
    {
        bodies.insert(joint->GetBodyA());
        bodies.insert(joint->GetBodyB());
        if (!KeepsFlag(in.jointCollideConnected))
        {
            m_edits.setCollideConnected(joint, in.jointCollideConnected != 0);
        }
        const b2JointType type = Physics::GetJointType(joint);
        if (type == e_revoluteJoint || type == e_prismaticJoint || type == e_wheelJoint)
        {
            if (in.jointMaxMotorPower != k_unsetFloat)
            {
                m_edits.setMaxMotorPower(joint, in.jointMaxMotorPower);
            }
            if (speedSet)
            {
                m_edits.setMotorSpeed(joint, type == e_prismaticJoint ? speed : speed * k_radiansPerDegree);
            }
            if (!KeepsFlag(in.jointEnableMotor))
            {
                m_edits.enableJointMotor(joint, in.jointEnableMotor != 0);
            }
        }
        if ((type == e_revoluteJoint || type == e_prismaticJoint) && !KeepsFlag(in.jointEnableLimit))
        {
            m_edits.enableJointLimit(joint, in.jointEnableLimit != 0);
        }
        if (type == e_distanceJoint && in.jointLength != k_unsetFloat)
        {
            m_edits.setDistanceLength(joint, in.jointLength);
        }
        if (type == e_ropeJoint && in.jointLength != k_unsetFloat)
        {
            m_edits.setRopeLength(joint, in.jointLength);
        }
        if ((type == e_distanceJoint || type == e_wheelJoint) && springSet)
        {
            m_edits.setSpring(joint, ValueOr(in.jointFrequency, Physics::GetSpringFrequency(joint)),
                              ValueOr(in.jointDampingRatio, Physics::GetSpringDampingRatio(joint)));
        }
    }
    // Contacts between joined bodies are rebuilt under the new collide-connected setting.
    for (b2Body* body : bodies)
    {
        m_edits.refreshBody(body);
    }
}
