// The writer on POSIX systems: open(O_EXCL) beside the target, write(),
// fsync(), close(), rename().

#include "files/atomic_file.h"

#include "files/file_messages.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavo {

namespace {

std::error_code lastError() { return {errno, std::system_category()}; }

// A name for the temporary file in the target's folder: hidden, short
// enough for any file-name limit, told apart by the process and a counter.
// open(O_EXCL) makes sure it is new.
std::string temporaryName(const std::filesystem::path &file)
{
    static unsigned long counter = 0;
    const std::string base = file.filename().string().substr(0, 64);
    return "." + base + "." + std::to_string(::getpid()) + "-" + std::to_string(++counter) + ".tmp";
}

class TemporaryFile {
public:
    ~TemporaryFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
        if (!path_.empty())
            ::unlink(path_.c_str());
    }

    std::error_code create(const std::filesystem::path &file)
    {
        if (const auto fault = injectedWriteFault(WriteStep::Create))
            return fault;
        const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
        for (unsigned attempt = 0; attempt < 100; ++attempt) {
            const std::string path = (folder / temporaryName(file)).string();
            // 0666 less the umask, as any new file gets.
            fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
            if (fd_ >= 0) {
                path_ = path;
                return {};
            }
            if (errno != EEXIST)
                return lastError();
        }
        return std::make_error_code(std::errc::file_exists);
    }

    void keepMode(mode_t mode) const { (void)::fchmod(fd_, mode); }

    std::error_code write(std::string_view bytes) const
    {
        while (!bytes.empty()) {
            if (const auto fault = injectedWriteFault(WriteStep::Write))
                return fault;
            const std::size_t chunk = std::min<std::size_t>(bytes.size(), SSIZE_MAX / 2);
            const ssize_t n = ::write(fd_, bytes.data(), chunk);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return lastError();
            }
            if (n == 0)
                return std::make_error_code(std::errc::io_error);
            bytes.remove_prefix(std::size_t(n));
        }
        return {};
    }

    std::error_code flush() const
    {
        if (const auto fault = injectedWriteFault(WriteStep::Flush))
            return fault;
        // A file system that cannot sync says EINVAL; that loses nothing.
        if (::fsync(fd_) != 0 && errno != EINVAL && errno != ENOTSUP)
            return lastError();
        return {};
    }

    std::error_code close()
    {
        const auto fault = injectedWriteFault(WriteStep::Close);
        const int result = ::close(fd_);
        const auto error = lastError();
        fd_ = -1; // released even when close() fails
        if (fault)
            return fault;
        return result == 0 ? std::error_code() : error;
    }

    std::error_code replace(const std::filesystem::path &file)
    {
        if (const auto fault = injectedWriteFault(WriteStep::Replace))
            return fault;
        if (::rename(path_.c_str(), file.c_str()) != 0)
            return lastError();
        path_.clear();
        return {};
    }

private:
    int fd_ = -1;
    std::string path_;
};

// After a rename the folder's entry is durable only once the folder is
// synced; a failure here changes nothing that was written.
void syncFolderOf(const std::filesystem::path &file)
{
    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        (void)::fsync(fd);
        ::close(fd);
    }
}

} // namespace

std::optional<FileError> writeFileAtomically(const std::filesystem::path &target, std::string_view bytes)
{
    const std::string shown = pathText(target);
    const auto cannotCreate = [&](std::error_code code) { return FileError{cannotCreateFileMessage(shown), code}; };
    const auto cannotWrite = [&](std::error_code code) {
        return FileError{cannotWriteFileMessage(shown, code.message()), code};
    };

    if (target.empty())
        return cannotCreate(std::make_error_code(std::errc::no_such_file_or_directory));

    // The file that takes the new content: the target, or the file a
    // symbolic link names, so the link stays a link.
    std::filesystem::path file = target;
    bool exists = false;
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode))
            return cannotCreate(
                std::make_error_code(S_ISDIR(st.st_mode) ? std::errc::is_a_directory : std::errc::invalid_argument));
        // A file its owner made read-only is not replaced behind its back.
        if (::access(target.c_str(), W_OK) != 0)
            return cannotCreate(lastError());
        exists = true;
        struct stat link {};
        if (::lstat(target.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
            std::error_code ec;
            file = std::filesystem::canonical(target, ec);
            if (ec)
                return cannotCreate(ec);
        }
    } else if (errno != ENOENT) {
        return cannotCreate(lastError());
    }

    TemporaryFile temporary;
    if (const auto error = temporary.create(file))
        return cannotCreate(error);
    if (exists)
        temporary.keepMode(st.st_mode & 07777);
    std::error_code error = temporary.write(bytes);
    if (!error)
        error = temporary.flush();
    if (!error)
        error = temporary.close();
    if (!error)
        error = temporary.replace(file);
    if (error)
        return cannotWrite(error);
    syncFolderOf(file);
    return std::nullopt;
}

} // namespace tavo
