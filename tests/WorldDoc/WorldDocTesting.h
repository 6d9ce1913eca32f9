// Helpers shared by the scene document tests: golden files, captured standard output and a
// world holding every shape and joint kind.
#pragma once

#include "WorldDoc/WorldDoc.h"

#include <box2d/box2d.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

std::string ReadFile(const std::string& path);
std::string Golden(const std::string& name);

// What `action` prints on standard output.
template <typename Action>
std::string Printed(Action action)
{
    testing::internal::CaptureStdout();
    action();
    return testing::internal::GetCapturedStdout();
}

// Reads `text` with `doc`, returning the world and (in `output`) what reading printed.
std::unique_ptr<b2World> ReadWorld(WorldDoc& doc, const std::string& text, std::string* output = nullptr);

// Writes `world` with a fresh document (no names) as the string form.
std::string WriteWorld(b2World* world);

// The world of golden/every_kind.json: every body type, shape and joint kind (rope and gear
// included) with awkward values, read from a hand-written document.
std::unique_ptr<b2World> BuildEveryKindWorld();
