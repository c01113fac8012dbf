#pragma once
// Writers at the other end of a FIFO, for the tests of opening one.

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

namespace tavo::testing_support {

// Writes all of `bytes` to a descriptor that may be non-blocking.
inline void writeAll(int fd, const std::string &bytes)
{
    const int flags = ::fcntl(fd, F_GETFL);
    ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            break;
        done += std::size_t(n);
    }
}

// A writer that comes late: after `after` it opens the FIFO, if a reader
// still holds it open, and writes `bytes`. A reader that gave up in time sees
// nothing of it; one that blocks without end is freed by it, so a test of
// that reader fails instead of hanging.
class LateFifoWriter {
public:
    LateFifoWriter(std::filesystem::path fifo, std::string bytes, std::chrono::milliseconds after)
        : thread_([this, fifo = std::move(fifo), bytes = std::move(bytes), after] {
              std::unique_lock lock(mutex_);
              if (stopped_.wait_for(lock, after, [this] { return stop_; }))
                  return;
              const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
              if (fd < 0)
                  return; // no reader: it gave up
              writeAll(fd, bytes);
              ::close(fd);
          })
    {
    }
    ~LateFifoWriter()
    {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        stopped_.notify_all();
        thread_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable stopped_;
    bool stop_ = false;
    std::thread thread_;
};

// A writer that is there: it opens the FIFO as soon as a reader has it open
// (trying for up to ten seconds), writes `bytes`, waits `hold` and closes.
class FifoWriter {
public:
    FifoWriter(std::filesystem::path fifo, std::string bytes,
               std::chrono::milliseconds hold = std::chrono::milliseconds(0))
        : thread_([fifo = std::move(fifo), bytes = std::move(bytes), hold] {
              const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
              int fd = -1;
              while (fd < 0 && std::chrono::steady_clock::now() < deadline) {
                  fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                  if (fd < 0)
                      std::this_thread::sleep_for(std::chrono::milliseconds(1));
              }
              if (fd < 0)
                  return;
              writeAll(fd, bytes);
              std::this_thread::sleep_for(hold);
              ::close(fd);
          })
    {
    }
    ~FifoWriter() { thread_.join(); }

private:
    std::thread thread_;
};

} // namespace tavo::testing_support
