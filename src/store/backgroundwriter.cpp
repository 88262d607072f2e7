#include "backgroundwriter.h"

#include "recordfile.h"
#include "platform/safefiles.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

void StartWriteBack(int fd, long long &hinted, long long written)
{
    static const long long page = sysconf(_SC_PAGESIZE) > 0 ? sysconf(_SC_PAGESIZE) : 4096;
    const long long end = written - written % page;
    // Only a hint: a block the disk refuses is reported by the closing sync.
    if (end > hinted && ::sync_file_range(fd, hinted, end - hinted, SYNC_FILE_RANGE_WRITE) == 0)
        hinted = end;
}

BackgroundWriter::BackgroundWriter(int fd) : m_fd(fd), m_thread([this] { run(); }) {}

BackgroundWriter::~BackgroundWriter()
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void BackgroundWriter::waitIdle(std::unique_lock<std::mutex> &lock)
{
    m_changed.wait(lock, [this] { return !m_busy; });
    if (m_error != 0) {
        const int error = m_error;
        throw EInOutError(SafeFiles::ErrorText(error));
    }
}

void BackgroundWriter::Hand(QByteArray &block)
{
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        waitIdle(lock);
        m_block.swap(block);
        m_busy = true;
    }
    m_changed.notify_all();
    // Emptied, not freed: the next block is gathered where an earlier one was.
    block.resize(0);
}

void BackgroundWriter::Wait()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    waitIdle(lock);
}

void BackgroundWriter::run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_busy || m_stop; });
        if (!m_busy)
            return;
        // The block is this thread's until it says it is done.
        lock.unlock();
        const char *p = m_block.constData();
        qsizetype left = m_block.size();
        int error = 0;
        while (left > 0) {
            const ssize_t n = ::write(m_fd, p, size_t(left));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                error = n < 0 ? errno : EIO;
                break;
            }
            p += n;
            left -= n;
        }
        lock.lock();
        m_written += m_block.size();
        if (error == 0)
            StartWriteBack(m_fd, m_hinted, m_written);
        if (error != 0 && m_error == 0)
            m_error = error;
        m_busy = false;
        m_changed.notify_all();
    }
}
