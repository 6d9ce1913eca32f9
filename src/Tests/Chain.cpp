#include "Tests/Chain.h"

#include "Tests/SceneParts.h"

Chain::Chain()
{
    b2Body* ground = CreateGroundEdge(world, -40.0f, 40.0f);

    // Starts out level from the pivot and swings down, its free end stopping above the ground.
    CreatePlankRow(world, ground, b2Vec2(0.0f, 40.0f), 30, 20.0f, HingeLink(world));
}
