#include "Tests/BulletTest.h"

#include "Tests/RandomNumbers.h"
#include "Tests/SceneBuilders.h"
#include "Tests/SceneParts.h"

namespace
{

const b2Vec2 k_plankPosition(0.0f, 8.0f);
const float k_bulletHeight = 20.0f;
const b2Vec2 k_bulletVelocity(0.0f, -100.0f);

}  // namespace

Test* BulletTest::Create()
{
    return new BulletTest;
}

BulletTest::BulletTest()
{
    CreateTargetGround();

    m_plank = SceneParts::CreateDynamicBody(world, k_plankPosition, MakeBox(4.0f, 0.2f), 1.0f);
    m_bullet = SceneParts::CreateDynamicBody(world, b2Vec2(0.0f, k_bulletHeight), MakeBox(0.25f, 0.25f), 100.0f);
    m_bullet->SetBullet(true);

    Relaunch();
}

void BulletTest::Launch()
{
    if (m_plank)
    {
        m_plank->SetTransform(k_plankPosition, 0.0f);
        m_plank->SetLinearVelocity(b2Vec2_zero);
        m_plank->SetAngularVelocity(0.0f);
    }
    if (m_bullet)
    {
        m_bullet->SetTransform(b2Vec2(RandomFloat(-2.0f, 2.0f), k_bulletHeight), 0.0f);
        m_bullet->SetLinearVelocity(k_bulletVelocity);
        m_bullet->SetAngularVelocity(0.0f);
    }
}

void BulletTest::BodyDestroyed(b2Body* body)
{
    ForgetIfDestroyed(m_plank, body);
    ForgetIfDestroyed(m_bullet, body);
}
