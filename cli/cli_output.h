#pragma once
// What every command writes besides its result: messages on stderr in UTF-8,
// one per line, with paths shown in full as the user's system spells them.

#include "cli/console.h"
#include "resultfile/result_load.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace tavo::cli {

std::string toUtf8(std::string_view cp1251);
void reportFailure(std::string_view utf8Message);
std::string fullPath(const std::string &path);
// "Cannot open file <full path>" or the invalid-field message.
void reportLoadError(const LoadError &error, const std::string &path);
// "Cannot create file <full path>", as the save commands say it.
void reportCannotCreate(const std::string &path);

} // namespace tavo::cli
