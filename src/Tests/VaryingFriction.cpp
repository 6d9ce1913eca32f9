#include "Tests/VaryingFriction.h"

#include "Tests/SceneParts.h"

#include <cmath>

namespace
{

constexpr float k_rampThickness = 0.5f;
constexpr float k_boxHalfSize = 0.5f;

// A static plank from `high` down to `low`.
void AddRamp(b2Body* ground, const b2Vec2& high, const b2Vec2& low)
{
    b2Vec2 along = low - high;
    b2PolygonShape ramp;
    ramp.SetAsBox(0.5f * along.Length(), 0.5f * k_rampThickness, 0.5f * (high + low),
                  std::atan2(along.y, along.x));
    ground->CreateFixture(&ramp, 0.0f);
}

}  // namespace

VaryingFriction::VaryingFriction()
{
    b2Body* ground = CreateGroundEdge(world, -40.0f, 40.0f);

    // Three ramps in a zigzag, all at the same slope, each catching what slides off the end
    // of the one above; walls keep sliding boxes from flying past the turns and off the
    // ground. Boxes whose mixed friction is below the slope's tangent slide.
    const float slope = 0.2f;
    const float run = 28.0f;
    const float drop = run * std::tan(slope);
    const b2Vec2 firstHigh(-20.0f, 28.0f);
    AddRamp(ground, firstHigh, firstHigh + b2Vec2(run, -drop));
    AddRamp(ground, b2Vec2(16.0f, 19.5f), b2Vec2(16.0f - run, 19.5f - drop));
    AddRamp(ground, b2Vec2(-20.0f, 11.0f), b2Vec2(-20.0f + run, 11.0f - drop));
    for (const b2Vec2& wallCenter : {b2Vec2(16.5f, 22.5f), b2Vec2(-20.5f, 14.0f), b2Vec2(16.5f, 3.0f),
                                       b2Vec2(-20.5f, 3.0f)})
    {
        b2PolygonShape wall;
        wall.SetAsBox(0.25f, 3.0f, wallCenter, 0.0f);
        ground->CreateFixture(&wall, 0.0f);
    }

    b2PolygonShape box = MakeBox(k_boxHalfSize, k_boxHalfSize);
    // Roughest at the top, so that the boxes that slide have a free way down.
    const float frictions[5] = {0.75f, 0.5f, 0.35f, 0.1f, 0.0f};
    const b2Vec2 downSlope(std::cos(slope), -std::sin(slope));
    const b2Vec2 up(std::sin(slope), std::cos(slope));
    for (int i = 0; i < 5; ++i)
    {
        b2Vec2 onRamp = firstHigh + (2.0f + 4.0f * i) * downSlope + (0.5f * k_rampThickness + k_boxHalfSize) * up;
        b2Body* body = CreateDynamicBody(world, onRamp, box, 25.0f, frictions[i]);
        body->SetTransform(onRamp, -slope);
    }
}
