// Starts the real shell once per test process (window, panel, first scene) in a scratch working
// directory, and lets tests call the window callbacks with chosen modifier keys held.
#pragma once

#include "Framework/Settings.h"
#include "Framework/Shell.h"

#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <string>

// The modifiers the callbacks will see, GLUT_ACTIVE_* bits.
void HoldModifiers(int modifiers);

// The scratch directory the shell runs in.
const std::string& ShellWorkingDirectory();

// A square body of half size `half` and density 1 centred on `position`.
inline b2Body* AddBox(b2World* world, b2BodyType type, const b2Vec2& position, float half)
{
    b2BodyDef bd;
    bd.type = type;
    bd.position = position;
    b2Body* body = world->CreateBody(&bd);
    b2PolygonShape shape;
    shape.SetAsBox(half, half);
    body->CreateFixture(&shape, 1.0f);
    return body;
}

class ShellTest : public ::testing::Test
{
protected:
    // Every test starts on registry row 0, unpaused, with the default view and settings.
    void SetUp() override;
    void TearDown() override { HoldModifiers(0); }

    // One frame of the display callback.
    void Frame() { SimulationLoop(); }
    // A key pressed and released, as a user types it: a key left held repeats in ImGui.
    void Press(unsigned char key)
    {
        Keyboard(key, 10, 10);
        KeyboardUp(key, 10, 10);
    }
    void PressSpecial(int key)
    {
        KeyboardSpecial(key, 10, 10);
        KeyboardSpecialUp(key, 10, 10);
    }
    void Click(int button, int state, int x, int y) { Mouse(button, state, x, y); }
    // Window pixel of a world point under the current view.
    void WorldToPixel(const b2Vec2& p, int& x, int& y);
};
