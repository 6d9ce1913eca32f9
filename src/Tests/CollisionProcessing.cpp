#include "Tests/CollisionProcessing.h"

#include "Tests/RandomNumbers.h"
#include "Tests/SceneParts.h"

#include <algorithm>
#include <vector>

namespace
{

// Bodies destroyed after one step at most.
constexpr size_t k_maxDestroyedPerStep = 6;

}  // namespace

CollisionProcessing::CollisionProcessing()
{
    CreateGroundEdge(world, -50.0f, 50.0f);

    b2PolygonShape smallTriangle = MakeTriangle(1.0f, 2.0f);
    b2PolygonShape largeTriangle = MakeTriangle(2.0f, 4.0f);
    b2PolygonShape smallBox = MakeBox(1.0f, 0.5f);
    b2PolygonShape largeBox = MakeBox(2.0f, 1.0f);
    b2CircleShape smallCircle = MakeCircle(1.0f);
    b2CircleShape largeCircle = MakeCircle(2.0f);

    for (const b2Shape* shape : std::initializer_list<const b2Shape*>{
             &smallTriangle, &largeTriangle, &smallBox, &largeBox, &smallCircle, &largeCircle})
    {
        b2Vec2 position(RandomFloat(-5.0f, 5.0f), RandomFloat(2.0f, 35.0f));
        CreateDynamicBody(world, position, *shape, 1.0f);
    }
}

void CollisionProcessing::Step(Settings* settings)
{
    Test::Step(settings);
    DestroyLighterOfTouchingPairs();
}

void CollisionProcessing::DestroyLighterOfTouchingPairs()
{
    std::vector<b2Body*> doomed;
    for (int i = 0; i < pointCount && doomed.size() < k_maxDestroyedPerStep; ++i)
    {
        b2Body* body1 = points[i].fixtureA->GetBody();
        b2Body* body2 = points[i].fixtureB->GetBody();
        float mass1 = body1->GetMass();
        float mass2 = body2->GetMass();
        if (mass1 > 0.0f && mass2 > 0.0f)
        {
            doomed.push_back(mass2 > mass1 ? body1 : body2);
        }
    }

    // A body touching several others is marked once per contact point.
    std::sort(doomed.begin(), doomed.end());
    doomed.erase(std::unique(doomed.begin(), doomed.end()), doomed.end());
    for (b2Body* body : doomed)
    {
        if (body != bomb)
        {
            DestroyBody(body);
        }
    }
}
