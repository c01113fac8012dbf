#pragma once
// `render` draws with Qt's widgets, which the text commands must not load:
// it runs in its own program, tavo12f-render, that lies beside tavo12f-cli.

#include <string>
#include <vector>

namespace tavo::cli {

// Runs the drawing program with the arguments that followed "render" and
// gives back its exit status; standard input, output and error pass through.
// Exit status 1 with a message when the program cannot be started.
int launchRenderProgram(const std::vector<std::string> &arguments);

} // namespace tavo::cli
