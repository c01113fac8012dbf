#pragma once
// Compile-time conversion of the program's own UTF-8 literals to code page 1251.
//
// Sources are UTF-8; the core holds text as cp1251 bytes. Literals are written
// readably ("Часть 1"_cp1251) and converted by the compiler. Only ASCII and the
// Russian alphabet are accepted; any other character stops the build, so no
// literal can silently lose a character. Run-time conversion of user text
// goes through a real codec at the Qt edge instead.

#include <array>
#include <cstddef>
#include <string_view>

namespace tavo {

namespace detail {

template <std::size_t N>
struct Utf8Literal {
    char bytes[N]{};
    consteval Utf8Literal(const char (&text)[N])
    {
        for (std::size_t i = 0; i < N; ++i)
            bytes[i] = text[i];
    }
};

// Decodes the code point starting at text[i]; advances i past it.
constexpr char32_t decodeUtf8(const char *text, std::size_t &i)
{
    const auto b0 = static_cast<unsigned char>(text[i++]);
    if (b0 < 0x80)
        return b0;
    if ((b0 & 0xE0) == 0xC0) {
        const auto b1 = static_cast<unsigned char>(text[i++]);
        return char32_t((b0 & 0x1F) << 6 | (b1 & 0x3F));
    }
    throw "only ASCII and Cyrillic characters may appear in a cp1251 literal";
}

constexpr char toCp1251(char32_t c)
{
    if (c < 0x80)
        return static_cast<char>(c);
    if (c >= 0x0410 && c <= 0x044F) // А..я map in order onto 0xC0..0xFF
        return static_cast<char>(0xC0 + (c - 0x0410));
    if (c == 0x0401) // Ё
        return static_cast<char>(0xA8);
    if (c == 0x0451) // ё
        return static_cast<char>(0xB8);
    throw "character has no place in a cp1251 literal";
}

template <Utf8Literal S>
constexpr std::size_t cp1251Length()
{
    std::size_t count = 0;
    for (std::size_t i = 0; i + 1 < sizeof(S.bytes);) {
        decodeUtf8(S.bytes, i);
        ++count;
    }
    return count;
}

template <Utf8Literal S>
struct Cp1251Storage {
    static constexpr auto bytes = [] {
        std::array<char, cp1251Length<S>() + 1> out{};
        std::size_t o = 0;
        for (std::size_t i = 0; i + 1 < sizeof(S.bytes);)
            out[o++] = toCp1251(decodeUtf8(S.bytes, i));
        return out;
    }();
};

} // namespace detail

// "Текст"_cp1251 is a std::string_view of the cp1251 bytes, in static storage.
template <detail::Utf8Literal S>
consteval std::string_view operator""_cp1251()
{
    return {detail::Cp1251Storage<S>::bytes.data(), detail::Cp1251Storage<S>::bytes.size() - 1};
}

} // namespace tavo
