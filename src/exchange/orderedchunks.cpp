#include "orderedchunks.h"

#include <array>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

namespace {

class ChunkWork
{
public:
    explicit ChunkWork(const std::function<void(size_t, QByteArray &)> &make) : m_make(make) {}

    // The other thread: makes the next chunk set up and not taken, until none is left.
    void Help() noexcept
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_changed.wait(lock, [this] { return m_stop || m_next < m_prepared || m_allPrepared; });
            if (m_stop || m_next >= m_prepared)
                return;
            makeNext(lock);
        }
    }

    // This thread: writes the chunks in order. While the next to write is not ready, it
    // sets up more chunks first (so the other thread has work), else makes one itself.
    void WriteAll(const std::function<bool(size_t)> &prepare, const std::function<void(QByteArrayView)> &write,
                  const std::function<void()> &startHelper)
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            if (m_failure)
                std::rethrow_exception(m_failure);
            if (m_allPrepared && m_written == m_prepared)
                return;
            Slot &slot = m_slots[m_written % kChunkSlots];
            if (slot.made) {
                lock.unlock();
                write(slot.bytes);
                slot.bytes.truncate(0);
                lock.lock();
                slot.made = false;
                ++m_written;
            } else if (!m_allPrepared && m_prepared < m_written + kChunkSlots) {
                const size_t index = m_prepared;
                lock.unlock();
                const bool more = prepare(index % kChunkSlots);
                lock.lock();
                if (more)
                    ++m_prepared;
                else
                    m_allPrepared = true;
                m_changed.notify_all();
                if (more && m_prepared == 2) {
                    // A second chunk: worth a thread.
                    lock.unlock();
                    startHelper();
                    lock.lock();
                }
            } else if (m_next < m_prepared) {
                makeNext(lock);
            } else {
                m_changed.wait(lock);
            }
        }
    }

    void Stop() noexcept
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
        m_changed.notify_all();
    }

private:
    // One cache line each: the two threads append to neighbouring slots at once.
    struct alignas(64) Slot
    {
        QByteArray bytes;
        bool made = false;
    };

    // Takes the next chunk set up and makes it with the lock let go.
    void makeNext(std::unique_lock<std::mutex> &lock) noexcept
    {
        const size_t index = m_next++;
        Slot &slot = m_slots[index % kChunkSlots];
        lock.unlock();
        std::exception_ptr failure;
        try {
            m_make(index % kChunkSlots, slot.bytes);
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
    }

    const std::function<void(size_t, QByteArray &)> &m_make;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::array<Slot, kChunkSlots> m_slots;
    size_t m_prepared = 0; // chunks set up
    bool m_allPrepared = false;
    size_t m_next = 0;    // the first chunk set up that nobody has taken
    size_t m_written = 0; // the first chunk not written yet
    bool m_stop = false;
    std::exception_ptr m_failure;
};

} // namespace

void MakeChunksInOrder(const std::function<bool(size_t)> &prepare, const std::function<void(size_t, QByteArray &)> &make,
                       const std::function<void(QByteArrayView)> &write)
{
    ChunkWork work(make);
    std::thread helper;
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
    work.WriteAll(prepare, write, [&] {
        try {
            helper = std::thread([&work] { work.Help(); });
        } catch (const std::system_error &) {
            // No thread to spare: this one makes every chunk.
        }
    });
}
