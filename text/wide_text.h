#pragma once
// Windows only: UTF-8 to and from the UTF-16 of the system's wide calls
// (command lines, console output, file names), with the code-page API the
// cp1251 codec uses too.

#ifdef _WIN32

#include <string>
#include <string_view>

namespace tavo {

std::wstring wideFromUtf8(std::string_view utf8);
std::string utf8FromWide(std::wstring_view wide);

} // namespace tavo

#endif
