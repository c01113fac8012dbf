#include "profile/report.h"

#include "text/cp1251_literal.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>
#include <vector>

using namespace tavo;

TEST(Report, FormatPointsLikePrintfFourWide)
{
    const struct {
        std::int32_t value;
        const char *text;
    } cases[] = {{5, "   5"},    {-12, " -12"},    {12345, "12345"}, {0, "   0"},
                 {-999, "-999"}, {-1000, "-1000"}, {9999, "9999"},   {INT_MIN, "-2147483648"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(formatPoints(c.value), c.text);
    }
}

namespace {

ResultHeader sampleHeader()
{
    return {"Центр, ТАВО.12F"_cp1251.data(),  "Иванова Анна"_cp1251.data(), "группа 3"_cp1251.data(),
            "14.03.2024 10:05"_cp1251.data(), "завершена"_cp1251.data(),    "прервана"_cp1251.data()};
}

} // namespace

TEST(Report, ChartTitleStages)
{
    const ResultHeader header = sampleHeader();
    EXPECT_EQ(chartTitleFirstStage(header), "Иванова Анна группа 3 Центр, ТАВО.12F"_cp1251);
    EXPECT_EQ(chartTitle(header),
              "Иванова Анна группа 3 Центр, ТАВО.12F  Начало теста: 14.03.2024 10:05"
              "  Выполнение. Часть 1: завершена  Выполнение. Часть 2: прервана"_cp1251);

    ResultHeader empty;
    EXPECT_EQ(chartTitleFirstStage(empty), "  ");
    empty.subject = "A";
    empty.organisation = "C";
    EXPECT_EQ(chartTitleFirstStage(empty), "A  C");
}

TEST(Report, BlockHasSixtySevenLinesInOrder)
{
    ProfileRecord profile;
    profile.subjectName = "Иванова Анна"_cp1251;
    for (int k = 0; k < 12; ++k) {
        profile.ideal[std::size_t(k)] = 10 * k;
        profile.real[std::size_t(k)] = 10 * k + k - 3;
    }
    profile.ideal[0] = 12;
    profile.real[0] = 7;
    profile.ideal[11] = 0;
    profile.real[11] = 12345;

    const auto lines = reportBlock(sampleHeader(), profile);
    ASSERT_EQ(lines.size(), kReportBlockLines);
    EXPECT_EQ(lines[0], "Мотивационный профиль Зелю-Карбона (модификация Зовита Р.Е.)"_cp1251);
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "Иванова Анна группа 3 Центр, ТАВО.12F"_cp1251);
    EXPECT_EQ(lines[3], "Начало теста: 14.03.2024 10:05"_cp1251);
    EXPECT_EQ(lines[4], "Выполнение. Часть 1: завершена"_cp1251);
    EXPECT_EQ(lines[5], "Выполнение. Часть 2: прервана"_cp1251);
    EXPECT_EQ(lines[6], "");

    // Factor 1: Ideal 12, Real 7.
    EXPECT_EQ(lines[7], factorText(1));
    EXPECT_EQ(lines[8], "  12 - Важность для выбора новой работы"_cp1251);
    EXPECT_EQ(lines[9], "   7 - Выраженность  на  текущей работе"_cp1251);
    EXPECT_EQ(lines[10], "  -5 - \"Реальная\" - \"Идеальная\" работа"_cp1251);
    EXPECT_EQ(lines[11], "");

    // Factor 12: a wide total is written in full.
    EXPECT_EQ(lines[62], factorText(12));
    EXPECT_EQ(lines[63], "   0 - Важность для выбора новой работы"_cp1251);
    EXPECT_EQ(lines[64], "12345 - Выраженность  на  текущей работе"_cp1251);
    EXPECT_EQ(lines[65], "12345 - \"Реальная\" - \"Идеальная\" работа"_cp1251);
    EXPECT_EQ(lines[66], "");

    for (int k = 1; k <= 12; ++k) {
        SCOPED_TRACE(k);
        const std::size_t at = 7 + 5 * std::size_t(k - 1);
        EXPECT_EQ(lines[at], factorText(k));
        EXPECT_EQ(lines[at + 3].substr(0, lines[at + 3].find(" - ")), formatPoints(profile.difference(k)));
    }
}

// Totals of four characters and wider ones are written alike: each number
// line is the number as "%4d" formats it, then its text.
TEST(Report, NumberLinesAtTheEdgesOfFourCharacters)
{
    for (const std::int32_t value : {-1000, -999, -1, 0, 9, 10, 999, 1000, 9999, 10000}) {
        SCOPED_TRACE(value);
        ProfileRecord profile;
        profile.ideal.fill(0);
        profile.real.fill(0);
        profile.ideal[4] = value;
        profile.real[7] = value;
        const auto lines = reportBlock(sampleHeader(), profile);
        ASSERT_EQ(lines.size(), kReportBlockLines);
        char expected[64];
        std::snprintf(expected, sizeof expected, "%4d", value);
        EXPECT_EQ(lines[7 + 5 * 4 + 1],
                  std::string(expected) + std::string(" - Важность для выбора новой работы"_cp1251));
        EXPECT_EQ(lines[7 + 5 * 4 + 3].substr(0, lines[7 + 5 * 4 + 3].find(" - ")), formatPoints(-value));
        EXPECT_EQ(lines[7 + 5 * 7 + 2],
                  std::string(expected) + std::string(" - Выраженность  на  текущей работе"_cp1251));
        EXPECT_EQ(lines[7 + 5 * 7 + 3].substr(0, lines[7 + 5 * 7 + 3].find(" - ")), formatPoints(value));
        EXPECT_EQ(lines[7 + 5 * 11 + 1], "   0 - Важность для выбора новой работы"_cp1251);
        EXPECT_EQ(lines[66], "");
    }
}

TEST(TextLines, KeepsEachLineAsAddedAndComparesByLines)
{
    TextLines lines;
    EXPECT_TRUE(lines.empty());
    lines.addLine({"ab", "", "c"});
    lines.addLine({});
    lines.addLine({"\r\n"});
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "abc");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "\r\n");
    std::vector<std::string> seen;
    for (const std::string_view line : lines)
        seen.emplace_back(line);
    EXPECT_EQ(seen, (std::vector<std::string>{"abc", "", "\r\n"}));

    // The same characters split into other lines are other lines.
    TextLines same, other;
    for (auto *copy : {&same, &other}) {
        copy->addLine({"abc"});
        copy->addLine({""});
    }
    other.addLine({"\r"});
    same.addLine({"\r\n"});
    EXPECT_EQ(same, lines);
    EXPECT_NE(other, lines);
    TextLines split;
    split.addLine({"ab"});
    split.addLine({"c"});
    split.addLine({"\r\n"});
    EXPECT_NE(split, lines);
}
