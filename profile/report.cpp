#include "profile/report.h"

#include "text/cp1251_literal.h"

#include <cstdio>

namespace tavo {

namespace {

std::string concat(std::initializer_list<std::string_view> pieces)
{
    std::string out;
    for (const auto piece : pieces)
        out += piece;
    return out;
}

constexpr std::string_view kMethodTitle = "Мотивационный профиль Зелю-Карбона (модификация Зовита Р.Е.)"_cp1251;
constexpr std::string_view kStart = "Начало теста: "_cp1251;
constexpr std::string_view kPart1 = "Выполнение. Часть 1: "_cp1251;
constexpr std::string_view kPart2 = "Выполнение. Часть 2: "_cp1251;
constexpr std::string_view kIdealSuffix = " - Важность для выбора новой работы"_cp1251;
// Two blanks on each side of "на", as the questionnaire prints it.
constexpr std::string_view kRealSuffix = " - Выраженность  на  текущей работе"_cp1251;
constexpr std::string_view kDifferenceSuffix = " - \"Реальная\" - \"Идеальная\" работа"_cp1251;

} // namespace

std::string formatPoints(std::int32_t value)
{
    char buffer[16];
    const int n = std::snprintf(buffer, sizeof buffer, "%4d", static_cast<int>(value));
    return std::string(buffer, static_cast<std::size_t>(n));
}

std::string chartTitleFirstStage(const ResultHeader &header)
{
    return concat({header.line1, " ", header.line2, " ", header.line0});
}

std::string chartTitle(const ResultHeader &header)
{
    return concat({chartTitleFirstStage(header), "  ", kStart, header.line4, "  ", kPart1, header.line6, "  ",
                   kPart2, header.line23});
}

std::vector<std::string> factorReportBlock(int factor, const ProfileRecord &profile)
{
    return {
        std::string(factorText(factor)),
        formatPoints(profile.idealTotal(factor)) + std::string(kIdealSuffix),
        formatPoints(profile.realTotal(factor)) + std::string(kRealSuffix),
        formatPoints(profile.difference(factor)) + std::string(kDifferenceSuffix),
        std::string(),
    };
}

std::vector<std::string> reportBlock(const ResultHeader &header, const ProfileRecord &profile)
{
    std::vector<std::string> lines{
        std::string(kMethodTitle),
        std::string(),
        chartTitleFirstStage(header),
        concat({kStart, header.line4}),
        concat({kPart1, header.line6}),
        concat({kPart2, header.line23}),
        std::string(),
    };
    lines.reserve(kReportBlockLines);
    for (int k = 1; k <= kFactorCount; ++k) {
        auto block = factorReportBlock(k, profile);
        lines.insert(lines.end(), std::make_move_iterator(block.begin()), std::make_move_iterator(block.end()));
    }
    return lines;
}

} // namespace tavo
