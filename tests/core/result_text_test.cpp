#include "resultfile/result_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

using namespace tavo;

TEST(ResultText, SplitsAtCrLfOnlyAndReadsMissingLinesAsEmpty)
{
    const std::string text = "zero\r\none\rstill one\nand more\r\n\r\nfour";
    const ResultText lines(text);
    EXPECT_EQ(lines.line(0), "zero");
    EXPECT_EQ(lines.line(1), "one\rstill one\nand more");
    EXPECT_EQ(lines.line(2), "");
    EXPECT_EQ(lines.line(3), "four");
    EXPECT_EQ(lines.line(4), "");
    EXPECT_EQ(lines.line(1000), "");

    EXPECT_EQ(ResultText("").line(0), "");
    EXPECT_EQ(ResultText("\r\n").line(0), "");
    EXPECT_EQ(ResultText("only").line(0), "only");
    EXPECT_EQ(ResultText("a\r").line(0), "a\r");
    EXPECT_EQ(ResultText("a\r\r\nb").line(0), "a\r");
    EXPECT_EQ(ResultText("a\r\r\nb").line(1), "b");
}

TEST(ResultText, LinesFromThirtySevenOnAreNeverRead)
{
    std::string text;
    for (int n = 0; n < 40; ++n)
        text += "line " + std::to_string(n) + "\r\n";
    const ResultText lines(text);
    EXPECT_EQ(lines.line(0), "line 0");
    EXPECT_EQ(lines.line(36), "line 36");
    EXPECT_EQ(lines.line(37), "");
    EXPECT_EQ(lines.line(39), "");
}

TEST(AnswerField, ConversionTable)
{
    const struct {
        const char *field;
        std::optional<std::int32_t> value;
    } cases[] = {
        {"  5", 5},
        {" 12", 12},
        {"012", 12},
        {" -3", -3},
        {"+7", 7},
        {"$1F", 31},
        {"$0A", 10},
        {" x1", 1},
        {"X1f", 31},
        {"0x7", 7},
        {"0Xa", 10},
        {"-20", -20},
        {"999", 999},
        {"-99", -99},
        {"  0", 0},
        {"5  ", std::nullopt},
        {" 5 ", std::nullopt},
        {"   ", std::nullopt},
        {"", std::nullopt},
        {"1,2", std::nullopt},
        {"-", std::nullopt},
        {" +", std::nullopt},
        {"$", std::nullopt},
        {"0x", std::nullopt},
        {"-$1", std::nullopt},
        {"+x1", std::nullopt},
        {"$G", std::nullopt},
        {"\t5", std::nullopt},
        {"1e2", std::nullopt},
        {"--1", std::nullopt},
        {"5\r", std::nullopt},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"$7FFFFFFF", INT_MAX},
        {"$80000000", std::nullopt},
        {"99999999999999999999", std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::string(c.field)));
        EXPECT_EQ(convertAnswerField(c.field), c.value);
    }
}

// Every three-character field over an alphabet of blanks, digits, signs,
// hexadecimal marks and letters: a line of twelve of them adds twelve times
// what the conversion rule gives, or stops at the first with that field.
TEST(AddAnswerLine, AgreesWithTheConversionRuleOnEveryShortField)
{
    const std::string alphabet = " 059+-$xXaF,";
    for (const char a : alphabet)
        for (const char b : alphabet)
            for (const char c : alphabet) {
                const std::string field{a, b, c};
                SCOPED_TRACE(::testing::PrintToString(field));
                std::string line;
                for (int j = 0; j < 12; ++j)
                    line += field;
                std::int32_t total = 1;
                const auto bad = AddAnswerLine(line, total);
                if (const auto value = convertAnswerField(field)) {
                    EXPECT_FALSE(bad.has_value());
                    EXPECT_EQ(total, 1 + 12 * *value);
                } else {
                    ASSERT_TRUE(bad.has_value());
                    EXPECT_EQ(*bad, field);
                    EXPECT_EQ(total, 1);
                }
            }
}

TEST(AddAnswerLine, SumsTwelveFieldsAndStopsAtTheFirstInvalidOne)
{
    const std::string eights = "  8  8  8  8  8  8  8  8  8  8  8  8";
    const struct {
        const char *name;
        std::string line;
        std::int32_t start;
        std::int32_t total;
        std::optional<std::string> badField;
    } cases[] = {
        {"all eights", eights, 0, 96, std::nullopt},
        {"adds to what is there", eights, 4, 100, std::nullopt},
        {"text after the twelfth field is ignored", eights + "xyz 12", 0, 96, std::nullopt},
        {"negative and hex fields", "-20$0A  1  1  1  1  1  1  1  1  1  1", 0, -20 + 10 + 10, std::nullopt},
        {"35 characters: a two-character last field", eights.substr(0, 33) + " 7", 0, 88 + 7, std::nullopt},
        {"33 characters: an empty last field", eights.substr(0, 33), 0, 88, ""},
        {"one character of the last field", eights.substr(0, 34), 0, 88, " "},
        {"blanks kept in the reported field", "  1 2   4", 0, 1, " 2 "},
        {"empty line", "", 0, 0, ""},
        {"stops at the first bad field", "  1  2  x  4 zz", 0, 3, "  x"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        std::int32_t total = c.start;
        const auto bad = AddAnswerLine(c.line, total);
        EXPECT_EQ(total, c.total);
        ASSERT_EQ(bad.has_value(), c.badField.has_value());
        if (bad) {
            EXPECT_EQ(std::string(*bad), *c.badField);
        }
    }
}
