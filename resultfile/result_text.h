#pragma once
// The decrypted result text: its lines and the answer fields of its answer lines.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tavo {

// Lines split at CR LF pairs only; a lone CR or LF is an ordinary character.
// Line n counts from 0 and a line past the last reads as empty. The object
// views the text it was given, which must outlive it.
class ResultText {
public:
    explicit ResultText(std::string_view text);

    std::string_view line(std::size_t n) const;
    std::size_t lineCount() const { return m_lines.size(); }

private:
    std::vector<std::string_view> m_lines;
};

// An answer line holds twelve three-character fields; field j (1..12) starts
// at character 3j - 2, counting from 1.
inline constexpr int kAnswerFieldCount = 12;
inline constexpr std::size_t kAnswerFieldWidth = 3;

// Field j of an answer line as cut from it: shorter (even empty) when the
// line ends inside or before it.
std::string_view answerField(std::string_view line, int j);

// Converts one answer field: leading spaces skipped, then an optional sign
// and decimal digits, or an unsigned hexadecimal number after "$", "x", "X",
// "0x" or "0X"; nothing may follow. Values outside int32 are invalid.
std::optional<std::int32_t> convertAnswerField(std::string_view field);

// Adds the twelve fields of an answer line to total, one by one. Stops at the
// first invalid field and returns it exactly as cut (blanks included); the
// fields before it have been added by then.
std::optional<std::string_view> AddAnswerLine(std::string_view line, std::int32_t &total);

} // namespace tavo
