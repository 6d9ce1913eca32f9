#include "WorldDoc/FileReplacement.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iostream>

namespace
{

// Creates a file of a name nobody else uses, next to `filename` (the same directory, so that the
// rename cannot cross file systems), with the permissions a new file normally gets. Empty when
// the directory does not take new files.
std::string CreateTemporaryBeside(const std::string& filename)
{
    const std::string stem = filename + ".tmp-" + std::to_string(getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        std::string candidate = stem + std::to_string(attempt);
        const int fd = open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0)
        {
            close(fd);
            return candidate;
        }
        if (errno != EEXIST)
        {
            break;
        }
    }
    return std::string();
}

}  // namespace

bool ReplaceFile(const std::string& filename, const std::string& contents)
{
    const std::string temporary = CreateTemporaryBeside(filename);
    if (temporary.empty())
    {
        std::cout << "Could not open file " << filename << " for writing" << std::endl;
        return false;
    }
    bool written = false;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
        out.close();
        written = !out.fail();
    }
    if (!written || std::rename(temporary.c_str(), filename.c_str()) != 0)
    {
        std::remove(temporary.c_str());
        std::cout << "Could not write file " << filename << "; the previous file is unchanged" << std::endl;
        return false;
    }
    return true;
}
