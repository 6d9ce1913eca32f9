#include "Tests/BulletTest.h"

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

BulletTest::BulletTest() : RelaunchingScene(90)
{
    CreateWalledGround();

    b2BodyDef bd;
    bd.type = b2_dynamicBody;
    bd.position = k_plankPosition;
    m_plank = world->CreateBody(&bd);
    b2PolygonShape plank;
    plank.SetAsBox(4.0f, 0.2f);
    m_plank->CreateFixture(&plank, 1.0f);

    bd.position.Set(0.0f, k_bulletHeight);
    bd.bullet = true;
    m_bullet = world->CreateBody(&bd);
    b2PolygonShape bullet;
    bullet.SetAsBox(0.5f, 0.5f);
    m_bullet->CreateFixture(&bullet, 100.0f);

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
    if (body == m_plank)
    {
        m_plank = nullptr;
    }
    if (body == m_bullet)
    {
        m_bullet = nullptr;
    }
}
