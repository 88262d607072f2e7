#include "orderedchunks.h"

#include <array>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

namespace {

// Chunks made ahead of the one being written: their buffers are reused, so the memory
// stays the same however long the output.
constexpr size_t kAhead = 8;

class ChunkWork
{
public:
    ChunkWork(size_t count, const std::function<void(size_t, QByteArray &)> &make)
        : m_count(count), m_make(make)
    {
    }

    // The other thread: makes the next chunk nobody has taken, until none is left.
    void Help() noexcept
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_changed.wait(lock, [this] { return m_stop || m_next >= m_count || m_next < m_written + kAhead; });
            if (m_stop || m_next >= m_count)
                return;
            if (!makeNext(lock))
                return;
        }
    }

    // This thread: writes the chunks in order, making one itself whenever the next to
    // write is not ready yet and there is one to take.
    void WriteAll(const std::function<void(QByteArrayView)> &write)
    {
        std::unique_lock lock(m_mutex);
        while (m_written < m_count) {
            Slot &slot = m_slots[m_written % kAhead];
            if (m_failure)
                std::rethrow_exception(m_failure);
            if (slot.made) {
                lock.unlock();
                write(slot.bytes);
                slot.bytes.truncate(0);
                lock.lock();
                slot.made = false;
                ++m_written;
                m_changed.notify_all();
            } else if (m_next < m_count && m_next < m_written + kAhead) {
                makeNext(lock);
            } else {
                m_changed.wait(lock);
            }
        }
        if (m_failure)
            std::rethrow_exception(m_failure);
    }

    void Stop() noexcept
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
        m_changed.notify_all();
    }

private:
    struct Slot
    {
        QByteArray bytes;
        bool made = false;
    };

    // Takes the next chunk and makes it with the lock let go; false when making failed.
    bool makeNext(std::unique_lock<std::mutex> &lock) noexcept
    {
        const size_t index = m_next++;
        Slot &slot = m_slots[index % kAhead];
        lock.unlock();
        std::exception_ptr failure;
        try {
            m_make(index, slot.bytes);
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        if (failure) {
            if (!m_failure)
                m_failure = failure;
            m_stop = true;
        } else {
            slot.made = true;
        }
        m_changed.notify_all();
        return !failure;
    }

    const size_t m_count;
    const std::function<void(size_t, QByteArray &)> &m_make;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::array<Slot, kAhead> m_slots;
    size_t m_next = 0;    // the first chunk nobody has taken
    size_t m_written = 0; // the first chunk not written yet
    bool m_stop = false;
    std::exception_ptr m_failure;
};

} // namespace

void MakeChunksInOrder(size_t count, const std::function<void(size_t, QByteArray &)> &make,
                       const std::function<void(QByteArrayView)> &write)
{
    ChunkWork work(count, make);
    std::thread helper;
    if (count > 1) {
        try {
            helper = std::thread([&work] { work.Help(); });
        } catch (const std::system_error &) {
            // No thread to spare: this one makes every chunk.
        }
    }
    // However the writing ends, the other thread is done with the chunks before they go.
    struct Joined
    {
        ChunkWork &work;
        std::thread &helper;
        ~Joined()
        {
            work.Stop();
            if (helper.joinable())
                helper.join();
        }
    } joined{work, helper};
    work.WriteAll(write);
}
