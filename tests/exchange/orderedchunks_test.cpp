#include "exchange/orderedchunks.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <stdexcept>
#include <vector>

namespace {

QByteArray numbered(size_t index) { return QByteArray::number(qulonglong(index)) + '\n'; }

// Chunks numbered 0 to count - 1, each made of its number in its slot.
struct Numbered
{
    explicit Numbered(size_t count) : count(count), made(count) {}
    bool prepare(size_t slot)
    {
        if (next == count)
            return false;
        held[slot] = next++;
        return true;
    }
    size_t count;
    size_t next = 0;
    std::array<size_t, kChunkSlots> held{};
    std::vector<std::atomic<int>> made;
};

} // namespace

// Chunks made on either thread are written in order, each once, however many there are.
TEST(OrderedChunksTest, ChunksAreWrittenOnceInTheirOrder)
{
    for (const size_t count : {size_t(0), size_t(1), size_t(2), size_t(9), size_t(5000)}) {
        Numbered chunks(count);
        QByteArray out;
        MakeChunksInOrder([&](size_t slot) { return chunks.prepare(slot); },
                          [&](size_t slot, QByteArray &bytes) {
                              const size_t i = chunks.held[slot];
                              ++chunks.made[i];
                              bytes += numbered(i).repeated(int(i % 7)); // some chunks are empty
                              bytes += numbered(i);
                          },
                          [&](QByteArrayView chunk) { out += chunk; });
        QByteArray expected;
        for (size_t i = 0; i < count; ++i)
            expected += numbered(i).repeated(int(i % 7) + 1);
        EXPECT_EQ(out, expected) << count;
        for (size_t i = 0; i < count; ++i)
            ASSERT_EQ(chunks.made[i].load(), 1) << i;
    }
}

// A failure to set up, make or write a chunk is raised; nothing from the failed chunk on
// is written, and the work stops within the few chunks made ahead.
TEST(OrderedChunksTest, AFailureStopsTheWorkAndIsRaised)
{
    constexpr size_t kCount = 10000;
    for (const char *failing : {"prepare", "make", "write"}) {
        Numbered chunks(kCount);
        std::atomic<size_t> calls{0};
        QByteArray out;
        try {
            MakeChunksInOrder(
                [&](size_t slot) {
                    if (failing == std::string("prepare") && chunks.next == 40)
                        throw std::runtime_error(failing);
                    return chunks.prepare(slot);
                },
                [&](size_t slot, QByteArray &bytes) {
                    ++calls;
                    if (failing == std::string("make") && chunks.held[slot] == 40)
                        throw std::runtime_error(failing);
                    bytes = numbered(chunks.held[slot]);
                },
                [&](QByteArrayView chunk) {
                    if (failing == std::string("write") && chunk == "40\n")
                        throw std::runtime_error(failing);
                    out += chunk;
                });
            ADD_FAILURE() << failing << ": no failure raised";
        } catch (const std::runtime_error &e) {
            EXPECT_STREQ(e.what(), failing);
        }
        EXPECT_FALSE(out.contains("\n40\n")) << failing;
        EXPECT_FALSE(out.contains("\n41\n")) << failing;
        EXPECT_LT(calls.load(), size_t(40 + 2 * kChunkSlots)) << failing;
        if (failing == std::string("write")) {
            EXPECT_TRUE(out.endsWith("\n39\n")); // all before it were written
        }
    }
}
