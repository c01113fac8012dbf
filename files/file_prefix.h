#pragma once
// Reading the beginning of whatever a path names, in bounded memory and time.
// A regular file is read as it is. A pipe, a FIFO or a device (process
// substitution, /dev/stdin, a named pipe) gives what its writer supplies up
// to the end; one that stays silent longer than the quiet time, a FIFO that
// no writer ever opens included, gives nothing instead of blocking without
// end.

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace tavo {

struct FilePrefix {
    std::string bytes; // at most the limit
    bool more = false; // the source held at least one byte past the limit
};

// How long a pipe or device may stay silent before reading gives up.
inline constexpr std::chrono::milliseconds kQuietSourceLimit{2000};

// The first `limit` bytes of `path`, reading at most limit + 1. Nothing when
// the path is missing, a folder, a socket, unreadable, or a source that stays
// silent for longer than `quiet`.
std::optional<FilePrefix> readFilePrefix(const std::filesystem::path &path, std::size_t limit,
                                         std::chrono::milliseconds quiet = kQuietSourceLimit);

} // namespace tavo
