#include "Tests/Dominos.h"

#include "Tests/SceneParts.h"

namespace
{

// A row of upright dominoes standing on y = baseY.
void CreateDominoRow(b2World* world, float firstX, int count, float baseY)
{
    const float spacing = 1.5f;
    const float halfHeight = 1.0f;
    const b2PolygonShape domino = MakeBox(0.1f, halfHeight);
    for (int i = 0; i < count; ++i)
    {
        const b2Vec2 position(firstX + spacing * static_cast<float>(i), baseY + halfHeight);
        CreateDynamicBody(world, position, domino, 20.0f, 0.1f);
    }
}

}  // namespace

Dominos::Dominos()
{
    b2Body* ground = CreateGroundEdge(world, -40.0f, 40.0f);

    // A pendulum swings down from the left into the first domino on the shelf.
    const b2PolygonShape shelf = MakeBox(10.0f, 0.25f);
    CreateStaticBody(world, b2Vec2(-10.0f, 20.0f))->CreateFixture(&shelf, 0.0f);
    CreateDominoRow(world, -18.5f, 12, 20.25f);

    const b2Vec2 pendulumPivot(-20.0f, 29.5f);
    b2Body* hammer =
        CreateDynamicBody(world, pendulumPivot + b2Vec2(-7.0f, 0.0f), MakeCircle(0.75f), 10.0f);
    b2RevoluteJointDef pendulum;
    pendulum.Initialize(ground, hammer, pendulumPivot);
    world->CreateJoint(&pendulum);

    // The last domino pushes a ball off the shelf; it rolls down a ramp and jumps into the
    // second row.
    CreateDynamicBody(world, b2Vec2(-0.8f, 20.75f), MakeCircle(0.5f), 10.0f);
    b2Body* ramp = CreateStaticBody(world);
    AddEdge(ramp, b2Vec2(0.5f, 16.0f), b2Vec2(10.0f, 4.0f));
    AddEdge(ramp, b2Vec2(10.0f, 4.0f), b2Vec2(16.0f, 2.5f));
    CreateDominoRow(world, 20.0f, 8, 0.0f);

    // The last domino of that row lands on the raised end of a see-saw and lifts the light box
    // on its other end.
    CreateSeesaw(world, ground, b2Vec2(35.0f, 1.2f), 4.0f, 0.2f, 1.0f, 10.0f);
    CreateDynamicBody(world, b2Vec2(38.0f, 2.0f), MakeBox(0.5f, 0.5f), 0.25f);
}
