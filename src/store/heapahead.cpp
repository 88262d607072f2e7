#include "heapahead.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <system_error>
#include <thread>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#if !defined(MADV_POPULATE_WRITE)
#define MADV_POPULATE_WRITE 23
#endif
#endif

struct HeapAhead::Work
{
    std::atomic<bool> stop{false};
    std::thread thread;
};

#if defined(__GLIBC__)
namespace {

// Less than this the load makes ready itself soon enough.
constexpr size_t kWorthIt = size_t(16) << 20;
// Made ready a piece at a time, so stopping never waits long.
constexpr size_t kPiece = size_t(2) << 20;
// The allocator's own margin above the heap, as it is by default.
constexpr int kDefaultTopPad = 128 * 1024;

char *heapEnd() { return static_cast<char *>(sbrk(0)); }

// Has the heap grow by about bytes at once, and keep them when blocks are freed; the
// start of what was added, or none.
char *growHeap(size_t bytes)
{
    if (mallopt(M_TOP_PAD, int(std::min<size_t>(bytes, size_t(1) << 30))) != 1)
        return nullptr;
    char *const before = heapEnd();
    // Blocks taken until the heap has grown, and given back.
    constexpr size_t kBlock = 64 * 1024;
    const size_t topFree = mallinfo2().keepcost;
    std::vector<void *> taken;
    taken.reserve(topFree / kBlock + 2);
    while (taken.size() <= topFree / kBlock + 1 && heapEnd() == before)
        taken.push_back(malloc(kBlock));
    for (void *p : taken)
        free(p);
    if (heapEnd() <= before) {
        mallopt(M_TOP_PAD, kDefaultTopPad);
        return nullptr;
    }
    const auto page = uintptr_t(sysconf(_SC_PAGESIZE));
    return reinterpret_cast<char *>(reinterpret_cast<uintptr_t>(before) & ~(page - 1));
}

} // namespace
#endif

HeapAhead::HeapAhead(size_t bytes)
{
#if defined(__GLIBC__)
    if (bytes < kWorthIt)
        return;
    char *const from = growHeap(bytes);
    if (!from)
        return;
    char *const to = heapEnd();
    m_work = std::make_unique<Work>();
    try {
        // The pages are made present as if written, their contents left as they are:
        // blocks the load has taken meanwhile keep what it wrote.
        m_work->thread = std::thread([work = m_work.get(), from, to] {
            for (char *p = from; p < to && !work->stop.load(std::memory_order_relaxed); p += kPiece)
                if (madvise(p, size_t(std::min<ptrdiff_t>(to - p, ptrdiff_t(kPiece))), MADV_POPULATE_WRITE) != 0)
                    return; // not on this system
        });
    } catch (const std::system_error &) {
        m_work.reset();
        mallopt(M_TOP_PAD, kDefaultTopPad);
    }
#else
    (void)bytes;
#endif
}

HeapAhead::~HeapAhead()
{
    if (!m_work)
        return;
    m_work->stop = true;
    m_work->thread.join();
#if defined(__GLIBC__)
    mallopt(M_TOP_PAD, kDefaultTopPad);
#endif
}
