#include "files/file_messages.h"

namespace tavo {

std::string pathForMessage(std::string_view path)
{
    if (path.empty())
        return "''";
    std::string shown;
    shown.reserve(path.size());
    for (const char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x20 && c != 0x7F) {
            shown += ch;
            continue;
        }
        switch (c) {
        case '\n': shown += "\\n"; break;
        case '\r': shown += "\\r"; break;
        case '\t': shown += "\\t"; break;
        default: {
            static constexpr char kHex[] = "0123456789ABCDEF";
            shown += "\\x";
            shown += kHex[c >> 4];
            shown += kHex[c & 0xF];
        }
        }
    }
    return shown;
}

std::string cannotOpenFileMessage(std::string_view path) { return "Cannot open file " + pathForMessage(path); }

std::string cannotCreateFileMessage(std::string_view path) { return "Cannot create file " + pathForMessage(path); }

std::string cannotWriteFileMessage(std::string_view path, std::string_view reason)
{
    std::string message = "Cannot write file " + pathForMessage(path);
    message += ": ";
    message += reason;
    return message;
}

} // namespace tavo
