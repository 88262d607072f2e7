#pragma once

#include <QByteArray>

#include <condition_variable>
#include <mutex>
#include <thread>

// Has the system start putting on disk what was written to fd before written: whole pages
// from hinted (where the call before left off) on. The page still being filled is left for
// a later call: put on its way now, the next write into it would wait until it reached the disk.
void StartWriteBack(int fd, long long &hinted, long long written);

// Writes blocks to an open file on a thread of its own, one block while the next is
// gathered, and has the system start putting each on disk at once. Errors are raised
// (EInOutError with the system's reason) by the next call after the write that failed.
class BackgroundWriter
{
public:
    explicit BackgroundWriter(int fd);
    ~BackgroundWriter();
    BackgroundWriter(const BackgroundWriter &) = delete;
    BackgroundWriter &operator=(const BackgroundWriter &) = delete;

    // Takes block to be written (once the block before it is) and hands back an empty
    // buffer to gather the next one in.
    void Hand(QByteArray &block);
    // Waits until everything handed over is written.
    void Wait();

private:
    void run();
    void waitIdle(std::unique_lock<std::mutex> &lock);

    const int m_fd;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    QByteArray m_block;
    bool m_busy = false;
    bool m_stop = false;
    int m_error = 0;
    long long m_written = 0;
    long long m_hinted = 0;
    std::thread m_thread;
};
