#include "resultfile/result_text.h"

#include <limits>

namespace tavo {

ResultText::ResultText(std::string_view text)
{
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string_view::npos) {
            m_lines.push_back(text.substr(start));
            break;
        }
        m_lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
}

std::string_view ResultText::line(std::size_t n) const
{
    return n < m_lines.size() ? m_lines[n] : std::string_view{};
}

std::string_view answerField(std::string_view line, int j)
{
    const std::size_t start = std::size_t(j - 1) * kAnswerFieldWidth;
    if (start >= line.size())
        return {};
    return line.substr(start, kAnswerFieldWidth);
}

namespace {

int digitValue(char c, int base)
{
    int v = -1;
    if (c >= '0' && c <= '9')
        v = c - '0';
    else if (c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
    return v < base ? v : -1;
}

// All of digits (at least one) in base, as a magnitude up to limit.
std::optional<std::int64_t> readMagnitude(std::string_view digits, int base, std::int64_t limit)
{
    if (digits.empty())
        return std::nullopt;
    std::int64_t value = 0;
    for (const char c : digits) {
        const int d = digitValue(c, base);
        if (d < 0)
            return std::nullopt;
        value = value * base + d;
        if (value > limit)
            return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<std::int32_t> convertAnswerField(std::string_view field)
{
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    const std::size_t first = field.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return std::nullopt;
    std::string_view rest = field.substr(first);

    std::string_view hexDigits;
    bool hex = false;
    if (rest.front() == '$' || rest.front() == 'x' || rest.front() == 'X') {
        hexDigits = rest.substr(1);
        hex = true;
    } else if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
        hexDigits = rest.substr(2);
        hex = true;
    }
    if (hex) {
        const auto value = readMagnitude(hexDigits, 16, kMax);
        if (!value)
            return std::nullopt;
        return std::int32_t(*value);
    }

    bool negative = false;
    if (rest.front() == '+' || rest.front() == '-') {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    const auto magnitude = readMagnitude(rest, 10, negative ? kMax + 1 : kMax);
    if (!magnitude)
        return std::nullopt;
    return std::int32_t(negative ? -*magnitude : *magnitude);
}

std::optional<std::string_view> AddAnswerLine(std::string_view line, std::int32_t &total)
{
    for (int j = 1; j <= kAnswerFieldCount; ++j) {
        const std::string_view field = answerField(line, j);
        const auto value = convertAnswerField(field);
        if (!value)
            return field;
        // Fields are three characters, so twelve of them cannot overflow; wrap
        // rather than trap should a caller ever pass more.
        total = std::int32_t(std::uint32_t(total) + std::uint32_t(*value));
    }
    return std::nullopt;
}

} // namespace tavo
