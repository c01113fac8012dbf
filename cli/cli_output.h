#pragma once
// What every command writes besides its result: messages on stderr in UTF-8,
// one per line, with paths shown in full as the user's system spells them;
// and where a result goes: standard output, or a file written whole or not
// at all.

#include "cli/console.h"
#include "resultfile/result_load.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavo::cli {

// The name of OUT that means standard output.
inline constexpr std::string_view kStandardOutput = "-";

// Writes bytes to the stream as they are; a failed write to standard output
// is remembered for standardOutputFailure.
void writeBytes(std::FILE *stream, std::string_view bytes);
// Flushes standard output; the reason when anything written there was lost.
std::optional<std::string> standardOutputFailure();

std::string toUtf8(std::string_view cp1251);
void reportFailure(std::string_view utf8Message);
std::string fullPath(const std::string &path);
// "Cannot open file <full path>" or the invalid-field message.
void reportLoadError(const LoadError &error, const std::string &path);

// The input that `out` is the same file as, if any: writing OUT would
// destroy it.
std::optional<std::string> inputThatIs(const std::string &out, const std::vector<std::string> &inputs);

// Writes a command's result: to standard output for "-", else as the whole
// new content of the regular file `out` (anything else of that name is
// never replaced). False, with the message on stderr, when it failed.
bool writeResult(const std::string &out, std::string_view bytes);

} // namespace tavo::cli
