// The writer's and the reader's system calls on POSIX systems: open(O_EXCL),
// write(), fsync(), rename() and a sync of the folder; a path opened without
// blocking (open() of a FIFO would otherwise wait for a writer) and read
// from a pipe or device only when poll() says it has something.

#include "system_file.h"

#include <algorithm>
#include <cerrno>
#include <climits>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavo::system_file {

std::error_code lastError() { return {errno, std::system_category()}; }

std::error_code closeHandle(Handle handle) { return ::close(handle) == 0 ? std::error_code() : lastError(); }

std::error_code findReplacedFile(const std::filesystem::path &target, ReplacedFile &out)
{
    out.file = target;
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0)
        return errno == ENOENT ? std::error_code() : lastError();
    if (!S_ISREG(st.st_mode))
        return std::make_error_code(S_ISDIR(st.st_mode) ? std::errc::is_a_directory : std::errc::invalid_argument);
    if (::access(target.c_str(), W_OK) != 0)
        return lastError();
    out.permissions = unsigned(st.st_mode & 07777);
    struct stat link {};
    if (::lstat(target.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        std::error_code error;
        out.file = std::filesystem::canonical(target, error);
        return error;
    }
    return {};
}

std::error_code createNewFile(const std::filesystem::path &path, const ReplacedFile &replaced, File &out)
{
    // 0666 less the umask, as any new file gets.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0)
        return lastError();
    out.reset(fd);
    if (replaced.permissions)
        (void)::fchmod(fd, mode_t(*replaced.permissions));
    return {};
}

std::error_code writeSome(Handle file, std::string_view bytes, std::size_t &written)
{
    const std::size_t chunk = std::min<std::size_t>(bytes.size(), SSIZE_MAX / 2);
    ssize_t n;
    do
        n = ::write(file, bytes.data(), chunk);
    while (n < 0 && errno == EINTR);
    if (n < 0)
        return lastError();
    written = std::size_t(n);
    return {};
}

std::error_code flushToDisk(Handle file)
{
    // A file system that cannot sync says EINVAL; that loses nothing.
    if (::fsync(file) != 0 && errno != EINVAL && errno != ENOTSUP)
        return lastError();
    return {};
}

std::error_code renameOver(const std::filesystem::path &from, const std::filesystem::path &to)
{
    if (::rename(from.c_str(), to.c_str()) != 0)
        return lastError();
    // The folder's new entry is durable only once the folder is synced; a
    // failure here changes nothing that was written.
    const std::filesystem::path folder = to.has_parent_path() ? to.parent_path() : ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        (void)::fsync(fd);
        ::close(fd);
    }
    return {};
}

void removeFile(const std::filesystem::path &path) { ::unlink(path.c_str()); }

unsigned long processId() { return static_cast<unsigned long>(::getpid()); }

std::optional<Source> openForReading(const std::filesystem::path &path, File &out)
{
    // Opening a socket fails (ENXIO), so it is never read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    out.reset(fd);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode))
        return std::nullopt;
    // O_NONBLOCK does not change how a regular file reads.
    return Source{S_ISREG(st.st_mode), S_ISREG(st.st_mode) ? std::size_t(st.st_size) : 0};
}

std::ptrdiff_t readSome(Handle file, char *buffer, std::size_t size)
{
    ssize_t n;
    do
        n = ::read(file, buffer, size);
    while (n < 0 && errno == EINTR);
    return n;
}

bool readStream(Handle file, std::string &out, std::size_t wanted, std::chrono::milliseconds quiet)
{
    while (out.size() < wanted) {
        pollfd ready{file, POLLIN, 0};
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
        const ssize_t n = ::read(file, out.data() + start, wanted - start);
        out.resize(start + (n > 0 ? std::size_t(n) : 0));
        if (n == 0)
            return true;
        if (n < 0 && errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK)
            return false;
    }
    return true;
}

} // namespace tavo::system_file
