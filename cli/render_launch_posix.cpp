#include "cli/render_launch.h"

#include "cli/cli_commands.h"
#include "cli/cli_output.h"
#include "files/file_messages.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace tavo::cli {

int launchRenderProgram(const std::vector<std::string> &arguments)
{
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    const std::filesystem::path program = (ec ? std::filesystem::path() : self.parent_path()) / TAVO_RENDER_PROGRAM;

    std::vector<char *> argv;
    std::string name = program.string();
    argv.push_back(name.data());
    std::vector<std::string> copies(arguments);
    for (std::string &argument : copies)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::fflush(stdout);
    execv(name.c_str(), argv.data());
    reportFileError(pathForMessage(name), std::string("cannot start: ") + std::strerror(errno));
    return kExitFileFailed;
}

} // namespace tavo::cli
