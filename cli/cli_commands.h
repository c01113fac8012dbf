#pragma once
// The commands of tavo12f-cli. Each is one function over parsed arguments
// that writes to stdout/stderr and returns the exit status. A new command is
// one more function and one more entry in commands().

#include "cli/cli_args.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tavo::cli {

enum ExitStatus : int {
    kExitOk = 0,
    kExitFileFailed = 1, // a file could not be opened, read, parsed or written
    kExitUsage = 2,
};

struct Command {
    std::string_view name;
    std::string_view synopsis;    // the arguments after the name, for the usage text
    std::string_view description; // one line
    std::vector<OptionDef> options;
    std::size_t minOperands;
    std::size_t maxOperands;
    // Nothing for `render`: the drawing program tavo12f-render runs it, so
    // that the text commands never load Qt.
    int (*run)(const Arguments &args);
};

// Parses the arguments after the command's name and runs it: the exit status.
int runCommand(const Command &command, const std::vector<std::string> &arguments);

const std::vector<Command> &commands();

// The usage text for all commands.
std::string usageText();

// Prints "tavo12f-cli: message" and the usage text on stderr; returns kExitUsage.
int usageError(std::string_view message);

// A threshold on the command line: one optional sign, then digits, within
// 32 bits. Nothing for anything else.
std::optional<std::int32_t> parseThreshold(std::string_view text);
// The usage error for a threshold that parseThreshold refuses, naming it.
int thresholdUsageError(std::string_view text);

int runDecrypt(const Arguments &args);
int runEncrypt(const Arguments &args);
int runReport(const Arguments &args);
int runProfile(const Arguments &args);

} // namespace tavo::cli
