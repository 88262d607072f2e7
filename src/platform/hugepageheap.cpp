#include "hugepageheap.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

constexpr const char *Tunable = "glibc.malloc.hugetlb";
constexpr const char *TunablesVariable = "GLIBC_TUNABLES";
// What GLIBC_TUNABLES was before the restart: "-" for not set, else "=" and its value.
constexpr const char *WasVariable = "MIRABOOK_GLIBC_TUNABLES_WAS";

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

// The programs the user starts from here (a browser, a mail client, tools) get the
// environment as it was: the choice is this program's own.
void restoreEnvironment(const char *was)
{
    if (was[0] == '=')
        ::setenv(TunablesVariable, was + 1, 1);
    else
        ::unsetenv(TunablesVariable);
    ::unsetenv(WasVariable);
}

} // namespace

bool AskHugePageHeapOfNextStart()
{
    const char *tunables = std::getenv(TunablesVariable);
    if ((tunables && std::strstr(tunables, Tunable)) || !hugePagesOnRequest())
        return false;
    const std::string before = tunables ? std::string("=") + tunables : std::string("-");
    std::string value = std::string(Tunable) + "=1";
    if (tunables && *tunables)
        value = std::string(tunables) + ":" + value;
    if (::setenv(WasVariable, before.c_str(), 1) != 0 || ::setenv(TunablesVariable, value.c_str(), 1) != 0) {
        restoreEnvironment(before.c_str());
        return false;
    }
    return true;
}

void RestartWithHugePageHeap(char **argv)
{
    if (const char *was = std::getenv(WasVariable)) {
        const std::string copy = was; // setenv below may free the string was points to
        restoreEnvironment(copy.c_str());
        return;
    }
    if (!AskHugePageHeapOfNextStart())
        return;
    ::execv("/proc/self/exe", argv);
    // No new start: on as started.
    const std::string copy = std::getenv(WasVariable);
    restoreEnvironment(copy.c_str());
}
