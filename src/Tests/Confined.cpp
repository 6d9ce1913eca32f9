#include "Tests/Confined.h"

#include "Tests/RandomNumbers.h"
#include "Tests/SceneParts.h"

namespace
{

const float k_radius = 0.5f;
const b2Vec2 k_lower(-10.0f, 0.0f);
const b2Vec2 k_upper(10.0f, 20.0f);

}  // namespace

b2AABB Confined::Interior()
{
    b2AABB box;
    box.lowerBound = k_lower;
    box.upperBound = k_upper;
    return box;
}

Confined::Confined()
{
    b2Body* ground = CreateStaticBody(world);
    const b2Vec2 corners[] = {k_lower, b2Vec2(k_upper.x, k_lower.y), k_upper, b2Vec2(k_lower.x, k_upper.y)};
    for (int i = 0; i < 4; ++i)
    {
        AddEdge(ground, corners[i], corners[(i + 1) % 4]);
    }

    // Five loose columns of ten, a little apart so they tumble as they settle.
    for (int column = 0; column < 5; ++column)
    {
        for (int row = 0; row < 10; ++row)
        {
            CreateCircle(b2Vec2(-6.0f + 3.0f * column + 0.1f * row, 1.0f + 1.5f * row));
        }
    }
}

void Confined::CreateCircle(const b2Vec2& position)
{
    CreateDynamicBody(world, position, MakeCircle(k_radius), 1.0f, 0.1f);
}

void Confined::Keyboard(unsigned char key)
{
    if (key == 'c')
    {
        // Anywhere the whole circle fits inside the box.
        CreateCircle(b2Vec2(RandomFloat(k_lower.x + k_radius, k_upper.x - k_radius),
                            RandomFloat(k_lower.y + k_radius, k_upper.y - k_radius)));
    }
}

void Confined::Step(Settings* settings)
{
    Test::Step(settings);
    DrawLine("Press 'c' to create a circle.");
}
