#include "Tests/BulletTest.h"

#include "Tests/RandomNumbers.h"
#include "Tests/SceneParts.h"

namespace
{

const b2Vec2 k_plankPosition(0.0f, 8.0f);
const float k_bulletHeight = 20.0f;
const b2Vec2 k_bulletVelocity(0.0f, -100.0f);

}  // namespace

BulletTest::BulletTest()
{
    CreateTargetAndPlank(k_plankPosition);
    m_bullet = CreateDynamicBody(world, b2Vec2(0.0f, k_bulletHeight), MakeBox(0.25f, 0.25f), 100.0f);
    m_bullet->SetBullet(true);
    Relaunch();
}

void BulletTest::Launch()
{
    PutBack(m_plank, k_plankPosition, b2Vec2_zero, 0.0f);
    PutBack(m_bullet, b2Vec2(RandomFloat(-2.0f, 2.0f), k_bulletHeight), k_bulletVelocity, 0.0f);
}

void BulletTest::BodyDestroyed(b2Body* body)
{
    RelaunchingScene::BodyDestroyed(body);
    ForgetIfDestroyed(m_bullet, body);
}
