#include "profile/percentage_scale.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace tavo;

TEST(PercentageScale, ReferenceTable)
{
    const struct {
        std::int32_t points, percent;
    } cases[] = {{0, 0},    {1, 1},     {49, 49},   {50, 51}, {55, 56},       {98, 99},
                 {99, 100}, {100, 101}, {120, 121}, {-5, -5}, {11988, 12109}, {-1188, -1200}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.points);
        EXPECT_EQ(percentage(c.points), c.percent);
    }
}

TEST(PercentageScale, DifferenceIsRoundedOnceNotTheDifferenceOfRoundedBars)
{
    const struct {
        std::int32_t ideal, real, percent;
    } cases[] = {{49, 50, 1}, {60, 50, -10}, {60, 20, -40}, {50, 50, 0}, {0, 99, 100}, {99, 0, -100}, {-20, 3, 23}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.ideal << " -> " << c.real);
        EXPECT_EQ(differencePercentage(c.ideal, c.real), c.percent);
    }
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour)
{
    const struct {
        long double value;
        std::int64_t rounded;
    } cases[] = {{0.5L, 0},     {1.5L, 2},    {2.5L, 2},    {-0.5L, 0},  {-1.5L, -2},    {-2.5L, -2},
                 {157.5L, 158}, {2.4999L, 2}, {2.5001L, 3}, {-4.5L, -4}, {-4.50001L, -5}};
    for (const auto &c : cases) {
        SCOPED_TRACE(static_cast<double>(c.value));
        EXPECT_EQ(roundHalfEven(c.value), c.rounded);
    }
}
