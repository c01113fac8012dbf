#pragma once
// The system calls of the checked writer and of the bounded reader, one
// implementation per platform (system_file_posix.cpp, system_file_win32.cpp).
// What the two do with them, step by step, is written once, in
// atomic_file.cpp and file_prefix.cpp. Inside files/ only: the header is
// published to no other folder.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace tavo::system_file {

#ifdef _WIN32
using Handle = void *;                                                           // a HANDLE
inline Handle noHandle() { return reinterpret_cast<Handle>(std::intptr_t(-1)); } // INVALID_HANDLE_VALUE
#else
using Handle = int; // a file descriptor
inline Handle noHandle() { return -1; }
#endif

// The system's reason for the last failed call.
std::error_code lastError();
std::error_code closeHandle(Handle handle);

// An open file, closed at the end of its life.
class File {
public:
    File() = default;
    ~File()
    {
        if (isOpen())
            (void)closeHandle(handle_);
    }
    File(const File &) = delete;
    File &operator=(const File &) = delete;

    void reset(Handle handle) { handle_ = handle; }
    Handle get() const { return handle_; }
    bool isOpen() const { return handle_ != noHandle(); }
    // Released even when closing fails.
    std::error_code close()
    {
        const Handle handle = handle_;
        handle_ = noHandle();
        return closeHandle(handle);
    }

private:
    Handle handle_ = noHandle();
};

// --- The writer ---

// The file a save replaces: the target itself, or the file a symbolic link
// names, so the link stays a link.
struct ReplacedFile {
    std::filesystem::path file;
    std::optional<unsigned> permissions; // an existing file's own, kept by its replacement
};

// What the target is, or the reason it may not be replaced: anything but a
// regular file, or a file its owner made read-only.
std::error_code findReplacedFile(const std::filesystem::path &target, ReplacedFile &out);

// Creates the new file `path` for writing, with the replaced file's
// permissions where it has any; std::errc::file_exists when the name is
// taken.
std::error_code createNewFile(const std::filesystem::path &path, const ReplacedFile &replaced, File &out);

// One write of at most `bytes.size()` bytes.
std::error_code writeSome(Handle file, std::string_view bytes, std::size_t &written);

// What was written, down to the disk.
std::error_code flushToDisk(Handle file);

// Renames `from` over `to` in one step, durably.
std::error_code renameOver(const std::filesystem::path &from, const std::filesystem::path &to);

void removeFile(const std::filesystem::path &path);

unsigned long processId();

// --- The reader ---

struct Source {
    bool regular = false; // a file on a disk; otherwise a pipe or a device that gives data as it comes
    std::size_t size = 0; // a regular file's size when it was opened
};

// Opens `path` for reading without waiting for a writer; nothing for a
// folder, a socket, a source that cannot be read this way, or an error.
std::optional<Source> openForReading(const std::filesystem::path &path, File &out);

// One read into `buffer`: the bytes read, 0 at the end, -1 on an error.
std::ptrdiff_t readSome(Handle file, char *buffer, std::size_t size);

// Reads a pipe or device until `out` holds `wanted` bytes or the source
// ends, waiting at most `quiet` for each piece; false on an error or a
// longer silence.
bool readStream(Handle file, std::string &out, std::size_t wanted, std::chrono::milliseconds quiet);

} // namespace tavo::system_file
