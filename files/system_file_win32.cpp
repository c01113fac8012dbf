// The writer's and the reader's system calls on Windows: CreateFileW
// (CREATE_NEW), WriteFile(), FlushFileBuffers(), then MoveFileExW() with
// MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH; a disk file read as it
// is, a pipe read only while PeekNamedPipe says it has something, other
// devices (a console, NUL, COM1) not at all.

#include "system_file.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>

namespace tavo::system_file {

std::error_code lastError() { return {int(GetLastError()), std::system_category()}; }

std::error_code closeHandle(Handle handle) { return CloseHandle(handle) ? std::error_code() : lastError(); }

std::error_code findReplacedFile(const std::filesystem::path &target, ReplacedFile &out)
{
    out.file = target;
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND ? std::error_code() : std::error_code(int(error), std::system_category());
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return std::make_error_code(std::errc::is_a_directory);
    if (attributes & FILE_ATTRIBUTE_READONLY)
        return std::make_error_code(std::errc::permission_denied);
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        std::error_code error;
        out.file = std::filesystem::canonical(target, error);
        if (error)
            return error;
    }
    // Devices (NUL, COM1) and pipes are never replaced.
    const HANDLE probe = CreateFileW(out.file.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, 0, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        const DWORD type = GetFileType(probe);
        CloseHandle(probe);
        if (type != FILE_TYPE_DISK)
            return std::make_error_code(std::errc::invalid_argument);
    }
    return {};
}

// A Windows file has no permission bits to keep: a read-only one is refused
// before, by findReplacedFile.
std::error_code createNewFile(const std::filesystem::path &path, const ReplacedFile &, File &out)
{
    const HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_EXISTS ? std::make_error_code(std::errc::file_exists) : lastError();
    out.reset(handle);
    return {};
}

std::error_code writeSome(Handle file, std::string_view bytes, std::size_t &written)
{
    const DWORD chunk = DWORD(std::min<std::size_t>(bytes.size(), 1u << 30));
    DWORD n = 0;
    if (!WriteFile(file, bytes.data(), chunk, &n, nullptr))
        return lastError();
    written = n;
    return {};
}

std::error_code flushToDisk(Handle file) { return FlushFileBuffers(file) ? std::error_code() : lastError(); }

std::error_code renameOver(const std::filesystem::path &from, const std::filesystem::path &to)
{
    if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return lastError();
    // The new file shows like any other, not hidden as its temporary was.
    const DWORD attributes = GetFileAttributesW(to.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesW(to.c_str(), attributes & ~DWORD(FILE_ATTRIBUTE_HIDDEN));
    return {};
}

void removeFile(const std::filesystem::path &path) { DeleteFileW(path.c_str()); }

unsigned long processId() { return GetCurrentProcessId(); }

std::optional<Source> openForReading(const std::filesystem::path &path, File &out)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    const HANDLE handle =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    out.reset(handle);
    switch (GetFileType(handle)) {
    case FILE_TYPE_DISK: {
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(handle, &size))
            return std::nullopt;
        return Source{true, std::size_t(size.QuadPart)};
    }
    case FILE_TYPE_PIPE: return Source{false, 0};
    default: return std::nullopt;
    }
}

std::ptrdiff_t readSome(Handle file, char *buffer, std::size_t size)
{
    DWORD n = 0;
    if (!ReadFile(file, buffer, DWORD(std::min<std::size_t>(size, 1u << 30)), &n, nullptr))
        return -1;
    return std::ptrdiff_t(n);
}

bool readStream(Handle pipe, std::string &out, std::size_t wanted, std::chrono::milliseconds quiet)
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

} // namespace tavo::system_file
