#include "store/heapahead.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

// Memory made ready on the other thread is the heap's own: blocks taken and written while
// it works keep what was written, and the heap stays usable afterwards.
TEST(HeapAheadTest, BlocksTakenMeanwhileKeepTheirContents)
{
    constexpr int kBlocks = 200000;
    std::vector<std::unique_ptr<char[]>> blocks;
    const auto check = [&blocks] {
        for (size_t i = 0; i < blocks.size(); ++i) {
            const char expected = char('a' + i % 26);
            for (int k = 0; k < 96; ++k)
                if (blocks[i][k] != expected)
                    return false;
        }
        return true;
    };
    {
        const HeapAhead ahead(size_t(32) << 20);
        for (int i = 0; i < kBlocks; ++i) {
            blocks.push_back(std::make_unique<char[]>(96));
            std::memset(blocks.back().get(), 'a' + i % 26, 96);
        }
        EXPECT_TRUE(check());
    }
    EXPECT_TRUE(check());
    blocks.resize(kBlocks / 2);
    for (int i = kBlocks / 2; i < kBlocks; ++i) {
        blocks.push_back(std::make_unique<char[]>(96));
        std::memset(blocks.back().get(), 'a' + i % 26, 96);
    }
    EXPECT_TRUE(check());
    const HeapAhead small(1000); // too little to be worth a thread: nothing happens
}
