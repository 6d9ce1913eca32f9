#include "Tests/CollisionFiltering.h"

#include "Physics/Create.h"
#include "Tests/SceneParts.h"

namespace
{

constexpr int16 k_smallGroup = 1;
constexpr int16 k_largeGroup = -1;

constexpr uint16 k_triangleCategory = 0x0002;
constexpr uint16 k_boxCategory = 0x0004;
constexpr uint16 k_circleCategory = 0x0008;

constexpr uint16 k_triangleMask = 0xFFFF;
constexpr uint16 k_boxMask = 0xFFFF ^ k_triangleCategory;
constexpr uint16 k_circleMask = 0xFFFF;

constexpr float k_smallSize = 1.5f;
constexpr float k_largeSize = 2.0f * k_smallSize;

b2Body* AddFiltered(b2World* world, const b2Vec2& position, const b2Shape& shape, int16 group, uint16 category,
                    uint16 mask)
{
    b2Body* body = CreateDynamicBody(world, position, shape, 1.0f);
    b2Filter filter;
    filter.groupIndex = group;
    filter.categoryBits = category;
    filter.maskBits = mask;
    body->GetFixtureList()->SetFilterData(filter);
    return body;
}

// Keeps `rider` upright above `base`, free to move up and down a little and resting on it.
void AddRiderJoint(b2World* world, b2Body* base, b2Body* rider)
{
    const float travel = 1.0f;
    b2PrismaticJointDef jd;
    jd.Initialize(base, rider, rider->GetPosition(), b2Vec2(0.0f, 1.0f));
    jd.enableLimit = true;
    jd.lowerTranslation = -travel;
    jd.upperTranslation = travel;
    jd.collideConnected = true;
    Physics::CreateJoint(world, jd);
}

}  // namespace

CollisionFiltering::CollisionFiltering()
{
    b2Body* ground = CreateGroundEdge(world, -40.0f, 40.0f);
    ground->GetFixtureList()->SetFriction(0.3f);

    b2PolygonShape largeTriangle = MakeTriangle(k_largeSize, 2.0f * k_largeSize);
    b2PolygonShape smallTriangle = MakeTriangle(k_smallSize, 2.0f * k_smallSize);
    b2PolygonShape largeBox = MakeBox(2.0f * k_smallSize, k_smallSize);
    b2PolygonShape smallBox = MakeBox(k_smallSize, 0.5f * k_smallSize);
    b2CircleShape largeCircle = MakeCircle(k_largeSize);
    b2CircleShape smallCircle = MakeCircle(k_smallSize);

    // The large shapes overlap each other from the start: their shared negative group keeps
    // them from pushing apart. Each small rider sits on a large shape of its kind.
    const float largeBottom = 2.0f;
    b2Body* triangleBase = AddFiltered(world, b2Vec2(-4.0f, largeBottom), largeTriangle, k_largeGroup,
                                       k_triangleCategory, k_triangleMask);
    b2Body* triangleRider = AddFiltered(world, b2Vec2(-4.0f, largeBottom + 2.0f * k_largeSize), smallTriangle,
                                        k_smallGroup, k_triangleCategory, k_triangleMask);
    AddRiderJoint(world, triangleBase, triangleRider);

    b2Body* boxBase = AddFiltered(world, b2Vec2(0.0f, largeBottom + k_smallSize), largeBox, k_largeGroup,
                                  k_boxCategory, k_boxMask);
    b2Body* boxRider = AddFiltered(world, b2Vec2(-1.0f, largeBottom + 2.5f * k_smallSize), smallBox, k_smallGroup,
                                   k_boxCategory, k_boxMask);
    AddRiderJoint(world, boxBase, boxRider);

    AddFiltered(world, b2Vec2(4.0f, largeBottom + k_largeSize), largeCircle, k_largeGroup, k_circleCategory,
                k_circleMask);

    // Between sizes the categories decide: a small triangle falls through a large box, a
    // small circle lands on it.
    AddFiltered(world, b2Vec2(20.0f, k_smallSize), largeBox, k_largeGroup, k_boxCategory, k_boxMask);
    AddFiltered(world, b2Vec2(19.0f, 10.0f), smallTriangle, k_smallGroup, k_triangleCategory, k_triangleMask);
    AddFiltered(world, b2Vec2(21.5f, 14.0f), smallCircle, k_smallGroup, k_circleCategory, k_circleMask);
}
