#include "text/cp1251_codec.h"
#include "text/wide_text.h"

#include <windows.h>

#include <string>

namespace tavo {

namespace {

constexpr UINT kCp1251 = 1251;

std::wstring toWide(UINT codePage, std::string_view bytes)
{
    if (bytes.empty())
        return {};
    const int length = MultiByteToWideChar(codePage, 0, bytes.data(), int(bytes.size()), nullptr, 0);
    std::wstring wide(std::size_t(length), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), int(bytes.size()), wide.data(), length);
    return wide;
}

std::string fromWide(UINT codePage, std::wstring_view wide, const char *defaultChar)
{
    if (wide.empty())
        return {};
    // Without WC_NO_BEST_FIT_CHARS Windows writes a look-alike ("e" for "ë")
    // instead of the default character. UTF-8 takes no flags and no default.
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int length =
        WideCharToMultiByte(codePage, flags, wide.data(), int(wide.size()), nullptr, 0, defaultChar, nullptr);
    std::string bytes(std::size_t(length), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), int(wide.size()), bytes.data(), length, defaultChar, nullptr);
    return bytes;
}

} // namespace

std::wstring wideFromUtf8(std::string_view utf8) { return toWide(CP_UTF8, utf8); }

std::string utf8FromWide(std::wstring_view wide) { return fromWide(CP_UTF8, wide, nullptr); }

std::string cp1251ToUtf8(std::string_view cp1251) { return fromWide(CP_UTF8, toWide(kCp1251, cp1251), nullptr); }

std::string utf8ToCp1251(std::string_view utf8)
{
    // A character outside the BMP is two UTF-16 units but one character: one "?".
    const std::wstring wide = toWide(CP_UTF8, utf8);
    std::wstring joined;
    joined.reserve(wide.size());
    for (std::size_t k = 0; k < wide.size(); ++k) {
        joined.push_back(wide[k]);
        if (IS_HIGH_SURROGATE(wide[k]) && k + 1 < wide.size() && IS_LOW_SURROGATE(wide[k + 1]))
            ++k;
    }
    return fromWide(kCp1251, joined, "?");
}

} // namespace tavo
