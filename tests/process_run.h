#pragma once
// Runs a built program the way a user's shell would, without a shell: its
// arguments go in as given (UTF-8), its standard output and error are caught
// in files of a scratch folder, and chosen environment variables are set or
// removed for it alone. POSIX uses fork and exec; Windows CreateProcessW with
// a quoted wide command line, so arguments outside the ANSI code page arrive.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <cwctype>
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace tavo::testing_support {

struct ProcessRun {
    int status = -1; // the exit status, or -1 when the program did not end normally
    std::string out, err;
};

// A variable to set, or to remove when it has no value.
using EnvChange = std::pair<std::string, std::optional<std::string>>;

inline std::filesystem::path pathFromUtf8(const std::string &utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string utf8Of(const std::filesystem::path &path)
{
    const std::u8string s = path.u8string();
    return {s.begin(), s.end()};
}

namespace detail {

inline std::string readAllBytes(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

#ifdef _WIN32
inline std::wstring wide(const std::string &utf8)
{
    if (utf8.empty())
        return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring w(std::size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), w.data(), n);
    return w;
}

// One argument quoted for CommandLineToArgvW and the C runtime's parser.
inline std::wstring quotedArgument(const std::wstring &arg)
{
    if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos)
        return arg;
    std::wstring q = L"\"";
    for (auto it = arg.begin();; ++it) {
        std::size_t backslashes = 0;
        while (it != arg.end() && *it == L'\\') {
            ++it;
            ++backslashes;
        }
        if (it == arg.end()) {
            q.append(backslashes * 2, L'\\');
            break;
        }
        if (*it == L'"')
            q.append(backslashes * 2 + 1, L'\\');
        else
            q.append(backslashes, L'\\');
        q.push_back(*it);
    }
    return q + L"\"";
}

// The current environment with the changes applied, as CreateProcessW takes it.
inline std::wstring environmentBlock(const std::vector<EnvChange> &changes)
{
    std::vector<std::wstring> vars;
    if (wchar_t *block = GetEnvironmentStringsW()) {
        for (const wchar_t *p = block; *p; p += wcslen(p) + 1)
            vars.emplace_back(p);
        FreeEnvironmentStringsW(block);
    }
    const auto sameName = [](const std::wstring &var, const std::wstring &name) {
        if (var.size() <= name.size() || var[name.size()] != L'=')
            return false;
        for (std::size_t i = 0; i < name.size(); ++i)
            if (std::towupper(var[i]) != std::towupper(name[i]))
                return false;
        return true;
    };
    for (const auto &[name, value] : changes) {
        const std::wstring wname = wide(name);
        std::erase_if(vars, [&](const std::wstring &var) { return sameName(var, wname); });
        if (value)
            vars.push_back(wname + L"=" + wide(*value));
    }
    std::wstring block;
    for (const auto &var : vars)
        block += var + L'\0';
    return block + L'\0';
}
#endif

} // namespace detail

inline ProcessRun runProcess(const std::filesystem::path &program, const std::vector<std::string> &args,
                             const std::filesystem::path &scratch, const std::vector<EnvChange> &env = {})
{
    // Fresh names for every run: under Wine a console process may still hold
    // the files of the run before.
    static int runs = 0;
    const std::string n = std::to_string(++runs);
    const auto outFile = scratch / ("stdout-" + n + ".log"), errFile = scratch / ("stderr-" + n + ".log");
    ProcessRun run;
#ifdef _WIN32
    std::wstring commandLine = detail::quotedArgument(program.wstring());
    for (const auto &a : args)
        commandLine += L" " + detail::quotedArgument(detail::wide(a));
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    const auto create = [&](const std::filesystem::path &p) {
        return CreateFileW(p.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    };
    HANDLE out = create(outFile), err = create(errFile);
    HANDLE in =
        CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    std::wstring environment = detail::environmentBlock(env);
    // A console of its own, as a program started from a command prompt has:
    // without one, Qt reports a failed start in a message box that waits for
    // a click instead of on stderr.
    if (out != INVALID_HANDLE_VALUE && err != INVALID_HANDLE_VALUE &&
        CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                       CREATE_UNICODE_ENVIRONMENT | CREATE_NEW_CONSOLE, environment.data(), nullptr, &startup,
                       &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        if (GetExitCodeProcess(process.hProcess, &code))
            run.status = int(code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    for (HANDLE h : {in, out, err})
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
#else
    std::vector<std::string> argStrings{program.string()};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char *> argv;
    for (auto &a : argStrings)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int out = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int in = ::open("/dev/null", O_RDONLY);
        if (out < 0 || err < 0 || in < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0 || ::dup2(in, 0) < 0)
            ::_exit(127);
        for (const auto &[name, value] : env) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int raw = 0;
    if (pid > 0 && ::waitpid(pid, &raw, 0) == pid && WIFEXITED(raw))
        run.status = WEXITSTATUS(raw);
#endif
    run.out = detail::readAllBytes(outFile);
    run.err = detail::readAllBytes(errFile);
    return run;
}

} // namespace tavo::testing_support
