// tavo12f-render: what `tavo12f-cli render ARGS` runs, as `tavo12f-render ARGS`.

#include "cli/cli_commands.h"
#include "cli/console.h"
#include "render/render_command.h"

#include <string>
#include <vector>

int main(int argc, char **argv)
{
    using namespace tavo::cli;
    setUpStandardStreams();
    std::vector<std::string> args = commandArguments(argc, argv);
    args.insert(args.begin(), "render");
    return runCommandLine(args, &renderPictures);
}
