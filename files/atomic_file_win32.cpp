// The writer on Windows: CreateFileW(CREATE_NEW) beside the target,
// WriteFile(), FlushFileBuffers(), CloseHandle(), then MoveFileExW() over the
// target with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH.

#include "files/atomic_file.h"

#include "files/file_messages.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <string>

namespace tavo {

namespace {

std::error_code lastError() { return {int(GetLastError()), std::system_category()}; }

// A name for the temporary file in the target's folder, told apart by the
// process and a counter; CREATE_NEW makes sure it is new.
std::wstring temporaryName(const std::filesystem::path &file)
{
    static unsigned long counter = 0;
    const std::wstring base = file.filename().wstring().substr(0, 64);
    return L"." + base + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter) + L".tmp";
}

class TemporaryFile {
public:
    ~TemporaryFile()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
        if (!path_.empty())
            DeleteFileW(path_.c_str());
    }

    std::error_code create(const std::filesystem::path &file)
    {
        if (const auto fault = injectedWriteFault(WriteStep::Create))
            return fault;
        const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
        for (unsigned attempt = 0; attempt < 100; ++attempt) {
            const std::filesystem::path path = folder / temporaryName(file);
            handle_ = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_HIDDEN, nullptr);
            if (handle_ != INVALID_HANDLE_VALUE) {
                path_ = path;
                return {};
            }
            if (GetLastError() != ERROR_FILE_EXISTS)
                return lastError();
        }
        return std::make_error_code(std::errc::file_exists);
    }

    std::error_code write(std::string_view bytes) const
    {
        while (!bytes.empty()) {
            if (const auto fault = injectedWriteFault(WriteStep::Write))
                return fault;
            const DWORD chunk = DWORD(std::min<std::size_t>(bytes.size(), 1u << 30));
            DWORD written = 0;
            if (!WriteFile(handle_, bytes.data(), chunk, &written, nullptr))
                return lastError();
            if (written == 0)
                return std::make_error_code(std::errc::io_error);
            bytes.remove_prefix(written);
        }
        return {};
    }

    std::error_code flush() const
    {
        if (const auto fault = injectedWriteFault(WriteStep::Flush))
            return fault;
        if (!FlushFileBuffers(handle_))
            return lastError();
        return {};
    }

    std::error_code close()
    {
        const auto fault = injectedWriteFault(WriteStep::Close);
        const BOOL closed = CloseHandle(handle_);
        const auto error = lastError();
        handle_ = INVALID_HANDLE_VALUE; // released even when the close fails
        if (fault)
            return fault;
        return closed ? std::error_code() : error;
    }

    std::error_code replace(const std::filesystem::path &file)
    {
        if (const auto fault = injectedWriteFault(WriteStep::Replace))
            return fault;
        if (!MoveFileExW(path_.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return lastError();
        path_.clear();
        // The new file shows like any other, not hidden as its temporary was.
        const DWORD attributes = GetFileAttributesW(file.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES)
            SetFileAttributesW(file.c_str(), attributes & ~DWORD(FILE_ATTRIBUTE_HIDDEN));
        return {};
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    std::filesystem::path path_;
};

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
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            return cannotCreate(std::make_error_code(std::errc::is_a_directory));
        // A file its owner made read-only is not replaced behind its back.
        if (attributes & FILE_ATTRIBUTE_READONLY)
            return cannotCreate(std::make_error_code(std::errc::permission_denied));
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            std::error_code ec;
            file = std::filesystem::canonical(target, ec);
            if (ec)
                return cannotCreate(ec);
        }
        // Devices (NUL, COM1) and pipes are never replaced.
        const HANDLE probe = CreateFileW(file.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, 0, nullptr);
        if (probe != INVALID_HANDLE_VALUE) {
            const DWORD type = GetFileType(probe);
            CloseHandle(probe);
            if (type != FILE_TYPE_DISK)
                return cannotCreate(std::make_error_code(std::errc::invalid_argument));
        }
    } else if (const DWORD error = GetLastError(); error != ERROR_FILE_NOT_FOUND) {
        return cannotCreate({int(error), std::system_category()});
    }

    TemporaryFile temporary;
    if (const auto error = temporary.create(file))
        return cannotCreate(error);
    std::error_code error = temporary.write(bytes);
    if (!error)
        error = temporary.flush();
    if (!error)
        error = temporary.close();
    if (!error)
        error = temporary.replace(file);
    if (error)
        return cannotWrite(error);
    return std::nullopt;
}

} // namespace tavo
