#include "Physics/MemberAccess.h"

namespace Physics::Access
{

namespace
{

struct WorldAllocatorTag
{
    using Type = b2BlockAllocator b2World::*;
    friend Type MemberOf(WorldAllocatorTag);
};

template <typename Tag, typename Tag::Type Member>
struct PrivateMember
{
    friend typename Tag::Type MemberOf(Tag) { return Member; }
};

template struct PrivateMember<WorldAllocatorTag, &b2World::m_blockAllocator>;

struct LinearVelocityTag
{
    using Type = b2Vec2 b2Body::*;
    friend Type MemberOf(LinearVelocityTag);
};

struct AngularVelocityTag
{
    using Type = float b2Body::*;
    friend Type MemberOf(AngularVelocityTag);
};

template struct PrivateMember<LinearVelocityTag, &b2Body::m_linearVelocity>;
template struct PrivateMember<AngularVelocityTag, &b2Body::m_angularVelocity>;

}  // namespace

b2BlockAllocator& WorldAllocator(b2World& world)
{
    return world.*MemberOf(WorldAllocatorTag{});
}

b2Vec2& LinearVelocity(b2Body& body)
{
    return body.*MemberOf(LinearVelocityTag{});
}

float& AngularVelocity(b2Body& body)
{
    return body.*MemberOf(AngularVelocityTag{});
}

}  // namespace Physics::Access
