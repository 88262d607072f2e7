#include "exchange/orderedchunks.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace {
QByteArray numbered(size_t index) { return QByteArray::number(qulonglong(index)) + '\n'; }
} // namespace

// Chunks made on either thread are written in order, each once, however many there are.
TEST(OrderedChunksTest, ChunksAreWrittenOnceInTheirOrder)
{
    for (const size_t count : {size_t(0), size_t(1), size_t(2), size_t(9), size_t(5000)}) {
        std::vector<std::atomic<int>> made(count);
        QByteArray out;
        MakeChunksInOrder(
            count,
            [&](size_t i, QByteArray &bytes) {
                ++made[i];
                bytes += numbered(i).repeated(int(i % 7)); // some chunks are empty
                bytes += numbered(i);
            },
            [&](QByteArrayView chunk) { out += chunk; });
        QByteArray expected;
        for (size_t i = 0; i < count; ++i)
            expected += numbered(i).repeated(int(i % 7) + 1);
        EXPECT_EQ(out, expected) << count;
        for (size_t i = 0; i < count; ++i)
            ASSERT_EQ(made[i].load(), 1) << i;
    }
}

// A failure to make a chunk or to write one is raised; nothing from the failed chunk on is
// written, and the work stops within the few chunks made ahead.
TEST(OrderedChunksTest, AFailureStopsTheWorkAndIsRaised)
{
    constexpr size_t kCount = 10000;
    QByteArray out;
    std::atomic<size_t> calls{0};
    const auto make = [&](size_t i, QByteArray &bytes) {
        ++calls;
        if (i == 40)
            throw std::runtime_error("make 40");
        bytes = numbered(i);
    };
    EXPECT_THROW(MakeChunksInOrder(kCount, make, [&](QByteArrayView chunk) { out += chunk; }), std::runtime_error);
    EXPECT_FALSE(out.contains("\n40\n"));
    EXPECT_FALSE(out.contains("\n41\n"));
    EXPECT_LT(calls.load(), size_t(100));

    out.clear();
    calls = 0;
    int writes = 0;
    try {
        MakeChunksInOrder(kCount, [&](size_t i, QByteArray &bytes) { ++calls; bytes = numbered(i); },
                          [&](QByteArrayView chunk) {
                              if (++writes == 3)
                                  throw std::runtime_error("disk full");
                              out += chunk;
                          });
        ADD_FAILURE() << "no failure raised";
    } catch (const std::runtime_error &e) {
        EXPECT_STREQ(e.what(), "disk full");
    }
    EXPECT_EQ(out, "0\n1\n");
    EXPECT_LT(calls.load(), size_t(100));
}
