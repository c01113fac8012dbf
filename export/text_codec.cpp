#include "export/text_codec.h"

#include <QStringDecoder>

#include <array>
#include <cstdint>

namespace tavo {

namespace {
constexpr const char *kCodePage = "windows-1251";

// UTF-16 code unit -> cp1251 byte, '?' where cp1251 has no character. Built
// once from the real decoder's view of the upper half; the lower half is
// ASCII. (The encoder itself substitutes SUB, 0x1A, not '?'.)
const std::array<char, 0x10000> &encodeTable()
{
    static const std::array<char, 0x10000> table = [] {
        std::array<char, 0x10000> t;
        t.fill('?');
        for (int c = 0; c < 0x80; ++c)
            t[std::size_t(c)] = char(c);
        std::array<char, 0x80> upper;
        for (int b = 0; b < 0x80; ++b)
            upper[std::size_t(b)] = char(0x80 + b);
        QStringDecoder decoder(kCodePage);
        const QString decoded = decoder.decode(QByteArrayView(upper.data(), qsizetype(upper.size())));
        if (decoded.size() == qsizetype(upper.size())) {
            for (int b = 0; b < 0x80; ++b) {
                const char16_t unit = decoded.at(b).unicode();
                if (unit >= 0x80 && unit != QChar::ReplacementCharacter)
                    t[unit] = upper[std::size_t(b)];
            }
        }
        return t;
    }();
    return table;
}
} // namespace

QString fromCp1251(std::string_view bytes)
{
    QStringDecoder decoder(kCodePage);
    return decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

std::string toCp1251(const QString &text)
{
    const auto &table = encodeTable();
    std::string bytes;
    bytes.reserve(std::size_t(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        // A character outside the BMP is one character: one '?'.
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        bytes.push_back(table[c.unicode()]);
    }
    return bytes;
}

} // namespace tavo
