#pragma once
// The messages of file failures. Each is one line: a path is shown as given,
// but a control character in it (a line break in a file name) is escaped, and
// an empty path is shown as ''. The path's bytes are passed through in
// whatever encoding they have (UTF-8 from the writer and the companion).

#include <string>
#include <string_view>

namespace tavo {

// The path as a message shows it: \n, \r, \t or \xNN for control characters,
// '' for nothing.
std::string pathForMessage(std::string_view path);

// "Cannot open file %s"
std::string cannotOpenFileMessage(std::string_view path);
// "Cannot create file %s"
std::string cannotCreateFileMessage(std::string_view path);
// "Cannot write file %s: %s", the second being the system's reason
// ("No space left on device").
std::string cannotWriteFileMessage(std::string_view path, std::string_view reason);

} // namespace tavo
