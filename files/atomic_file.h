#pragma once
// Every save writes through here: the complete new content of a file is
// written beside it and takes its place only when every step has succeeded,
// so a failure (a full disk, a missing folder, no permission) leaves an
// existing file byte for byte as it was and no new or partial file behind.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace tavo {

struct FileError {
    // One line, UTF-8: "Cannot create file X" when no file could be made
    // there (a missing folder, no permission, a folder or a device of that
    // name), otherwise "Cannot write file X: <the system's reason>".
    std::string message;
    std::error_code code;
};

// Makes `bytes` the whole content of `target`, replacing a regular file of
// that name (through a symbolic link, the file it names). Anything else of
// that name (a folder, a device, a pipe) is never replaced. Every write, the
// flush to the disk and the close are checked before the old file is
// replaced. The messages name `target` as given. A new file gets the usual
// permissions; a replaced one keeps its own.
[[nodiscard]] std::optional<FileError> writeFileAtomically(const std::filesystem::path &target, std::string_view bytes);

// The steps of writeFileAtomically, in order.
enum class WriteStep {
    Create, // the temporary file beside the target
    Write,  // each write of bytes into it
    Flush,  // to the disk
    Close,
    Replace, // the rename over the target
};

// For tests: while an object of this class lives, every step of
// writeFileAtomically first asks `fault`; a non-zero error code makes that
// step fail with this error as the system's own would (the real call is not
// made, except that a file is still closed). One at a time, on one thread.
class ScopedWriteFault {
public:
    using Fault = std::function<std::error_code(WriteStep)>;
    explicit ScopedWriteFault(Fault fault);
    ~ScopedWriteFault();
    ScopedWriteFault(const ScopedWriteFault &) = delete;
    ScopedWriteFault &operator=(const ScopedWriteFault &) = delete;

private:
    Fault previous_;
};

// For the platform implementations: the failure a test asks of this step,
// or no error.
std::error_code injectedWriteFault(WriteStep step);

// The path as the messages show it: UTF-8.
std::string pathText(const std::filesystem::path &path);

} // namespace tavo
