// The mira command. It starts the tool proper, which lies beside it, with the heap on huge
// pages where the system gives them only on request: asked for here, before the tool and
// its libraries are loaded, the tool need not start itself a second time to get them.
#include "platform/hugepageheap.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

// Where the install put the tool, or else where the build did, from this program's own
// place (never from the environment). Empty when it is in neither.
std::string toolPath()
{
    char self[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0)
        return {};
    std::string dir(self, size_t(n));
    dir.erase(dir.rfind('/') + 1);
    for (const char *relative : {MIRA_TOOL_INSTALLED, MIRA_TOOL_BUILT}) {
        const std::string path = dir + relative;
        if (::access(path.c_str(), X_OK) == 0)
            return path;
    }
    return {};
}

} // namespace

int main(int, char **argv)
{
    const std::string tool = toolPath();
    if (tool.empty()) {
        std::fprintf(stderr, "mira: the program is not installed whole: %s is missing\n", MIRA_TOOL_INSTALLED);
        return 127;
    }
    AskHugePageHeapOfNextStart();
    ::execv(tool.c_str(), argv);
    std::fprintf(stderr, "mira: cannot start %s: %s\n", tool.c_str(), std::strerror(errno));
    return 127;
}
