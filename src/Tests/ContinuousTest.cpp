#include "Tests/ContinuousTest.h"

#include "Tests/RandomNumbers.h"
#include "Tests/SceneBuilders.h"
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

ContinuousTest::ContinuousTest()
{
    CreateTargetGround();

    m_plank = SceneParts::CreateDynamicBody(world, k_launchPosition, MakeBox(4.0f, 0.2f), 1.0f);

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
    ForgetIfDestroyed(m_plank, body);
}
