#include "Tests/VerticalStack.h"

#include "Tests/SceneParts.h"

VerticalStack::VerticalStack()
{
    b2Body* ground = CreateGroundEdge(world, -40.0f, 40.0f);
    AddEdge(ground, b2Vec2(20.0f, 0.0f), b2Vec2(20.0f, 20.0f));

    const float columnX[5] = {0.0f, 3.0f, 6.0f, 9.0f, 12.0f};
    for (float x : columnX)
    {
        StackBoxes(world, x, 0.0f, 10, 0.5f, 1.0f, 0.3f);
    }
}

void VerticalStack::Step(Settings* settings)
{
    Test::Step(settings);
    DrawLine("Press: (,) to launch a bullet.");
}

void VerticalStack::Keyboard(unsigned char key)
{
    if (key == ',')
    {
        LaunchBullet();
    }
}

void VerticalStack::LaunchBullet()
{
    DestroyBody(m_bullet);

    b2BodyDef bd;
    bd.type = b2_dynamicBody;
    bd.bullet = true;
    bd.position.Set(-31.0f, 5.0f);
    m_bullet = world->CreateBody(&bd);

    b2FixtureDef fd;
    const b2CircleShape circle = MakeCircle(0.25f);
    fd.shape = &circle;
    fd.density = 20.0f;
    fd.restitution = 0.05f;
    m_bullet->CreateFixture(&fd);

    m_bullet->SetLinearVelocity(b2Vec2(400.0f, 0.0f));
}

void VerticalStack::BodyDestroyed(b2Body* body)
{
    ForgetIfDestroyed(m_bullet, body);
}
