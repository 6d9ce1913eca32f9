// Drives a scene the way the frame loop does, and finds objects of its world without knowing
// the scene's internals. The suite opens one window first: scenes draw through OpenGL and the
// bitmap font every step (it runs under a virtual display, xvfb-run -a). It runs in data/, where
// the first scene finds the default scene file; no test writes files.
#pragma once

#include "Framework/Settings.h"
#include "Framework/Test.h"

#include <functional>
#include <ostream>
#include <string>
#include <vector>

// Readable vectors in assertion messages.
inline void PrintTo(const b2Vec2& v, std::ostream* os)
{
    *os << "(" << v.x << ", " << v.y << ")";
}

// Settings for tests that watch the physics rather than the picture: shapes and joints are not
// drawn (the overlay text still is), which keeps long runs cheap.
Settings UndrawnSettings();

// One frame: the text line reset, then the scene's Step. Without settings, undrawn ones.
void StepFrame(Test& test, Settings* settings = nullptr);

// A key press and release, as the window delivers them, `times` times over.
void PressKey(Test& test, unsigned char key, int times = 1);

// `frames` frames; every 10th frame presses the next key of `keys` (cycling) and releases it
// five frames later, so every key is held for a while. Without settings, undrawn ones.
void RunFrames(Test& test, int frames, const std::string& keys = "", Settings* settings = nullptr);

// The bodies, joints or fixtures of a world that `keep` accepts (all of them without it), newest first.
std::vector<b2Body*> Bodies(b2World* world, const std::function<bool(b2Body*)>& keep = nullptr);
std::vector<b2Joint*> Joints(b2World* world, const std::function<bool(b2Joint*)>& keep = nullptr);
std::vector<b2Fixture*> Fixtures(b2World* world, const std::function<bool(b2Fixture*)>& keep = nullptr);
// Joints of a kind as the editor names them (ropes included).
std::vector<b2Joint*> JointsOfType(b2World* world, b2JointType type);
std::vector<b2Body*> DynamicBodies(b2World* world);
