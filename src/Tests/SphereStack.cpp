#include "Tests/SphereStack.h"

#include "Tests/SceneParts.h"

SphereStack::SphereStack()
{
    CreateGroundEdge(world, -40.0f, 40.0f);

    // Touching from the start and exactly aligned, the column stays up until disturbed.
    const float radius = 1.0f;
    const b2CircleShape ball = MakeCircle(radius);
    for (int i = 0; i < 10; ++i)
    {
        const b2Vec2 position(0.0f, radius + 2.0f * radius * static_cast<float>(i));
        CreateDynamicBody(world, position, ball, 1.0f);
    }
}
