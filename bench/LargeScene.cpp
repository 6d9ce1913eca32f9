#include "LargeScene.h"

#include "Physics/Create.h"
#include "Physics/Ghosts.h"
#include "Physics/JointKinds.h"

#include <random>

namespace
{

void AddFixtures(b2Body* body, int i)
{
    b2FixtureDef def;
    def.density = 1.0f;
    b2CircleShape circle;
    circle.m_radius = 0.5f;
    b2PolygonShape box;
    box.SetAsBox(0.6f, 0.4f, b2Vec2(0.3f, 0.2f), 0.3f);
    b2EdgeShape edge;
    edge.SetTwoSided(b2Vec2(-1.0f, -0.8f), b2Vec2(1.0f, -0.8f));
    const b2Vec2 points[] = {{-1.0f, 0.5f}, {-0.3f, 1.0f}, {0.4f, 0.6f}, {1.0f, 1.1f}};
    b2ChainShape chain;
    if (i % 8 == 3)
    {
        Physics::SetLoop(chain, points, 4);
    }
    else
    {
        Physics::SetChain(chain, points, 4);
    }
    const b2Shape* shapes[] = {&circle, &box, &edge, &chain};
    for (int k = 0; k < 2; ++k)
    {
        def.shape = shapes[(i + k * 3) % 4];
        body->CreateFixture(&def);
    }
}

void AddJoint(b2World* world, b2Body* a, b2Body* b, int i)
{
    const b2Vec2 middle = 0.5f * (a->GetPosition() + b->GetPosition());
    switch (i % 5)
    {
    case 0:
    {
        b2RevoluteJointDef def;
        def.Initialize(a, b, middle);
        Physics::CreateJoint(world, def);
        break;
    }
    case 1:
    {
        b2PrismaticJointDef def;
        def.Initialize(a, b, middle, b2Vec2(1.0f, 0.0f));
        Physics::CreateJoint(world, def);
        break;
    }
    case 2:
    {
        b2DistanceJointDef def;
        def.Initialize(a, b, a->GetPosition(), b->GetPosition());
        Physics::CreateJoint(world, def);
        break;
    }
    case 3:
    {
        b2WheelJointDef def;
        def.Initialize(a, b, b->GetPosition(), b2Vec2(0.0f, 1.0f));
        Physics::CreateJoint(world, def);
        break;
    }
    default:
    {
        Physics::RopeJointDef def;
        def.bodyA = a;
        def.bodyB = b;
        def.maxLength = k_largeSceneSpacing * 1.5f;
        Physics::CreateRopeJoint(world, def);
        break;
    }
    }
}

}  // namespace

std::vector<b2Body*> BuildLargeScene(b2World* world, int columns, int rows)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<float> jitter(-0.5f, 0.5f);
    std::vector<b2Body*> bodies;
    for (int i = 0; i < columns * rows; ++i)
    {
        b2BodyDef def;
        def.type = i % 3 == 0 ? b2_staticBody : b2_dynamicBody;
        def.position.Set((i % columns) * k_largeSceneSpacing + jitter(random),
                         (i / columns) * k_largeSceneSpacing + jitter(random));
        def.angle = jitter(random);
        // A few bodies are disabled, as a scene being built often has.
        def.enabled = i % 2000 != 17;
        bodies.push_back(world->CreateBody(&def));
        AddFixtures(bodies.back(), i);
    }
    const int pairsPerRow = columns / 2;
    for (int i = 0; i < columns * rows / 2; ++i)
    {
        const int a = (i % pairsPerRow) * 2 + (i / pairsPerRow) * columns;
        AddJoint(world, bodies[a], bodies[a + 1], i);
    }
    return bodies;
}
