#pragma once
// What every command reads and writes besides its result: inputs by name,
// "-" being standard input; messages on stderr in UTF-8, one line each, as
// "tavo12f-cli: FILE: what went wrong"; and where a result goes: standard
// output, or a file written whole or not at all.

#include "cli/console.h"
#include "files/file_prefix.h"
#include "resultfile/result_load.h"

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavo::cli {

// The name of a FILE or OUT that means standard input or output.
inline constexpr std::string_view kStandardStream = "-";
inline constexpr std::string_view kStandardOutput = kStandardStream;

// Writes bytes to the stream as they are; a failed write to standard output
// is remembered for standardOutputFailure.
void writeBytes(std::FILE *stream, std::string_view bytes);
// Flushes standard output; the reason when anything written there was lost.
std::optional<std::string> standardOutputFailure();

std::string toUtf8(std::string_view cp1251);

// How a message names a file given on the command line: as given (control
// characters escaped, '' for nothing), "-" as standard input or output.
std::string inputName(std::string_view argument);
std::string outputName(std::string_view argument);

// "tavo12f-cli: NAME: message" on stderr; NAME from inputName/outputName.
void reportFileError(std::string_view name, std::string_view utf8Message);
// The usage error: "tavo12f-cli: message" and where to find help, on stderr.
// Returns the exit status of a usage error.
int usageError(std::string_view message);

// The beginning of an input, as readFilePrefix reads a path; "-" reads
// standard input (once: a second "-" gets the same bytes).
std::optional<FilePrefix> readInput(const std::string &argument, std::size_t limit);
// Loads a result file given on the command line; failures are reported.
std::optional<LoadedResult> loadInput(const std::string &argument);

// The input that `out` is the same file as, if any: writing OUT would
// destroy it.
std::optional<std::string> inputThatIs(const std::string &out, const std::vector<std::string> &inputs);

// Writes a command's result: to standard output for "-", else as the whole
// new content of the regular file `out` (anything else of that name is
// never replaced). False, with the message on stderr, when it failed.
bool writeResult(const std::string &out, std::string_view bytes);

} // namespace tavo::cli
