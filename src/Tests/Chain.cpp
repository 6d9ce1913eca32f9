#include "Tests/Chain.h"

#include "Tests/SceneParts.h"

Chain::Chain()
{
    b2Body* ground = SceneParts::CreateGroundEdge(world, -40.0f, 40.0f);

    // Starts out level from the pivot and swings down, its free end stopping above the ground.
    SceneParts::CreatePlankRow(world, ground, b2Vec2(0.0f, 40.0f), 30, 20.0f, SceneParts::HingeLink(world));
}

Test* Chain::Create()
{
    return new Chain;
}
