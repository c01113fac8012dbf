// tavo12f-cli: the result-file tools without a window.

#include "cli/cli_commands.h"
#include "cli/cli_output.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char **argv)
{
    using namespace tavo::cli;
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty())
        return usageError("no command given");
    if (args.front() == "-h" || args.front() == "--help") {
        const std::string text = usageText();
        std::fwrite(text.data(), 1, text.size(), stdout);
        return kExitOk;
    }

    const Command *command = nullptr;
    for (const auto &c : commands())
        if (c.name == args.front())
            command = &c;
    if (!command)
        return usageError("unknown command " + args.front());

    const auto parsed = parseArguments({args.begin() + 1, args.end()}, command->options);
    if (const auto *error = std::get_if<UsageError>(&parsed))
        return usageError(error->message);
    const auto &arguments = std::get<Arguments>(parsed);
    if (arguments.help) {
        const std::string text = usageText();
        std::fwrite(text.data(), 1, text.size(), stdout);
        return kExitOk;
    }
    const std::size_t n = arguments.operands.size();
    if (n < command->minOperands)
        return usageError(std::string(command->name) + ": a file is missing");
    if (n > command->maxOperands)
        return usageError(std::string(command->name) + ": too many files");
    int status = command->run(arguments);
    // A result that did not reach standard output (a full disk behind a
    // redirection, a closed pipe) is a failure, not a success.
    if (const auto reason = standardOutputFailure()) {
        reportFailure("Cannot write standard output: " + *reason);
        status = kExitFileFailed;
    }
    return status;
}
