// Running the built programs from tests, and a scratch directory per test.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

struct ToolRun
{
    int status = -1;  // the exit status; -1 when the program did not exit normally
    std::string output;
    std::string errors;
};

inline std::string ReadTextFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteTextFile(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// A fresh directory under /tmp, removed with everything in it at the end of the test.
class ScratchDirectory
{
public:
    ScratchDirectory()
    {
        char pattern[] = "/tmp/vexa-tools-XXXXXX";
        if (mkdtemp(pattern) != nullptr)
        {
            m_path = pattern;
        }
    }
    ~ScratchDirectory()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    std::string file(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

// Runs `command` in the shell, with its standard output.
inline ToolRun RunCommand(const std::string& command)
{
    ToolRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
    {
        return run;
    }
    char buffer[4096];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof(buffer), pipe)) > 0)
    {
        run.output.append(buffer, n);
    }
    const int wait = pclose(pipe);
    run.status = WIFEXITED(wait) ? WEXITSTATUS(wait) : -1;
    return run;
}

// Runs the tool `name` of the build tree, each of `arguments` (no single quotes) as one argument.
inline ToolRun RunTool(const std::string& name, const std::vector<std::string>& arguments,
                       const ScratchDirectory& scratch)
{
    const std::string errorsFile = scratch.file("tool-errors.txt");
    std::string command = "'" + std::string(VEXA_BINARY_DIR) + "/" + name + "'";
    for (const std::string& argument : arguments)
    {
        command += " '" + argument + "'";
    }
    ToolRun run = RunCommand(command + " 2>'" + errorsFile + "'");
    run.errors = ReadTextFile(errorsFile);
    return run;
}
