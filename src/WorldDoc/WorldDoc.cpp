#include "WorldDoc/WorldDoc.h"

#include "WorldDoc/FileReplacement.h"
#include "WorldDoc/StyledText.h"

#include <fstream>
#include <iostream>
#include <sstream>

WorldDoc::WorldDoc(bool option) : m_option(option) {}

std::string WorldDoc::writeToString(b2World* world)
{
    if (!world)
    {
        return std::string();
    }
    try
    {
        StyledText text(StyledText::Layout::Writer);
        writeWorld(world, text);
        return text.take();
    }
    catch (const std::exception& e)
    {
        std::cout << "Could not write the scene: " << e.what() << std::endl;
        return std::string();
    }
}

bool WorldDoc::writeToFile(b2World* world, const char* filename)
{
    if (!world || !filename)
    {
        return false;
    }
    try
    {
        StyledText text(StyledText::Layout::StreamWriter);
        writeWorld(world, text);
        return ReplaceFile(filename, text.take());
    }
    catch (const std::exception& e)
    {
        std::cout << "Could not write file " << filename << ": " << e.what() << std::endl;
        return false;
    }
}

namespace
{

// Parses with comments kept (bodies carry a comment after their type). False, with the
// library's messages, when the text is not JSON.
bool Parse(const std::string& text, Json::Value& root, std::string& errors)
{
    Json::Reader reader;
    try
    {
        if (reader.parse(text, root, true))
        {
            return true;
        }
        errors = reader.getFormattedErrorMessages();
    }
    catch (const std::exception& e)
    {
        errors = std::string(e.what()) + '\n';
    }
    return false;
}

}  // namespace

b2World* WorldDoc::readFromFile(const char* filename)
{
    if (!filename)
    {
        return nullptr;
    }
    std::string text;
    {
        std::ifstream in(filename, std::ios::binary);
        if (!in)
        {
            std::cout << "Could not open file " << filename << " for reading" << std::endl;
            return nullptr;
        }
        std::ostringstream contents;
        contents << in.rdbuf();
        text = contents.str();
    }
    Json::Value root;
    std::string errors;
    if (!Parse(text, root, errors))
    {
        std::cout << "Failed to parse " << filename << '\n' << errors << std::flush;
        return nullptr;
    }
    return j2b2World(root);
}

b2World* WorldDoc::readFromString(const std::string& str)
{
    Json::Value root;
    std::string errors;
    if (!Parse(str, root, errors))
    {
        std::cout << "Failed to parse string\n" << errors << std::flush;
        return nullptr;
    }
    return j2b2World(root);
}
