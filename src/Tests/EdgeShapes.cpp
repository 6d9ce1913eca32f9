#include "Tests/EdgeShapes.h"

#include "Tests/RandomNumbers.h"
#include "Tests/SceneParts.h"

#include <cmath>

EdgeShapes::EdgeShapes() : m_ray(b2Vec2(0.0f, 10.0f), 11.0f)
{
    b2Body* ground = CreateStaticBody(world);

    // Hills between heights 0 and 3, one edge per metre from x = -20 to 20.
    auto height = [](float x) { return 1.5f + 1.5f * std::cos(0.6f * x); };
    const float x0 = -20.0f;
    const int edgeCount = 40;
    for (int i = 0; i < edgeCount; ++i)
    {
        float x1 = x0 + i;
        float x2 = x1 + 1.0f;
        AddEdge(ground, b2Vec2(x1, height(x1)), b2Vec2(x2, height(x2)));
    }
}

b2Vec2 EdgeShapes::DropPosition()
{
    return b2Vec2(RandomFloat(-10.0f, 10.0f), RandomFloat(10.0f, 20.0f));
}

void EdgeShapes::Step(Settings* settings)
{
    StepWithRay(settings, m_ray);

    DrawLine("Press 1-5 to drop stuff");
}
