#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstddef>
#include <functional>

// Makes count chunks of bytes, make(index, out) appending chunk index to out, on this
// thread and one other at once, and hands each chunk to write in the order of the
// indexes. Only a few chunks wait at any time, however many there are. make is called
// once per index, from either thread, so it may only read what nobody changes meanwhile.
// What make or write raises stops the work and is raised here; nothing after the chunk
// that failed is written.
void MakeChunksInOrder(size_t count, const std::function<void(size_t index, QByteArray &out)> &make,
                       const std::function<void(QByteArrayView chunk)> &write);
