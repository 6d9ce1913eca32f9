#include "WorldDocTesting.h"

#include <fstream>
#include <sstream>

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

std::string Golden(const std::string& name)
{
    const std::string text = ReadFile(std::string(VEXA_SOURCE_DIR) + "/tests/WorldDoc/golden/" + name);
    EXPECT_FALSE(text.empty()) << "missing golden file " << name;
    return text;
}

std::unique_ptr<b2World> ReadWorld(WorldDoc& doc, const std::string& text, std::string* output)
{
    std::unique_ptr<b2World> world;
    const std::string printed = Printed([&] { world.reset(doc.readFromString(text)); });
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
