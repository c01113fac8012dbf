// tavo12f-cli: the result-file tools without a window. The text commands run
// here without Qt; `render` hands its arguments to the drawing program.

#include "cli/cli_commands.h"
#include "cli/console.h"
#include "cli/render_launch.h"

#include <string>
#include <vector>

int main(int argc, char **argv)
{
    using namespace tavo::cli;
    setUpStandardStreams();
    const std::vector<std::string> args = commandArguments(argc, argv);
    return runCommandLine(args, [&args](const Arguments &parsed) {
        if (parsed.command == "render")
            return launchRenderProgram({args.begin() + 1, args.end()});
        return runTextCommand(parsed);
    });
}
