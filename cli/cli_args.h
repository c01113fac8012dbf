#pragma once
// A small command-line parser: COMMAND, then options and operands in any
// order. Each command declares which options it takes and whether they take
// a value; "--" ends the options.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tavo::cli {

struct OptionDef {
    std::string_view name;  // "-o" or "--encoding"
    std::string_view alias; // another spelling ("--output"), may be empty
    bool takesValue = true;
};

struct Arguments {
    std::map<std::string, std::string, std::less<>> options; // by the option's main name
    std::vector<std::string> operands;
    bool help = false; // -h or --help anywhere

    std::optional<std::string_view> option(std::string_view name) const;
};

struct UsageError {
    std::string message;
};

// Parses the arguments after the command name.
std::variant<Arguments, UsageError> parseArguments(const std::vector<std::string> &args,
                                                   const std::vector<OptionDef> &defs);

} // namespace tavo::cli
