#pragma once
// The companion's side of the operating system: its arguments, its standard
// streams and its file names, all as UTF-8 text inside the program. Linux
// hands them over as they are; Windows hands main its arguments in the ANSI
// code page, turns "\n" into "\r\n" on text streams and shows a console's
// bytes in the OEM code page, so there the wide calls are taken instead.

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tavo::cli {

// The arguments after the program's name, in UTF-8 on Windows (from the wide
// command line), as given elsewhere.
std::vector<std::string> commandArguments(int argc, char **argv);

// Makes stdin, stdout and stderr carry bytes unchanged. Call once, before writing.
void setUpStandardStreams();

// Writes bytes as they are; a Windows console gets them as UTF-8 text.
// False when not all of them were written.
bool writeStream(std::FILE *stream, std::string_view bytes);

// A file name given on the command line, and a path shown in a message.
std::filesystem::path filePath(std::string_view argument);
std::string displayPath(const std::filesystem::path &path);

} // namespace tavo::cli
