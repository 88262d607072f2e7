#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstddef>
#include <functional>

// Chunks of bytes made on this thread and one other at once, and written in their order.
// prepare(slot), called on this thread only, sets up what the next chunk is made of in
// one of kChunkSlots places the caller keeps, or returns false when there is no more;
// make(slot, out) then appends the chunk to out, on either thread, so it may only read
// what nobody changes meanwhile; write(chunk) takes them in order, on this thread. A slot
// is set up again only once its chunk is written, so only a few chunks wait at any time.
// What prepare, make or write raises stops the work and is raised here; nothing after the
// chunk that failed is written.
constexpr size_t kChunkSlots = 8;
void MakeChunksInOrder(const std::function<bool(size_t slot)> &prepare,
                       const std::function<void(size_t slot, QByteArray &out)> &make,
                       const std::function<void(QByteArrayView chunk)> &write);
