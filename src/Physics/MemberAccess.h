// Reach to stored fields the library keeps protected or private, without casting an object to
// a class it is not. A class derived from the owner may form a pointer to a protected member;
// that pointer is then applied to a genuine object of the owner class. b2World's block
// allocator is private: its member pointer is named in an explicit template instantiation,
// where the language does not apply access checks.
#pragma once

#include <box2d/box2d.h>

namespace Physics::Access
{

struct JointFields : b2Joint
{
    static bool& CollideConnected(b2Joint& joint) { return joint.*(&JointFields::m_collideConnected); }
};

// Distance, prismatic, revolute and wheel joints name their local anchors alike.
template <class Joint>
struct AnchorFields : Joint
{
    static b2Vec2& LocalAnchorA(Joint& joint) { return joint.*(&AnchorFields::m_localAnchorA); }
    static b2Vec2& LocalAnchorB(Joint& joint) { return joint.*(&AnchorFields::m_localAnchorB); }
};

struct PrismaticFields : b2PrismaticJoint
{
    static b2Vec2& LocalXAxis(b2PrismaticJoint& joint) { return joint.*(&PrismaticFields::m_localXAxisA); }
    static b2Vec2& LocalYAxis(b2PrismaticJoint& joint) { return joint.*(&PrismaticFields::m_localYAxisA); }
    static float& ReferenceAngle(b2PrismaticJoint& joint) { return joint.*(&PrismaticFields::m_referenceAngle); }
    // Per-step copies of the axis in world coordinates, recomputed by the next step.
    static b2Vec2& StepAxis(b2PrismaticJoint& joint) { return joint.*(&PrismaticFields::m_axis); }
    static b2Vec2& StepPerpendicular(b2PrismaticJoint& joint) { return joint.*(&PrismaticFields::m_perp); }
};

struct WheelFields : b2WheelJoint
{
    static b2Vec2& LocalXAxis(b2WheelJoint& joint) { return joint.*(&WheelFields::m_localXAxisA); }
    static b2Vec2& LocalYAxis(b2WheelJoint& joint) { return joint.*(&WheelFields::m_localYAxisA); }
    static b2Vec2& StepAxis(b2WheelJoint& joint) { return joint.*(&WheelFields::m_ax); }
    static b2Vec2& StepPerpendicular(b2WheelJoint& joint) { return joint.*(&WheelFields::m_ay); }
};

struct FixtureFields : b2Fixture
{
    static b2FixtureProxy*& Proxies(b2Fixture& fixture) { return fixture.*(&FixtureFields::m_proxies); }
    static int32& ProxyCount(b2Fixture& fixture) { return fixture.*(&FixtureFields::m_proxyCount); }
};

b2BlockAllocator& WorldAllocator(b2World& world);

// A body's velocities as stored, written without the wake-up and checks of the library's setters.
b2Vec2& LinearVelocity(b2Body& body);
float& AngularVelocity(b2Body& body);

}  // namespace Physics::Access
