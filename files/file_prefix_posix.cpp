// The bounded reader on POSIX systems. The path is opened without blocking
// (open() of a FIFO would otherwise wait for a writer), and a source that is
// not a regular file is read only when poll() says it has something.

#include "files/file_prefix.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavo {

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Reads until `wanted` bytes or the end; false on a read error. The buffer
// grows by what the file is expected to hold (its size when it was opened,
// and one byte more to see its end), not to `wanted` at once: a small file
// costs no large zero-filled buffer.
bool readRegular(int fd, std::string &out, std::size_t wanted, std::size_t expected)
{
    while (out.size() < wanted) {
        const std::size_t start = out.size();
        const std::size_t room = expected + 1 > start ? expected + 1 - start : std::size_t{4096};
        out.resize(start + std::min(wanted - start, std::max(room, std::size_t{1})));
        const ssize_t n = ::read(fd, out.data() + start, out.size() - start);
        out.resize(start + (n > 0 ? std::size_t(n) : 0));
        if (n == 0)
            return true;
        if (n < 0 && errno != EINTR)
            return false;
    }
    return true;
}

// Reads until `wanted` bytes or the end, waiting at most `quiet` for each
// piece; false on a read error or a silence that lasts longer.
bool readStream(int fd, std::string &out, std::size_t wanted, std::chrono::milliseconds quiet)
{
    while (out.size() < wanted) {
        pollfd ready{fd, POLLIN, 0};
        const int polled = ::poll(&ready, 1, int(quiet.count()));
        if (polled < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (polled == 0)
            return false;
        const std::size_t start = out.size();
        out.resize(wanted);
        const ssize_t n = ::read(fd, out.data() + start, wanted - start);
        out.resize(start + (n > 0 ? std::size_t(n) : 0));
        if (n == 0)
            return true;
        if (n < 0 && errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK)
            return false;
    }
    return true;
}

} // namespace

std::optional<FilePrefix> readFilePrefix(const std::filesystem::path &path, std::size_t limit,
                                         std::chrono::milliseconds quiet)
{
    if (path.empty())
        return std::nullopt;
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0)
        return std::nullopt;
    struct stat st {};
    if (::fstat(file.get(), &st) != 0 || S_ISDIR(st.st_mode))
        return std::nullopt;

    FilePrefix prefix;
    const std::size_t wanted = limit + 1;
    bool complete;
    if (S_ISREG(st.st_mode)) {
        // O_NONBLOCK does not change how a regular file reads.
        complete = readRegular(file.get(), prefix.bytes, wanted, std::size_t(st.st_size));
    } else {
        complete = readStream(file.get(), prefix.bytes, wanted, quiet);
    }
    if (!complete)
        return std::nullopt;
    if (prefix.bytes.size() > limit) {
        prefix.bytes.resize(limit);
        prefix.more = true;
    }
    return prefix;
}

} // namespace tavo
