// The restarted program hands the user's own environment on to what it starts.
#include "platform/hugepageheap.h"

#include <QByteArray>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

char programName[] = "mira";
char *noArguments[] = {programName, nullptr};

} // namespace

TEST(HugePageHeap, TheRestartedStartPutsTheEnvironmentBackAsItWas)
{
    // Set by the user before: their value again.
    ASSERT_EQ(::setenv("MIRABOOK_GLIBC_TUNABLES_WAS", "=glibc.malloc.check=3", 1), 0);
    ASSERT_EQ(::setenv("GLIBC_TUNABLES", "glibc.malloc.check=3:glibc.malloc.hugetlb=1", 1), 0);
    RestartWithHugePageHeap(noArguments); // returns: this is the restarted start
    EXPECT_EQ(qgetenv("GLIBC_TUNABLES"), "glibc.malloc.check=3");
    EXPECT_FALSE(qEnvironmentVariableIsSet("MIRABOOK_GLIBC_TUNABLES_WAS"));

    // Not set before: not set again.
    ASSERT_EQ(::setenv("MIRABOOK_GLIBC_TUNABLES_WAS", "-", 1), 0);
    ASSERT_EQ(::setenv("GLIBC_TUNABLES", "glibc.malloc.hugetlb=1", 1), 0);
    RestartWithHugePageHeap(noArguments);
    EXPECT_FALSE(qEnvironmentVariableIsSet("GLIBC_TUNABLES"));
    EXPECT_FALSE(qEnvironmentVariableIsSet("MIRABOOK_GLIBC_TUNABLES_WAS"));

    // A choice the user made already is theirs: no restart, nothing changed.
    ASSERT_EQ(::setenv("GLIBC_TUNABLES", "glibc.malloc.hugetlb=0", 1), 0);
    RestartWithHugePageHeap(noArguments);
    EXPECT_EQ(qgetenv("GLIBC_TUNABLES"), "glibc.malloc.hugetlb=0");
    ::unsetenv("GLIBC_TUNABLES");
}

TEST(HugePageHeap, TheNextStartIsAskedForHugePagesAndToldWhatWasBefore)
{
    ::unsetenv("MIRABOOK_GLIBC_TUNABLES_WAS");
    ASSERT_EQ(::setenv("GLIBC_TUNABLES", "glibc.malloc.check=3", 1), 0);
    if (!AskHugePageHeapOfNextStart()) {
        ::unsetenv("GLIBC_TUNABLES");
        GTEST_SKIP() << "this system gives huge pages always or never";
    }
    EXPECT_EQ(qgetenv("GLIBC_TUNABLES"), "glibc.malloc.check=3:glibc.malloc.hugetlb=1");
    EXPECT_EQ(qgetenv("MIRABOOK_GLIBC_TUNABLES_WAS"), "=glibc.malloc.check=3");
    // The tool's own first step puts it back.
    RestartWithHugePageHeap(noArguments);
    EXPECT_EQ(qgetenv("GLIBC_TUNABLES"), "glibc.malloc.check=3");
    EXPECT_FALSE(qEnvironmentVariableIsSet("MIRABOOK_GLIBC_TUNABLES_WAS"));
    ::unsetenv("GLIBC_TUNABLES");
}
