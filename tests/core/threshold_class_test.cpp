#include "profile/threshold_class.h"

#include <gtest/gtest.h>

#include <climits>

using namespace tavo;

TEST(ThresholdClass, StrictComparisonsOnPointsWithAbsoluteThreshold)
{
    using enum ThresholdClass;
    const struct {
        std::int32_t ideal, real, threshold;
        ThresholdClass expected;
    } cases[] = {
        {60, 50, 9, Below},
        {60, 50, -9, Below},
        {60, 50, 10, Within},
        {50, 60, 10, Within},
        {50, 61, 10, Above},
        {5, 5, 0, Within},
        {5, 6, 0, Above},
        {6, 5, 0, Below},
        {0, 3, -3, Within},
        {3, 0, -3, Within},
        {0, 4, -3, Above},
        {4, 0, -3, Below},
        {0, 5, 5, Within},
        {0, 6, 5, Above},
        {6, 0, 5, Below},
        {0, 6, -5, Above},
        {0, 11988, INT_MIN, Within},
        {-1188, 11988, INT_MAX, Within},
        {INT_MAX, INT_MIN, 0, Below},
        {INT_MIN, INT_MAX, INT_MAX, Above},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.ideal << "," << c.real << " t=" << c.threshold);
        EXPECT_EQ(thresholdClass(c.ideal, c.real, c.threshold), c.expected);
    }
}

TEST(ThresholdClass, FieldTextReadsAsWholeNumberOrZero)
{
    const struct {
        const char *text;
        std::int32_t value;
    } cases[] = {{"0", 0},
                 {"5", 5},
                 {"-3", -3},
                 {"+7", 7},
                 {"", 0},
                 {"-", 0},
                 {"+", 0},
                 {"+-5", 0},
                 {"--5", 0},
                 {"5-", 0},
                 {"0012", 12},
                 {"2147483647", INT_MAX},
                 {"-2147483648", INT_MIN},
                 {"2147483648", 0},
                 {"99999999999", 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(thresholdFromText(c.text), c.value);
    }
}
