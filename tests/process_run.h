#pragma once
// Runs a built program the way a user's shell would, without a shell: its
// arguments go in as given (UTF-8), standard input is a pipe fed from a
// string (or empty), standard output and error are caught in files of a
// scratch folder, and chosen environment variables are set or removed for
// it alone. POSIX uses fork and exec (the child may take a memory limit);
// Windows CreateProcessW with a quoted wide command line, so arguments
// outside the ANSI code page arrive.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#ifdef _WIN32
#include "text/wide_text.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <cwctype>
#else
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace tavo::testing_support {

struct ProcessRun {
    int status = -1; // the exit status, or -1 when the program did not end normally (or in time)
    std::string out, err;
};

// A variable to set, or to remove when it has no value.
using EnvChange = std::pair<std::string, std::optional<std::string>>;

struct RunOptions {
    std::optional<std::string> input;      // piped to standard input; without it, input is empty
    std::vector<EnvChange> env;            // for the program alone
    std::filesystem::path stdoutTo;        // where standard output goes instead of being caught (/dev/full)
    std::chrono::seconds timeout{120};     // then the program is killed and the status is -1
    unsigned long long addressSpaceMb = 0; // POSIX: a memory limit for the program, 0 for none
};

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
inline std::wstring wide(const std::string &utf8) { return tavo::wideFromUtf8(utf8); }

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
                             const std::filesystem::path &scratch, const RunOptions &options)
{
    // Fresh names for every run: under Wine a console process may still hold
    // the files of the run before.
    static int runs = 0;
    const std::string n = std::to_string(++runs);
    const auto outFile = options.stdoutTo.empty() ? scratch / ("stdout-" + n + ".log") : options.stdoutTo;
    const auto errFile = scratch / ("stderr-" + n + ".log");
    const std::string input = options.input.value_or(std::string());
    ProcessRun run;
    std::string startFailure; // why the program did not start, where that is known
#ifdef _WIN32
    std::wstring commandLine = detail::quotedArgument(program.wstring());
    for (const auto &a : args)
        commandLine += L" " + detail::quotedArgument(detail::wide(a));
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    const auto create = [&](const std::filesystem::path &p, DWORD disposition) {
        return CreateFileW(p.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, disposition,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    HANDLE out = create(outFile, options.stdoutTo.empty() ? CREATE_ALWAYS : OPEN_EXISTING);
    HANDLE err = create(errFile, CREATE_ALWAYS);
    HANDLE inRead = INVALID_HANDLE_VALUE, inWrite = INVALID_HANDLE_VALUE;
    if (!CreatePipe(&inRead, &inWrite, &inherit, 0))
        inRead = inWrite = INVALID_HANDLE_VALUE;
    else
        SetHandleInformation(inWrite, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = inRead;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    std::wstring environment = detail::environmentBlock(options.env);
    // A console of its own, as a program started from a command prompt has:
    // without one, Qt reports a failed start in a message box that waits for
    // a click instead of on stderr.
    if (out != INVALID_HANDLE_VALUE && err != INVALID_HANDLE_VALUE && inRead != INVALID_HANDLE_VALUE &&
        CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                       CREATE_UNICODE_ENVIRONMENT | CREATE_NEW_CONSOLE, environment.data(), nullptr, &startup,
                       &process)) {
        CloseHandle(inRead);
        inRead = INVALID_HANDLE_VALUE;
        // Fed from a thread: a program that stops reading must not stop the test.
        std::thread feeder([&input, &inWrite] {
            DWORD written = 0;
            for (std::size_t at = 0; at < input.size(); at += written)
                if (!WriteFile(inWrite, input.data() + at, DWORD(input.size() - at), &written, nullptr))
                    break;
            CloseHandle(inWrite);
            inWrite = INVALID_HANDLE_VALUE;
        });
        const auto waitMs = DWORD(std::chrono::milliseconds(options.timeout).count());
        if (WaitForSingleObject(process.hProcess, waitMs) != WAIT_OBJECT_0) {
            TerminateProcess(process.hProcess, 1);
            WaitForSingleObject(process.hProcess, INFINITE);
        } else {
            DWORD code = 0;
            if (GetExitCodeProcess(process.hProcess, &code))
                run.status = int(code);
        }
        feeder.join();
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    } else {
        // Said where the program's own errors would be, so that a start that
        // fails now and then under Wine says why.
        startFailure = "the test could not start the program: Windows error " + std::to_string(GetLastError());
    }
    for (HANDLE h : {inRead, inWrite, out, err})
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
#else
    std::vector<std::string> argStrings{program.string()};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char *> argv;
    for (auto &a : argStrings)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    int pipeEnds[2] = {-1, -1};
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
        return run;
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int out = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0 || ::dup2(pipeEnds[0], 0) < 0)
            ::_exit(127);
        for (const auto &[name, value] : options.env) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
        if (options.addressSpaceMb) {
            const rlim_t bytes = rlim_t(options.addressSpaceMb) << 20;
            const rlimit limit{bytes, bytes};
            ::setrlimit(RLIMIT_AS, &limit);
        }
        ::signal(SIGPIPE, SIG_DFL);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(pipeEnds[0]);
    // A program that stops reading gets EPIPE here, not a signal for the test.
    const auto previousHandler = ::signal(SIGPIPE, SIG_IGN);
    std::thread feeder([&input, writeEnd = pipeEnds[1]] {
        for (std::size_t at = 0; at < input.size();) {
            const ssize_t written = ::write(writeEnd, input.data() + at, input.size() - at);
            if (written <= 0)
                break;
            at += std::size_t(written);
        }
        ::close(writeEnd);
    });
    int raw = 0;
    const auto deadline = std::chrono::steady_clock::now() + options.timeout;
    bool ended = false;
    while (pid > 0 && !ended) {
        const pid_t waited = ::waitpid(pid, &raw, WNOHANG);
        if (waited == pid) {
            ended = true;
        } else if (waited < 0) {
            break;
        } else if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &raw, 0);
            raw = -1;
            break;
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    feeder.join();
    ::signal(SIGPIPE, previousHandler);
    if (ended && WIFEXITED(raw))
        run.status = WEXITSTATUS(raw);
#endif
    if (options.stdoutTo.empty())
        run.out = detail::readAllBytes(outFile);
    run.err = detail::readAllBytes(errFile) + startFailure;
    return run;
}

inline ProcessRun runProcess(const std::filesystem::path &program, const std::vector<std::string> &args,
                             const std::filesystem::path &scratch, const std::vector<EnvChange> &env = {})
{
    RunOptions options;
    options.env = env;
    return runProcess(program, args, scratch, options);
}

} // namespace tavo::testing_support
