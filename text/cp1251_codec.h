#pragma once
// Run-time conversion between the core's cp1251 bytes and UTF-8, through the
// system's own codec (iconv here, the Windows code-page API there), so it
// works the same with every Qt build, ICU or not.

#include <string>
#include <string_view>

namespace tavo {

// Every cp1251 byte has a character; the one byte cp1251 leaves unassigned
// (0x98) becomes U+0098, as Windows itself decodes it.
std::string cp1251ToUtf8(std::string_view cp1251);

// Characters cp1251 cannot hold become "?", one per character; so does a
// malformed UTF-8 sequence.
std::string utf8ToCp1251(std::string_view utf8);

} // namespace tavo
