#include "Tests/RelaunchingScene.h"

#include "Tests/CollisionCounters.h"
#include "Tests/SceneParts.h"

namespace
{

float Average(int total, int count)
{
    return count > 0 ? static_cast<float>(total) / count : 0.0f;
}

}  // namespace

void RelaunchingScene::Relaunch()
{
    ResetCollisionCounters();
    Launch();
}

void RelaunchingScene::CreateTargetAndPlank(const b2Vec2& plankPosition)
{
    b2Body* ground = CreateGroundEdge(world, -40.0f, 40.0f);
    b2PolygonShape wall;
    wall.SetAsBox(0.4f, 2.0f, b2Vec2(1.0f, 2.0f), 0.0f);
    ground->CreateFixture(&wall, 0.0f);
    m_plank = CreateDynamicBody(world, plankPosition, MakeBox(4.0f, 0.2f), 1.0f);
}

void RelaunchingScene::PutBack(b2Body* body, const b2Vec2& position, const b2Vec2& velocity, float angularVelocity)
{
    if (body != nullptr)
    {
        body->SetTransform(position, 0.0f);
        body->SetLinearVelocity(velocity);
        body->SetAngularVelocity(angularVelocity);
    }
}

void RelaunchingScene::BodyDestroyed(b2Body* body)
{
    ForgetIfDestroyed(m_plank, body);
}

void RelaunchingScene::Step(Settings* settings)
{
    int stepsBefore = stepCount;
    Test::Step(settings);

    CollisionCounters c = ReadCollisionCounters();
    DrawLine("gjk calls = %d, ave gjk iters = %3.1f, max gjk iters = %d", c.gjkCalls,
             Average(c.gjkIters, c.gjkCalls), c.gjkMaxIters);
    DrawLine("toi calls = %d, ave toi iters = %3.1f, max toi iters = %d", c.toiCalls,
             Average(c.toiIters, c.toiCalls), c.toiMaxIters);
    DrawLine("ave toi root iters = %3.1f, max toi root iters = %d", Average(c.toiRootIters, c.toiCalls),
             c.toiMaxRootIters);

    if (stepCount != stepsBefore && stepCount % k_relaunchPeriod == 0)
    {
        Relaunch();
    }
}
