#pragma once
// The companion's command line: COMMAND, then its options and files in any
// order ("--" ends the options, "-" is a file: standard input or output).
// Parsing, help and version texts come from CLI11, behind this header, so
// the commands and the drawing program see only plain parsed arguments.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavo::cli {

inline constexpr std::string_view kProgramName = "tavo12f-cli";

struct Arguments {
    std::string command;
    // By the option's first name ("-o", "--threshold"); a flag given has "".
    std::map<std::string, std::string, std::less<>> options;
    std::vector<std::string> operands;

    std::optional<std::string_view> option(std::string_view name) const;
};

struct ParsedCommandLine {
    enum class Kind {
        Run,   // run `arguments.command`
        Text,  // print `text` on standard output and end with success (--help, --version, help)
        Usage, // a usage error: `text` is its one-line message
    };
    Kind kind = Kind::Usage;
    Arguments arguments;
    std::string text;
};

// Parses the arguments after the program's name.
ParsedCommandLine parseCommandLine(const std::vector<std::string> &args);

// The help text of the program, or of one command.
std::string helpText(std::string_view command = {});

// "tavo12f-cli 2.01"
std::string versionText();

// A threshold on the command line: one optional sign, then digits, within
// 32 bits. Nothing for anything else.
std::optional<std::int32_t> parseThreshold(std::string_view text);

} // namespace tavo::cli
