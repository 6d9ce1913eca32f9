#include "Editor/Editor.h"

#include "Editor/JointAxes.h"
#include "Editor/Mat33.h"
#include "Physics/JointKinds.h"

#include <cmath>

namespace
{

constexpr float k_fineFactor = 0.1f;
constexpr float k_angleStep = 0.08726646f;  // 5 degrees
constexpr float k_scaleStep = 0.1f;

// Angle of `p` about `o`, measured from straight up, counter-clockwise positive.
float AngleAbout(const b2Vec2& o, const b2Vec2& p)
{
    return std::atan2(-(p.x - o.x), p.y - o.y);
}

}  // namespace

b2Joint* Editor::getLimitJoint() const
{
    const _controlState& cs = m_controlState;
    if (m_editMethod != EM_BODIES || cs.selectedBodies.size() != 1 || cs.selectedJoints.size() != 1)
    {
        return nullptr;
    }
    b2Body* body = *cs.selectedBodies.begin();
    b2Joint* joint = *cs.selectedJoints.begin();
    return joint->GetBodyA() == body || joint->GetBodyB() == body ? joint : nullptr;
}

b2Vec2 Editor::getRotationCenter() const
{
    return m_controlState.rotateAroundSelection ? m_controlState.selectionCenter : m_controlState.cursorPos;
}

b2Vec2 Editor::getScaleCenter() const
{
    return m_controlState.scaleAroundSelection ? m_controlState.selectionCenter : m_controlState.cursorPos;
}

b2Vec2 Editor::getTranslatedDelta() const
{
    const int state = m_controlState.state;
    b2Vec2 d = m_mouseWorld - m_controlState.startMouseWorld;
    if (state & CS_X_AXIS)
    {
        d.y = 0.0f;
    }
    else if (state & CS_Y_AXIS)
    {
        d.x = 0.0f;
    }
    else if (state & (CS_LOWER_LIMIT | CS_UPPER_LIMIT))
    {
        // A prismatic joint's limit follows the mouse along the joint's axis only.
        const b2Joint* joint = getLimitJoint();
        if (joint != nullptr && Physics::GetJointType(joint) == e_prismaticJoint)
        {
            const b2Vec2 axis = JointWorldAxis(joint);
            d = b2Dot(d, axis) * axis;
        }
    }
    if (shiftHeld())
    {
        d *= k_fineFactor;
    }
    if (ctrlHeld())
    {
        d.Set(std::trunc(d.x), std::trunc(d.y));
    }
    return d;
}

float Editor::getRotatedAngle() const
{
    const b2Vec2 o = getRotationCenter();
    float angle = AngleAbout(o, m_mouseWorld) - AngleAbout(o, m_controlState.startMouseWorld);
    normalizeAngle(angle);
    if (shiftHeld())
    {
        angle *= k_fineFactor;
    }
    if (ctrlHeld())
    {
        angle = std::trunc(angle / k_angleStep) * k_angleStep;
    }
    return angle;
}

b2Vec2 Editor::getScaledFactor() const
{
    const int state = m_controlState.state;
    const b2Vec2 o = getScaleCenter();
    const b2Vec2 m = m_mouseWorld - o;
    const b2Vec2 s = m_controlState.startMouseWorld - o;
    b2Vec2 f(s.x != 0.0f ? m.x / s.x : 1.0f, s.y != 0.0f ? m.y / s.y : 1.0f);
    // Only vertices can be mirrored by a scale (restricted to one axis).
    if (m_editMethod != EM_VERTICES)
    {
        f.Set(std::fabs(f.x), std::fabs(f.y));
    }
    auto restrict = [state](b2Vec2& factor) {
        if (state & CS_X_AXIS)
        {
            factor.y = 1.0f;
        }
        else if (state & CS_Y_AXIS)
        {
            factor.x = 1.0f;
        }
    };
    restrict(f);
    if (!(state & (CS_X_AXIS | CS_Y_AXIS)) && s.Length() != 0.0f)
    {
        f.x = f.y = m.Length() / s.Length();
    }
    if (shiftHeld())
    {
        f.Set((f.x - 1.0f) * k_fineFactor + 1.0f, (f.y - 1.0f) * k_fineFactor + 1.0f);
    }
    if (ctrlHeld())
    {
        f.Set(std::trunc(f.x / k_scaleStep) * k_scaleStep, std::trunc(f.y / k_scaleStep) * k_scaleStep);
    }
    // Restricted a second time, so the other factor stays exactly 1 whatever the keys did.
    restrict(f);
    return f;
}
