#include "cli/cli_args.h"

namespace tavo::cli {

std::optional<std::string_view> Arguments::option(std::string_view name) const
{
    const auto it = options.find(name);
    if (it == options.end())
        return std::nullopt;
    return it->second;
}

std::variant<Arguments, UsageError> parseArguments(const std::vector<std::string> &args,
                                                   const std::vector<OptionDef> &defs)
{
    Arguments parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            parsed.operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "-h" || arg == "--help") {
            parsed.help = true;
            continue;
        }
        // "--name=value" as well as "--name value".
        std::string_view name = arg;
        std::optional<std::string> inlineValue;
        if (const auto eq = arg.find('='); arg.starts_with("--") && eq != std::string::npos) {
            name = std::string_view(arg).substr(0, eq);
            inlineValue = arg.substr(eq + 1);
        }
        const OptionDef *def = nullptr;
        for (const auto &s : defs)
            if (name == s.name || (!s.alias.empty() && name == s.alias))
                def = &s;
        if (!def)
            return UsageError{"unknown option " + std::string(name)};
        std::string value;
        if (def->takesValue) {
            if (inlineValue) {
                value = *inlineValue;
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                return UsageError{"option " + std::string(name) + " needs a value"};
            }
        } else if (inlineValue) {
            return UsageError{"option " + std::string(name) + " takes no value"};
        }
        parsed.options[std::string(def->name)] = value;
    }
    return parsed;
}

} // namespace tavo::cli
