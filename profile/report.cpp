#include "profile/report.h"

#include "text/cp1251_literal.h"

#include <array>
#include <cstring>

namespace tavo {

namespace {

constexpr std::string_view kMethodTitle = "Мотивационный профиль Зелю-Карбона (модификация Зовита Р.Е.)"_cp1251;
constexpr std::string_view kStart = "Начало теста: "_cp1251;
constexpr std::string_view kFirstHalf = "Выполнение. Часть 1: "_cp1251;
constexpr std::string_view kSecondHalf = "Выполнение. Часть 2: "_cp1251;
constexpr std::string_view kIdealSuffix = " - Важность для выбора новой работы"_cp1251;
// Two blanks on each side of "на", as the questionnaire prints it.
constexpr std::string_view kRealSuffix = " - Выраженность  на  текущей работе"_cp1251;
constexpr std::string_view kDifferenceSuffix = " - \"Реальная\" - \"Идеальная\" работа"_cp1251;

// "%4d" into a buffer of the caller's; returns the characters written.
class Points {
public:
    explicit Points(std::int32_t value)
    {
        // Digits from the end; the magnitude as unsigned so that INT32_MIN fits.
        std::uint32_t magnitude = value < 0 ? 0u - std::uint32_t(value) : std::uint32_t(value);
        char *p = buffer_ + sizeof buffer_;
        do {
            *--p = char('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        if (value < 0)
            *--p = '-';
        while (p > buffer_ + sizeof buffer_ - 4)
            *--p = ' ';
        text_ = std::string_view(p, std::size_t(buffer_ + sizeof buffer_ - p));
    }
    Points(const Points &) = delete;
    Points &operator=(const Points &) = delete;
    std::string_view text() const { return text_; }

private:
    char buffer_[12]; // a sign and ten digits at most
    std::string_view text_;
};

// Block lines 8 to 67, the twelve factor blocks, with every number four
// characters wide: the text, where its lines end and where each number's four
// characters go (Ideal, Real and difference of factor 1, then factor 2, ...).
struct FactorSection {
    static constexpr std::size_t kLines = kReportBlockLines - 7;
    std::string text;
    std::array<std::size_t, kLines> ends{};
    std::array<std::size_t, 3 * kFactorCount> numbers{};
};

const FactorSection &factorSection()
{
    static const FactorSection section = [] {
        FactorSection s;
        std::size_t line = 0;
        std::size_t number = 0;
        const auto addLine = [&](std::string_view text) {
            s.text += text;
            s.ends[line++] = s.text.size();
        };
        const auto addNumberLine = [&](std::string_view suffix) {
            s.numbers[number++] = s.text.size();
            s.text += "    ";
            addLine(suffix);
        };
        for (int k = 1; k <= kFactorCount; ++k) {
            addLine(factorText(k));
            addNumberLine(kIdealSuffix);
            addNumberLine(kRealSuffix);
            addNumberLine(kDifferenceSuffix);
            addLine({});
        }
        return s;
    }();
    return section;
}

// "%4d" of a value from -999 to 9999 into its four characters.
void writeFourWide(std::int32_t value, char *out)
{
    std::uint32_t magnitude = value < 0 ? 0u - std::uint32_t(value) : std::uint32_t(value);
    char digits[4] = {' ', ' ', ' ', ' '};
    int at = 3;
    do {
        digits[at--] = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        digits[at] = '-';
    std::memcpy(out, digits, 4);
}

std::string concat(std::initializer_list<std::string_view> pieces)
{
    std::size_t size = 0;
    for (const auto piece : pieces)
        size += piece.size();
    std::string out;
    out.reserve(size);
    for (const auto piece : pieces)
        out += piece;
    return out;
}

} // namespace

void TextLines::reserve(std::size_t lines, std::size_t chars)
{
    ends_.reserve(lines);
    text_.reserve(chars);
}

void TextLines::addLine(std::initializer_list<std::string_view> pieces)
{
    for (const auto piece : pieces)
        text_ += piece;
    ends_.push_back(text_.size());
}

void TextLines::addLines(std::string_view text, std::span<const std::size_t> ends)
{
    const std::size_t base = text_.size();
    text_.append(text.substr(0, ends.empty() ? 0 : ends.back()));
    const std::size_t first = ends_.size();
    ends_.resize(first + ends.size());
    for (std::size_t i = 0; i < ends.size(); ++i)
        ends_[first + i] = base + ends[i];
}

std::string_view TextLines::operator[](std::size_t line) const
{
    const std::size_t start = line == 0 ? 0 : ends_[line - 1];
    return std::string_view(text_).substr(start, ends_[line] - start);
}

std::string formatPoints(std::int32_t value) { return std::string(Points(value).text()); }

std::string chartTitleFirstStage(const ResultHeader &header)
{
    return concat({header.subject, " ", header.subjectDetails, " ", header.organisation});
}

std::string chartTitle(const ResultHeader &header)
{
    return concat({header.subject, " ", header.subjectDetails, " ", header.organisation, "  ", kStart, header.testStart,
                   "  ", kFirstHalf, header.firstHalfCompletion, "  ", kSecondHalf, header.secondHalfCompletion});
}

TextLines reportBlock(const ResultHeader &header, const ProfileRecord &profile)
{
    TextLines lines;
    // The fixed text of a block is about 2,300 bytes; the header lines come on top.
    lines.reserve(kReportBlockLines,
                  2560 +
                      2 *
                          (header.subject.size() + header.subjectDetails.size() + header.organisation.size() +
                           header.testStart.size() + header.firstHalfCompletion.size() +
                           header.secondHalfCompletion.size()));
    lines.addLine({kMethodTitle});
    lines.addLine({});
    lines.addLine({header.subject, " ", header.subjectDetails, " ", header.organisation});
    lines.addLine({kStart, header.testStart});
    lines.addLine({kFirstHalf, header.firstHalfCompletion});
    lines.addLine({kSecondHalf, header.secondHalfCompletion});
    lines.addLine({});

    // Totals of at most four characters, the usual case, go into a copy of
    // the fixed text; wider ones need the lines written one by one.
    std::array<std::int32_t, 3 * kFactorCount> numbers{};
    bool fourWide = true;
    for (int k = 1; k <= kFactorCount; ++k) {
        const std::size_t at = 3 * std::size_t(k - 1);
        numbers[at] = profile.idealTotal(k);
        numbers[at + 1] = profile.realTotal(k);
        numbers[at + 2] = profile.difference(k);
        for (std::size_t i = at; i < at + 3; ++i)
            fourWide &= numbers[i] >= -999 && numbers[i] <= 9999;
    }
    if (fourWide) {
        const FactorSection &section = factorSection();
        const std::size_t base = lines.characters().size();
        lines.addLines(section.text, section.ends);
        char *const text = lines.characters().data() + base;
        for (std::size_t i = 0; i < numbers.size(); ++i)
            writeFourWide(numbers[i], text + section.numbers[i]);
        return lines;
    }
    for (int k = 1; k <= kFactorCount; ++k) {
        lines.addLine({factorText(k)});
        lines.addLine({Points(profile.idealTotal(k)).text(), kIdealSuffix});
        lines.addLine({Points(profile.realTotal(k)).text(), kRealSuffix});
        lines.addLine({Points(profile.difference(k)).text(), kDifferenceSuffix});
        lines.addLine({});
    }
    return lines;
}

} // namespace tavo
