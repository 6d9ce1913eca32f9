#include "Support/GraphicsDriverPin.h"

#include <dlfcn.h>
#include <link.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{

int CollectDriver(dl_phdr_info* info, size_t, void* data)
{
    if (info->dlpi_name != nullptr && std::strstr(info->dlpi_name, "_dri.so") != nullptr)
    {
        static_cast<std::vector<std::string>*>(data)->push_back(info->dlpi_name);
    }
    return 0;
}

}  // namespace

void PinGraphicsDriver()
{
    std::vector<std::string> drivers;
    dl_iterate_phdr(CollectDriver, &drivers);
    for (const std::string& driver : drivers)
    {
        dlopen(driver.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    }
}
