// A headless editor on a scene host of its own, for tests of the editor's model. The view shows
// 100 × 100 metres around the origin on 1000 × 1000 pixels (0.1 m per pixel), so bodies,
// fixtures and joints are picked within 3.2 m and vertices within 1.6 m.
#pragma once

#include "Editor/Editor.h"
#include "Framework/Test.h"
#include "Physics/Ghosts.h"
#include "Physics/Polygon.h"
#include "Physics/ShapeGeometry.h"
#include "WorldDoc/WorldDoc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

// A scene host and the objects a test builds in its world, for tests that need no editor.
struct SceneBuilder
{
    Test host;

    b2World* world() { return host.GetWorld(); }
    // The world as a scene file holds it: a refused action leaves this text as it was.
    std::string snapshot() { return WorldDoc(true).writeToString(world()); }
    // The body made last, which the library keeps first in its list.
    b2Body* newest() { return world()->GetBodyList(); }

    b2Body* addBody(b2Vec2 position, b2BodyType type = b2_dynamicBody, float angle = 0.0f)
    {
        b2BodyDef def;
        def.type = type;
        def.position = position;
        def.angle = angle;
        return world()->CreateBody(&def);
    }

    // The convex hull of `corners`, built as scene files build it.
    b2Fixture* addPolygon(b2Body* body, const std::vector<b2Vec2>& corners)
    {
        b2PolygonShape shape;
        Physics::SetPolygon(shape, corners.data(), static_cast<int>(corners.size()));
        return body->CreateFixture(&shape, 1.0f);
    }

    b2Fixture* addBox(b2Body* body, float halfWidth, float halfHeight, b2Vec2 centre = b2Vec2_zero)
    {
        b2PolygonShape box;
        box.SetAsBox(halfWidth, halfHeight, centre, 0.0f);
        return body->CreateFixture(&box, 1.0f);
    }

    b2Fixture* addCircle(b2Body* body, float radius, b2Vec2 centre = b2Vec2_zero)
    {
        b2CircleShape circle;
        circle.m_radius = radius;
        circle.m_p = centre;
        return body->CreateFixture(&circle, 1.0f);
    }

    b2Fixture* addEdge(b2Body* body, b2Vec2 a, b2Vec2 b)
    {
        b2EdgeShape edge;
        edge.SetTwoSided(a, b);
        return body->CreateFixture(&edge, 0.0f);
    }

    b2Fixture* addChain(b2Body* body, const std::vector<b2Vec2>& points, bool loop)
    {
        b2ChainShape chain;
        (loop ? Physics::SetLoop : Physics::SetChain)(chain, points.data(), static_cast<int>(points.size()));
        return body->CreateFixture(&chain, 0.0f);
    }

    b2Joint* addRevolute(b2Body* a, b2Body* b, b2Vec2 anchor)
    {
        b2RevoluteJointDef def;
        def.Initialize(a, b, anchor);
        return world()->CreateJoint(&def);
    }

    static std::set<b2Fixture*> fixturesOf(b2Body* body)
    {
        std::set<b2Fixture*> fixtures;
        for (b2Fixture* f = body->GetFixtureList(); f != nullptr; f = f->GetNext())
        {
            fixtures.insert(f);
        }
        return fixtures;
    }

    // The points of the fixture's shape in world coordinates.
    static std::vector<b2Vec2> worldPoints(const b2Fixture* fixture)
    {
        std::vector<b2Vec2> points = Physics::GetGeometry(fixture).points;
        for (b2Vec2& p : points)
        {
            p = fixture->GetBody()->GetWorldPoint(p);
        }
        return points;
    }

    // Whether the two lists hold the same points in some order, each within 1e-4 of its partner:
    // points the editor transforms come back with rounding errors.
    static bool samePoints(const std::vector<b2Vec2>& a, const std::vector<b2Vec2>& b)
    {
        return std::is_permutation(a.begin(), a.end(), b.begin(), b.end(),
                                   [](b2Vec2 p, b2Vec2 q) { return b2Distance(p, q) < 1e-4f; });
    }
};

struct EditorModelScene : SceneBuilder
{
    Editor editor{&host};

    EditorModelScene() { showView(1.0f); }

    // The newest message, or nothing.
    std::string lastMessage() const
    {
        return editor.messages().empty() ? std::string() : editor.messages().back().text;
    }
    const _controlState& state() const { return editor.controlState(); }

    // `scale` 2 shows twice as much of the world (zoomed out).
    void showView(float scale)
    {
        editor.setDisplayArea(b2Vec2(-50.0f * scale, -50.0f * scale), b2Vec2(50.0f * scale, 50.0f * scale), 1000, 1000);
    }

    void moveMouse(b2Vec2 p) { editor.handleMouseMove(b2Vec2(500.0f + 10.0f * p.x, 500.0f - 10.0f * p.y), p); }

    void click(int button, bool shift = false, bool ctrl = false)
    {
        editor.setSpecialKeyState(shift, false, ctrl);
        editor.handleMouseButtonDown(button);
        editor.setSpecialKeyState(false, false, false);
    }

    void clickAt(b2Vec2 p, int button = 0, bool shift = false, bool ctrl = false)
    {
        moveMouse(p);
        click(button, shift, ctrl);
    }

    void press(unsigned char key, bool shift = false, bool ctrl = false)
    {
        editor.setSpecialKeyState(shift, false, ctrl);
        editor.handleKeyDown(key);
        editor.handleKeyUp(key);
        editor.setSpecialKeyState(false, false, false);
    }

    void pressEach(const std::string& keys)
    {
        for (const char key : keys)
        {
            press(static_cast<unsigned char>(key));
        }
    }

    // Presses `keys` with the mouse at `from`, moves the mouse to `to` and presses `then`.
    void drag(const std::string& keys, b2Vec2 from, b2Vec2 to, const std::string& then = "")
    {
        moveMouse(from);
        pressEach(keys);
        moveMouse(to);
        pressEach(then);
    }

    // Body mode with exactly these bodies selected; with `fixtures`, their fixtures in fixture mode.
    void selectBodies(const std::vector<b2Body*>& bodies, bool fixtures = false)
    {
        editor.setEditMethod(EM_BODIES);
        for (size_t i = 0; i < bodies.size(); ++i)
        {
            clickAt(bodies[i]->GetPosition(), 0, i > 0);
        }
        ASSERT_EQ(state().selectedBodies, std::set<b2Body*>(bodies.begin(), bodies.end()));
        if (fixtures)
        {
            press('a');
            editor.setEditMethod(EM_FIXTURES);
        }
    }
};
