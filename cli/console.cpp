#include "cli/console.h"

#ifdef _WIN32
#include "text/wide_text.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>
#endif

namespace tavo::cli {

#ifdef _WIN32

namespace {

// The console behind a stream, or null when it goes to a file or a pipe.
HANDLE consoleOf(std::FILE *stream)
{
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) ? handle : nullptr;
}

} // namespace

std::vector<std::string> commandArguments(int argc, char **argv)
{
    int count = 0;
    LPWSTR *wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide)
        return {argv + (argc > 0 ? 1 : 0), argv + argc};
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i)
        args.push_back(utf8FromWide(wide[i]));
    LocalFree(wide);
    return args;
}

void setUpStandardStreams()
{
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

bool writeStream(std::FILE *stream, std::string_view bytes)
{
    if (const HANDLE console = consoleOf(stream)) {
        std::fflush(stream);
        const std::wstring text = wideFromUtf8(bytes);
        DWORD written = 0;
        return WriteConsoleW(console, text.data(), DWORD(text.size()), &written, nullptr) && written == text.size();
    }
    return std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
}

std::filesystem::path filePath(std::string_view argument)
{
    return std::filesystem::path(std::u8string(argument.begin(), argument.end()));
}

std::string displayPath(const std::filesystem::path &path)
{
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

#else

std::vector<std::string> commandArguments(int argc, char **argv) { return {argv + (argc > 0 ? 1 : 0), argv + argc}; }

void setUpStandardStreams() {}

bool writeStream(std::FILE *stream, std::string_view bytes)
{
    return std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
}

// File names are bytes here; they pass through untouched, UTF-8 or not.
std::filesystem::path filePath(std::string_view argument) { return std::filesystem::path(std::string(argument)); }

std::string displayPath(const std::filesystem::path &path) { return path.string(); }

#endif

} // namespace tavo::cli
