#include "Tests/VaryingRestitution.h"

#include "Tests/SceneParts.h"

const float VaryingRestitution::k_restitutions[k_ballCount] = {0.0f, 0.1f, 0.3f, 0.5f, 0.75f, 0.9f, 1.0f};

VaryingRestitution::VaryingRestitution()
{
    CreateGroundEdge(world, -40.0f, 40.0f);

    b2CircleShape ball;
    ball.m_radius = 1.0f;
    b2FixtureDef fd;
    fd.shape = &ball;
    fd.density = 1.0f;

    b2BodyDef bd;
    bd.type = b2_dynamicBody;
    for (int i = 0; i < k_ballCount; ++i)
    {
        bd.position.Set(-9.0f + 3.0f * i, 20.0f);
        b2Body* body = world->CreateBody(&bd);
        fd.restitution = k_restitutions[i];
        body->CreateFixture(&fd);
    }
}
