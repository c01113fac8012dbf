// tavo12f-cli: the result-file tools without a window. The text commands run
// here without Qt; `render` hands its arguments to the drawing program.

#include "cli/cli_commands.h"
#include "cli/cli_output.h"
#include "cli/console.h"
#include "cli/render_launch.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char **argv)
{
    using namespace tavo::cli;
    setUpStandardStreams();
    const std::vector<std::string> args = commandArguments(argc, argv);
    if (args.empty())
        return usageError("no command given");
    if (args.front() == "-h" || args.front() == "--help") {
        const std::string text = usageText();
        writeBytes(stdout, text);
        return kExitOk;
    }

    const Command *command = nullptr;
    for (const auto &c : commands())
        if (c.name == args.front())
            command = &c;
    if (!command)
        return usageError("unknown command " + args.front());
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (!command->run)
        return launchRenderProgram(rest);
    return runCommand(*command, rest);
}
