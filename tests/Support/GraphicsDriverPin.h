// Mesa's software renderer unloads its driver before the leak check, leaving its one-time
// allocations without a module name to suppress. Pinning the driver keeps its name in the reports,
// so tests/lsan.supp can leave them out while every leak of ours is still reported.
#pragma once

#include <dlfcn.h>
#include <link.h>

#include <cstring>
#include <string>
#include <vector>

// Call after the first OpenGL context exists.
inline void PinGraphicsDriver()
{
    std::vector<std::string> drivers;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
            if (info->dlpi_name != nullptr && std::strstr(info->dlpi_name, "_dri.so") != nullptr)
            {
                static_cast<std::vector<std::string>*>(data)->push_back(info->dlpi_name);
            }
            return 0;
        },
        &drivers);
    for (const std::string& driver : drivers)
    {
        dlopen(driver.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    }
}
