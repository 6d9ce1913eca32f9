#include "WorldDocTesting.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

std::string GoldenPath(const std::string& name)
{
    return std::string(VEXA_SOURCE_DIR) + "/tests/WorldDoc/golden/" + name;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

std::string Golden(const std::string& name)
{
    const std::string text = ReadFile(GoldenPath(name));
    EXPECT_FALSE(text.empty()) << "missing golden file " << name;
    return text;
}

CapturedOutput::CapturedOutput() : m_capturing(true)
{
    testing::internal::CaptureStdout();
}

CapturedOutput::~CapturedOutput()
{
    if (m_capturing)
    {
        text();
    }
}

std::string CapturedOutput::text()
{
    m_capturing = false;
    return testing::internal::GetCapturedStdout();
}

std::unique_ptr<b2World> ReadWorld(WorldDoc& doc, const std::string& text, std::string* output)
{
    CapturedOutput captured;
    std::unique_ptr<b2World> world(doc.readFromString(text));
    const std::string printed = captured.text();
    if (output)
    {
        *output = printed;
    }
    return world;
}

std::string WriteWorld(b2World* world)
{
    WorldDoc doc(true);
    return doc.writeToString(world);
}

std::unique_ptr<b2World> BuildEveryKindWorld()
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

