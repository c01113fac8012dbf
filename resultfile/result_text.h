#pragma once
// The decrypted result text: its lines and the answer fields of its answer lines.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tavo {

// Only lines 0 to 36 of a result text are ever read.
inline constexpr std::size_t kResultTextLines = 37;

// The lines of a result text, split at CR LF pairs only; a lone CR or LF is an
// ordinary character. Line n counts from 0; a line past the last, and every
// line from 37 on, reads as empty. The object views the text it was given,
// which must outlive it.
class ResultText {
public:
    explicit ResultText(std::string_view text);

    std::string_view line(std::size_t n) const { return n < kResultTextLines ? lines_[n] : std::string_view{}; }

private:
    std::array<std::string_view, kResultTextLines> lines_{};
};

// An answer line holds twelve three-character fields; field j (1..12) starts
// at character 3j - 2, counting from 1.
inline constexpr int kAnswerFieldCount = 12;
inline constexpr std::size_t kAnswerFieldWidth = 3;

// Field j of an answer line as cut from it: shorter (even empty) when the
// line ends inside or before it.
inline std::string_view answerField(std::string_view line, int j)
{
    const std::size_t start = std::size_t(j - 1) * kAnswerFieldWidth;
    return start < line.size() ? line.substr(start, kAnswerFieldWidth) : std::string_view{};
}

// Converts one answer field: leading spaces skipped, then an optional sign
// and decimal digits, or an unsigned hexadecimal number after "$", "x", "X",
// "0x" or "0X"; nothing may follow. Values outside int32 are invalid.
// Any length of field is converted, though answer fields have three characters.
std::optional<std::int32_t> convertAnswerField(std::string_view field);

// Adds the twelve fields of an answer line to total, one by one. Stops at the
// first invalid field and returns it exactly as cut (blanks included); the
// fields before it have been added by then.
std::optional<std::string_view> AddAnswerLine(std::string_view line, std::int32_t &total);

} // namespace tavo
