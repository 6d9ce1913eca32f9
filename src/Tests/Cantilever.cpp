#include "Tests/Cantilever.h"

#include "Physics/Create.h"
#include "Physics/Springs.h"
#include "Tests/SceneParts.h"

Cantilever::Cantilever()
{
    b2Body* ground = CreateGroundEdge(world, -40.0f, 40.0f);

    AddWeldedRow(ground, nullptr, b2Vec2(-36.0f, 6.0f), 8, 0.0f);
    AddWeldedRow(ground, nullptr, b2Vec2(-24.0f, 16.0f), 4, 10.0f);
    AddWeldedRow(ground, ground, b2Vec2(-12.0f, 10.0f), 12, 0.0f);
    AddWeldedRow(ground, ground, b2Vec2(6.0f, 10.0f), 16, 8.0f);
    AddWeldedRow(nullptr, nullptr, b2Vec2(28.0f, 24.0f), 6, 0.0f);

    b2PolygonShape triangle = MakeTriangle(0.5f, 1.0f);
    b2CircleShape circle = MakeCircle(0.5f);
    for (int i = 0; i < 2; ++i)
    {
        CreateDynamicBody(world, b2Vec2(-9.0f + 6.0f * i, 16.0f), triangle, 1.0f);
        CreateDynamicBody(world, b2Vec2(10.0f + 8.0f * i, 16.0f), circle, 1.0f);
    }
}

void Cantilever::AddWeldedRow(b2Body* start, b2Body* end, const b2Vec2& leftEnd, int count, float frequencyHz)
{
    auto weld = [this, frequencyHz](b2Body* a, b2Body* b, const b2Vec2& anchor) {
        b2WeldJointDef jd;
        jd.Initialize(a, b, anchor);
        b2Joint* joint = Physics::CreateJoint(world, jd);
        if (frequencyHz > 0.0f)
        {
            const float dampingRatio = 0.7f;
            Physics::SetSpring(joint, frequencyHz, dampingRatio);
        }
    };
    b2Body* last = CreatePlankRow(world, start, leftEnd, count, 20.0f, weld);
    if (end != nullptr)
    {
        weld(last, end, leftEnd + b2Vec2(static_cast<float>(count), 0.0f));
    }
}
