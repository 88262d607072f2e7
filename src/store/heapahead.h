#pragma once

#include <cstddef>
#include <memory>

// Memory a large load is about to take, made ready on another core while the load runs.
// The system clears each fresh page when it is first touched, and for a large load that
// clearing costs about as much as reading the records; here it is done for the pages the
// load will touch, before it touches them. While this lives, the heap keeps what it has
// made ready. Does nothing for small sizes, or where the system or the allocator cannot.
class HeapAhead
{
public:
    explicit HeapAhead(size_t bytes);
    ~HeapAhead();
    HeapAhead(const HeapAhead &) = delete;
    HeapAhead &operator=(const HeapAhead &) = delete;

private:
    struct Work;
    std::unique_ptr<Work> m_work;
};
