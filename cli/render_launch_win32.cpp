#include "cli/render_launch.h"

#include "cli/cli_commands.h"
#include "cli/cli_output.h"
#include "cli/console.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdio>
#include <string>
#include <system_error>

namespace tavo::cli {

namespace {

// One argument as the C runtime of the started program splits it again:
// quoted when it holds a blank or a quote, backslashes doubled before a quote.
std::wstring commandLineArgument(const std::wstring &argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos)
        return argument;
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"')
            out.append(2 * backslashes + 1, L'\\');
        else
            out.append(backslashes, L'\\');
        backslashes = 0;
        out.push_back(c);
    }
    out.append(2 * backslashes, L'\\');
    out.push_back(L'"');
    return out;
}

} // namespace

int launchRenderProgram(const std::vector<std::string> &arguments)
{
    std::wstring program(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, program.data(), DWORD(program.size()));
        if (n < program.size()) {
            program.resize(n);
            break;
        }
        program.resize(program.size() * 2);
    }
    program.resize(program.find_last_of(L"\\/") + 1);
    program += filePath(TAVO_RENDER_PROGRAM).native();

    std::wstring commandLine = commandLineArgument(program);
    for (const std::string &argument : arguments)
        commandLine += L" " + commandLineArgument(filePath(argument).native());

    std::fflush(stdout);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process)) {
        reportFileError(TAVO_RENDER_PROGRAM, "cannot start: " + std::system_category().message(int(GetLastError())));
        return kExitFileFailed;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = kExitFileFailed;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return int(status);
}

} // namespace tavo::cli
