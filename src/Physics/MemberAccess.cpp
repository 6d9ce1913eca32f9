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

}  // namespace

b2BlockAllocator& WorldAllocator(b2World& world)
{
    return world.*MemberOf(WorldAllocatorTag{});
}

}  // namespace Physics::Access
