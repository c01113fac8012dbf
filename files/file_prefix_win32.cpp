// The bounded reader on Windows. A disk file is read as it is; a pipe is read
// only while PeekNamedPipe says it has something, waiting at most the quiet
// time for each piece; other devices (a console, NUL, COM1) give nothing.

#include "files/file_prefix.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>

namespace tavo {

namespace {

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

// Reads until `wanted` bytes or the end; false on a read error.
bool readDisk(HANDLE file, std::string &out, std::size_t wanted)
{
    while (out.size() < wanted) {
        const std::size_t start = out.size();
        out.resize(wanted);
        DWORD n = 0;
        const BOOL ok =
            ReadFile(file, out.data() + start, DWORD(std::min<std::size_t>(wanted - start, 1u << 30)), &n, nullptr);
        out.resize(start + n);
        if (!ok)
            return false;
        if (n == 0)
            return true;
    }
    return true;
}

// Reads until `wanted` bytes or the end of the pipe, waiting at most `quiet`
// for each piece; false on an error or a longer silence.
bool readPipe(HANDLE pipe, std::string &out, std::size_t wanted, std::chrono::milliseconds quiet)
{
    while (out.size() < wanted) {
        DWORD available = 0;
        const ULONGLONG giveUp = GetTickCount64() + ULONGLONG(quiet.count());
        while (true) {
            if (!PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr))
                return GetLastError() == ERROR_BROKEN_PIPE; // the writer has finished
            if (available > 0)
                break;
            if (GetTickCount64() >= giveUp)
                return false;
            Sleep(10);
        }
        const std::size_t start = out.size();
        const DWORD chunk = DWORD(std::min<std::size_t>(wanted - start, available));
        out.resize(start + chunk);
        DWORD n = 0;
        const BOOL ok = ReadFile(pipe, out.data() + start, chunk, &n, nullptr);
        out.resize(start + n);
        if (!ok)
            return GetLastError() == ERROR_BROKEN_PIPE;
    }
    return true;
}

} // namespace

std::optional<FilePrefix> readFilePrefix(const std::filesystem::path &path, std::size_t limit,
                                         std::chrono::milliseconds quiet)
{
    if (path.empty())
        return std::nullopt;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    const Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE)
        return std::nullopt;

    FilePrefix prefix;
    const std::size_t wanted = limit + 1;
    bool complete = false;
    switch (GetFileType(file.get())) {
    case FILE_TYPE_DISK: complete = readDisk(file.get(), prefix.bytes, wanted); break;
    case FILE_TYPE_PIPE: complete = readPipe(file.get(), prefix.bytes, wanted, quiet); break;
    default: return std::nullopt;
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
