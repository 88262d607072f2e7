#include "hugepageheap.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

constexpr const char *Tunable = "glibc.malloc.hugetlb";

// Whether huge pages are given to memory that asks for them, and only then.
bool hugePagesOnRequest()
{
    FILE *f = std::fopen("/sys/kernel/mm/transparent_hugepage/enabled", "re");
    if (!f)
        return false;
    char line[128] = {};
    const bool read = std::fgets(line, sizeof line, f) != nullptr;
    std::fclose(f);
    return read && std::strstr(line, "[madvise]") != nullptr;
}

} // namespace

void RestartWithHugePageHeap(char **argv)
{
    const char *tunables = std::getenv("GLIBC_TUNABLES");
    if ((tunables && std::strstr(tunables, Tunable)) || !hugePagesOnRequest())
        return;
    std::string value = std::string(Tunable) + "=1";
    if (tunables && *tunables)
        value = std::string(tunables) + ":" + value;
    // Set before the attempt, so a start that fails here is never tried again below.
    if (::setenv("GLIBC_TUNABLES", value.c_str(), 1) != 0)
        return;
    ::execv("/proc/self/exe", argv);
}
