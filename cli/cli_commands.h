#pragma once
// The commands of tavo12f-cli. Each is one function over parsed arguments
// that writes to stdout/stderr and returns the exit status; its options are
// declared in cli_args.cpp.

#include "cli/cli_args.h"

#include <functional>
#include <string>
#include <vector>

namespace tavo::cli {

enum ExitStatus : int {
    kExitOk = 0,
    kExitFileFailed = 1, // a file could not be opened, read, parsed or written
    kExitUsage = 2,
};

using CommandRunner = std::function<int(const Arguments &args)>;

// Answers --help, --version and usage errors, else runs the command with
// `run` and checks that its result reached standard output: the exit status.
int runCommandLine(const std::vector<std::string> &args, const CommandRunner &run);

// The runner of the text commands (decrypt, encrypt, report, profile).
int runTextCommand(const Arguments &args);

int runDecrypt(const Arguments &args);
int runEncrypt(const Arguments &args);
int runReport(const Arguments &args);
int runProfile(const Arguments &args);

} // namespace tavo::cli
