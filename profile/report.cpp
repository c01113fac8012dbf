#include "profile/report.h"

#include "text/cp1251_literal.h"

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
