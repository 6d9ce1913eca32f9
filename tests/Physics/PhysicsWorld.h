// A small world for the physics layer's tests: a static ground body with a long floor and two
// dynamic unit boxes side by side above it, and shapes the library cannot give a mass to.
#pragma once

#include <box2d/box2d.h>

#include <functional>
#include <limits>
#include <utility>

// Values the library asserts on wherever it checks that a float is valid.
const float k_nan = std::numeric_limits<float>::quiet_NaN();
const float k_infinity = std::numeric_limits<float>::infinity();

// A small circle far from the body origin: alone on a dynamic body, its inertia about the
// centre of mass rounds away in single precision, which the library asserts on.
inline b2CircleShape FarSmallCircle(float distance = 1000.0f)
{
    b2CircleShape circle;
    circle.m_radius = 0.01f;
    circle.m_p.Set(distance, 0.3f * distance);
    return circle;
}

struct PhysicsWorld
{
    b2World world{b2Vec2(0.0f, -10.0f)};
    b2Body* ground = nullptr;
    b2Body* a = nullptr;
    b2Body* b = nullptr;

    PhysicsWorld()
    {
        b2BodyDef def;
        ground = world.CreateBody(&def);
        b2EdgeShape floor;
        floor.SetTwoSided(b2Vec2(-50.0f, 0.0f), b2Vec2(50.0f, 0.0f));
        ground->CreateFixture(&floor, 0.0f);
        a = AddBox(b2Vec2(0.0f, 5.0f));
        b = AddBox(b2Vec2(3.0f, 5.0f));
    }

    b2Body* AddBody(b2BodyType type, const b2Vec2& position = b2Vec2_zero)
    {
        b2BodyDef def;
        def.type = type;
        def.position = position;
        return world.CreateBody(&def);
    }

    b2Body* AddBox(const b2Vec2& position)
    {
        b2Body* body = AddBody(b2_dynamicBody, position);
        b2PolygonShape box;
        box.SetAsBox(0.5f, 0.5f);
        body->CreateFixture(&box, 1.0f);
        return body;
    }

    void Step(int steps = 1)
    {
        for (int i = 0; i < steps; ++i)
        {
            world.Step(1.0f / 60.0f, 8, 3);
        }
    }

    // Runs `action` once while the world is locked, from the first contact that begins within
    // the next ten seconds; false if none does.
    bool WhileLocked(std::function<void()> action)
    {
        struct Listener : b2ContactListener
        {
            std::function<void()> action;
            void BeginContact(b2Contact*) override
            {
                if (action)
                {
                    std::exchange(action, nullptr)();
                }
            }
        } listener;
        listener.action = std::move(action);
        world.SetContactListener(&listener);
        for (int i = 0; i < 600 && listener.action; ++i)
        {
            Step();
        }
        world.SetContactListener(nullptr);
        return !listener.action;
    }
};
