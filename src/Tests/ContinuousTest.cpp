#include "Tests/ContinuousTest.h"

#include "Tests/SceneParts.h"

namespace
{

const b2Vec2 k_launchPosition(0.0f, 20.0f);
const b2Vec2 k_launchVelocity(0.0f, -100.0f);

}  // namespace

Test* ContinuousTest::Create()
{
    return new ContinuousTest;
}

ContinuousTest::ContinuousTest() : RelaunchingScene(90)
{
    CreateWalledGround();

    b2BodyDef bd;
    bd.type = b2_dynamicBody;
    bd.position = k_launchPosition;
    m_plank = world->CreateBody(&bd);
    b2PolygonShape plank;
    plank.SetAsBox(4.0f, 0.2f);
    m_plank->CreateFixture(&plank, 1.0f);

    Relaunch();
}

void ContinuousTest::Launch()
{
    if (m_plank)
    {
        m_plank->SetTransform(k_launchPosition, 0.0f);
        m_plank->SetLinearVelocity(k_launchVelocity);
        m_plank->SetAngularVelocity(RandomFloat(-50.0f, 50.0f));
    }
}

void ContinuousTest::BodyDestroyed(b2Body* body)
{
    if (body == m_plank)
    {
        m_plank = nullptr;
    }
}
