// Helpers shared by the scene document tests: golden files, captured standard output and a
// world holding every shape and joint kind.
#pragma once

#include "WorldDoc/WorldDoc.h"

#include <box2d/box2d.h>
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

inline std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

inline std::string Golden(const std::string& name)
{
    const std::string text = ReadFile(std::string(VEXA_SOURCE_DIR) + "/tests/WorldDoc/golden/" + name);
    EXPECT_FALSE(text.empty()) << "missing golden file " << name;
    return text;
}

// What `action` prints on standard output.
template <typename Action>
std::string Printed(Action action)
{
    testing::internal::CaptureStdout();
    action();
    return testing::internal::GetCapturedStdout();
}

// Reads `text` with `doc`, returning the world and (in `output`) what reading printed.
inline std::unique_ptr<b2World> ReadWorld(WorldDoc& doc, const std::string& text, std::string* output = nullptr)
{
    std::unique_ptr<b2World> world;
    std::string ignored;
    (output ? *output : ignored) = Printed([&] { world.reset(doc.readFromString(text)); });
    return world;
}

// The world of golden/every_kind.json: every body type, shape and joint kind (rope and gear
// included) with awkward values, read from a hand-written document.
inline std::unique_ptr<b2World> BuildEveryKindWorld()
{
    WorldDoc doc(false);
    std::string output;
    auto world = ReadWorld(doc, Golden("every_kind.json"), &output);
    EXPECT_EQ("Warning: world is set to use continuous physics.\n"
              "Warning: world is set to use sub stepping.\n"
              "Recreated behaviour may differ from original.\n",
              output);
    return world;
}
