#include "AddressSpaceLimit.h"

#include <cstdlib>
#include <fstream>
#include <sys/resource.h>

std::uint64_t ProcNumber(const char* file, const std::string& key)
{
    std::ifstream in(file);
    std::string word;
    while (in >> word) {
        if (word == key) {
            std::uint64_t value = 0;
            in >> value;
            return value;
        }
    }
    return 0;
}

void LimitAddressSpace(std::uint64_t headroom)
{
    const rlimit limit{ProcNumber("/proc/self/status", "VmSize:") * 1024 + headroom, RLIM_INFINITY};
    if (::setrlimit(RLIMIT_AS, &limit) != 0)
        std::_Exit(3);
}
