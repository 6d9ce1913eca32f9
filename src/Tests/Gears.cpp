#include "Tests/Gears.h"

#include "Physics/Create.h"
#include "Physics/JointKinds.h"
#include "Tests/SceneParts.h"

namespace
{

constexpr float k_smallRadius = 2.0f;
constexpr float k_largeRadius = 4.0f;
constexpr float k_axleHeight = 20.0f;

b2GearJoint* Couple(b2World* world, b2Joint* joint1, b2Joint* joint2, float ratio)
{
    return static_cast<b2GearJoint*>(Physics::CreateJoint(world, Physics::CouplingGear(joint1, joint2, ratio)));
}

b2RevoluteJoint* Axle(b2World* world, b2Body* ground, b2Body* wheel)
{
    b2RevoluteJointDef jd;
    jd.Initialize(ground, wheel, wheel->GetPosition());
    return static_cast<b2RevoluteJoint*>(Physics::CreateJoint(world, jd));
}

}  // namespace

Gears::Gears()
{
    b2Body* ground = CreateGroundEdge(world, -40.0f, 40.0f);

    b2CircleShape smallCircle = MakeCircle(k_smallRadius);
    b2Body* smallWheel = CreateDynamicBody(
        world, b2Vec2(-(k_smallRadius + k_largeRadius), k_axleHeight), smallCircle, 5.0f);
    m_smallWheelJoint = Axle(world, ground, smallWheel);

    b2CircleShape largeCircle = MakeCircle(k_largeRadius);
    b2Body* largeWheel = CreateDynamicBody(world, b2Vec2(0.0f, k_axleHeight), largeCircle, 5.0f);
    m_largeWheelJoint = Axle(world, ground, largeWheel);

    // The rack stands against the large wheel's right side and falls under its own weight,
    // turning both wheels until its travel ends.
    b2PolygonShape rackShape = MakeBox(0.5f, 6.0f);
    b2Body* rack =
        CreateDynamicBody(world, b2Vec2(k_largeRadius + 0.5f, k_axleHeight), rackShape, 5.0f);
    b2PrismaticJointDef pd;
    pd.Initialize(ground, rack, rack->GetPosition(), b2Vec2(0.0f, 1.0f));
    pd.enableLimit = true;
    pd.lowerTranslation = -6.0f;
    pd.upperTranslation = 6.0f;
    m_rackJoint = static_cast<b2PrismaticJoint*>(Physics::CreateJoint(world, pd));

    // Wheels in contact turn opposite ways: smallRadius × theta1 = -largeRadius × theta2.
    m_wheelGear = Couple(world, m_smallWheelJoint, m_largeWheelJoint, k_largeRadius / k_smallRadius);
    // The rack moves with the large wheel's rim: delta = largeRadius × theta2.
    m_rackGear = Couple(world, m_largeWheelJoint, m_rackJoint, -1.0f / k_largeRadius);
}

void Gears::Step(Settings* settings)
{
    Test::Step(settings);

    if (m_wheelGear != nullptr && m_smallWheelJoint != nullptr && m_largeWheelJoint != nullptr)
    {
        float ratio = m_wheelGear->GetRatio();
        float value = m_smallWheelJoint->GetJointAngle() + ratio * m_largeWheelJoint->GetJointAngle();
        DrawLine("theta1 + %4.2f * theta2 = %4.2f", ratio, value);
    }
    if (m_rackGear != nullptr && m_largeWheelJoint != nullptr && m_rackJoint != nullptr)
    {
        float ratio = m_rackGear->GetRatio();
        float value = m_largeWheelJoint->GetJointAngle() + ratio * m_rackJoint->GetJointTranslation();
        DrawLine("theta2 + %4.2f * delta = %4.2f", ratio, value);
    }
}

void Gears::JointDestroyed(b2Joint* joint)
{
    ForgetIfDestroyed(m_smallWheelJoint, joint);
    ForgetIfDestroyed(m_largeWheelJoint, joint);
    ForgetIfDestroyed(m_rackJoint, joint);
    ForgetIfDestroyed(m_wheelGear, joint);
    ForgetIfDestroyed(m_rackGear, joint);
}
