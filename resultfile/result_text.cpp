#include "resultfile/result_text.h"

#include <array>
#include <cstring>
#include <limits>

namespace tavo {

ResultText::ResultText(std::string_view text)
{
    const char *start = text.data();
    const char *const end = start + text.size();
    for (auto &line : lines_) {
        if (start == end)
            break;
        // The next CR that a LF follows; a CR at the very end ends no line.
        const char *cr = start;
        while ((cr = static_cast<const char *>(std::memchr(cr, '\r', std::size_t(end - cr)))) != nullptr &&
               (cr + 1 == end || cr[1] != '\n'))
            ++cr;
        if (cr == nullptr) {
            line = std::string_view(start, std::size_t(end - start));
            break;
        }
        line = std::string_view(start, std::size_t(cr - start));
        start = cr + 2;
    }
}

std::optional<std::int32_t> convertAnswerField(std::string_view field)
{
    const auto *p = reinterpret_cast<const unsigned char *>(field.data());
    const auto *const end = p + field.size();
    while (p != end && *p == ' ')
        ++p;
    if (p == end)
        return std::nullopt;

    unsigned base = 10;
    bool negative = false;
    if (*p == '$' || *p == 'x' || *p == 'X') {
        base = 16;
        ++p;
    } else if (*p == '0' && end - p >= 2 && (p[1] == 'x' || p[1] == 'X')) {
        base = 16;
        p += 2;
    } else if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    if (p == end)
        return std::nullopt;

    // The magnitude may reach 2^31 only for a negative decimal number.
    const std::uint64_t limit = std::uint64_t(std::numeric_limits<std::int32_t>::max()) + (negative ? 1 : 0);
    std::uint64_t value = 0;
    for (; p != end; ++p) {
        unsigned digit = unsigned(*p) - '0';
        if (digit >= 10) {
            // 'A'..'F' and 'a'..'f' alike; nothing else lands on 10..15.
            digit = unsigned(*p | 0x20) - 'a' + 10;
            if (base != 16 || digit < 10 || digit > 15)
                return std::nullopt;
        }
        value = value * base + digit;
        if (value > limit)
            return std::nullopt;
    }
    return std::int32_t(negative ? 0 - value : value);
}

namespace {

constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The usual answer field, "  d", " dd" or "ddd", read at once; false for
// anything else, which goes through the full rule.
bool readUsualField(std::string_view field, std::int32_t &value)
{
    if (field.size() != kAnswerFieldWidth || !isDigit(field[2]))
        return false;
    if (field[0] == ' ' && field[1] == ' ')
        value = field[2] - '0';
    else if (field[0] == ' ' && isDigit(field[1]))
        value = (field[1] - '0') * 10 + (field[2] - '0');
    else if (isDigit(field[0]) && isDigit(field[1]))
        value = (field[0] - '0') * 100 + (field[1] - '0') * 10 + (field[2] - '0');
    else
        return false;
    return true;
}

// A usual field is "  d", " dd" or "ddd". Each position of it has a table
// that gives a character's share of the field's value (a blank counts 0) in
// the low bits, and marks above them: kWrong for a character that cannot be
// there, and kBlankAfterDigit at both ends of a digit first and a blank
// second, so that the two add up to a carry into kWrong's bits.
constexpr std::uint32_t kBlankAfterDigit = 1u << 20;
constexpr std::uint32_t kWrong = 1u << 21;
constexpr std::uint32_t kValueBits = kBlankAfterDigit - 1;

constexpr std::array<std::uint32_t, 256> fieldPosition(std::uint32_t weight, std::uint32_t blank,
                                                       std::uint32_t digitMark)
{
    std::array<std::uint32_t, 256> table{};
    table.fill(kWrong);
    for (unsigned c = '0'; c <= '9'; ++c)
        table[c] = weight * (c - '0') + digitMark;
    table[' '] = blank;
    return table;
}

constexpr auto kFirstChar = fieldPosition(100, 0, kBlankAfterDigit);
constexpr auto kSecondChar = fieldPosition(10, kBlankAfterDigit, 0);
constexpr auto kThirdChar = fieldPosition(1, kWrong, 0);

// The sum of twelve usual fields, read straight from the line; nothing when
// the line is shorter or any field is not usual, for the full rule to decide.
std::optional<std::int32_t> sumOfUsualFields(std::string_view line)
{
    if (line.size() < kAnswerFieldCount * kAnswerFieldWidth)
        return std::nullopt;
    const auto *p = reinterpret_cast<const unsigned char *>(line.data());
    std::uint32_t sum = 0;
    std::uint32_t marks = 0;
    for (int j = 0; j < kAnswerFieldCount; ++j, p += kAnswerFieldWidth) {
        const std::uint32_t field = kFirstChar[p[0]] + kSecondChar[p[1]] + kThirdChar[p[2]];
        marks |= field;
        sum += field & kValueBits;
    }
    if ((marks & ~kValueBits & ~kBlankAfterDigit) != 0)
        return std::nullopt;
    return std::int32_t(sum);
}

} // namespace

std::optional<std::string_view> AddAnswerLine(std::string_view line, std::int32_t &total)
{
    if (const auto sum = sumOfUsualFields(line)) {
        total = std::int32_t(std::uint32_t(total) + std::uint32_t(*sum));
        return std::nullopt;
    }
    for (int j = 1; j <= kAnswerFieldCount; ++j) {
        const std::string_view field = answerField(line, j);
        std::int32_t value = 0;
        if (!readUsualField(field, value)) {
            const auto converted = convertAnswerField(field);
            if (!converted)
                return field;
            value = *converted;
        }
        // Fields are three characters, so twelve of them cannot overflow; wrap
        // rather than trap should a caller ever pass more.
        total = std::int32_t(std::uint32_t(total) + std::uint32_t(value));
    }
    return std::nullopt;
}

} // namespace tavo
