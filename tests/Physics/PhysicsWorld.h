// A small world for the physics layer's tests: a static ground body with a long floor and two
// dynamic unit boxes side by side above it, joints of every kind between them, and shapes the
// library cannot give a mass to.
#pragma once

#include "Physics/Create.h"
#include "Physics/Ghosts.h"
#include "Physics/JointKinds.h"

#include <box2d/box2d.h>
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <map>
#include <utility>
#include <vector>

using Points = std::vector<b2Vec2>;

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

// A box 0.2 m wide and 1e-7 m high: too thin for the library to compute a mass from.
inline b2PolygonShape ThinSliver()
{
    b2PolygonShape sliver;
    sliver.SetAsBox(0.1f, 1.0f);
    sliver.m_vertices[2].y = sliver.m_vertices[3].y = -1.0f + 1e-7f;
    return sliver;
}

// Through the guarded creation, with user data that must not be taken for a record of flags.
inline b2Fixture* AddShape(b2Body* body, const b2Shape& shape, float density = 0.0f)
{
    b2FixtureDef def;
    def.shape = &shape;
    def.density = density;
    def.userData.pointer = 6;
    return Physics::CreateFixture(body, def);
}

inline b2Fixture* AddChain(b2Body* body, const Points& points, bool loop = false)
{
    b2ChainShape chain;
    const int count = static_cast<int>(points.size());
    EXPECT_TRUE(loop ? Physics::SetLoop(chain, points.data(), count) : Physics::SetChain(chain, points.data(), count));
    return AddShape(body, chain);
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

    // One joint of each kind between boxes a and b, anchored between them at (1.5, 5) where the
    // kind has an anchor; the mouse joint pulls box b from the ground.
    std::map<b2JointType, b2Joint*> JoinBoxes()
    {
        const b2Vec2 anchor(1.5f, 5.0f);
        b2RevoluteJointDef revolute;
        revolute.Initialize(a, b, anchor);
        b2PrismaticJointDef prismatic;
        prismatic.Initialize(a, b, anchor, b2Vec2(1, 0));
        b2WheelJointDef wheel;
        wheel.Initialize(a, b, anchor, b2Vec2(0, 1));
        b2DistanceJointDef distance;
        distance.Initialize(a, b, a->GetPosition(), b->GetPosition());
        b2WeldJointDef weld;
        weld.Initialize(a, b, anchor);
        b2MouseJointDef mouse;
        mouse.bodyA = ground;
        mouse.bodyB = b;
        mouse.target = b->GetPosition();
        std::map<b2JointType, b2Joint*> joints;
        for (const b2JointDef* def :
             std::initializer_list<const b2JointDef*>{&revolute, &prismatic, &wheel, &distance, &weld, &mouse})
        {
            joints[def->type] = Physics::CreateJoint(&world, *def);
        }
        joints[e_ropeJoint] = Physics::CreateRopeJoint(&world, {a, b, b2Vec2_zero, b2Vec2_zero, 4.0f});
        return joints;
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
