#include "geometry/bar_series.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <limits>

using namespace tavo;

namespace tavo {
void PrintTo(const AxisScale &s, std::ostream *os) { *os << s.minimum << ".." << s.maximum << " step " << s.step; }
void PrintTo(const Rgb &c, std::ostream *os) { *os << "rgb(" << int(c.r) << "," << int(c.g) << "," << int(c.b) << ")"; }
} // namespace tavo

namespace {

ProfileRecord singleFactor(int factor, std::int32_t ideal, std::int32_t real)
{
    ProfileRecord record;
    record.ideal[static_cast<std::size_t>(factor - 1)] = ideal;
    record.real[static_cast<std::size_t>(factor - 1)] = real;
    return record;
}

} // namespace

TEST(BarSeries, PointsOfOneFactorInAllThreeSeries)
{
    const struct {
        const char *name;
        std::int32_t ideal, real;
        double idealBar, realBar, differenceBar;
        const char *differenceLabel;
        Rgb signColour, thresholdZeroColour;
    } cases[] = {
        // The difference bar comes from the unrounded quotients: 1, not 51 − 49.
        {"49/50", 49, 50, 49, 51, 1, "1", kLime, kLime},
        {"60/20", 60, 20, 61, 20, 40, "-40", kRed, kRed},
        {"equal", 55, 55, 56, 56, 0, "0", kLime, kGray},
        {"zero", 0, 0, 0, 0, 0, "0", kLime, kGray},
        {"negative totals", -5, -20, -5, -20, 15, "-15", kRed, kRed},
        {"above the scale", 100, 120, 101, 121, 20, "20", kLime, kLime},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const ProfileRecord record = singleFactor(7, c.ideal, c.real);

        const BarPoint ideal = barPoint(ProfileSeries::Series1, record, 7);
        EXPECT_EQ(ideal, (BarPoint{7, c.idealBar, std::to_string(c.ideal), std::nullopt}));
        const BarPoint real = barPoint(ProfileSeries::Series2, record, 7);
        EXPECT_EQ(real, (BarPoint{7, c.realBar, std::to_string(c.real), std::nullopt}));

        const BarPoint bySign = barPoint(ProfileSeries::Series3, record, 7, DifferenceColouring::BySign);
        EXPECT_EQ(bySign, (BarPoint{7, c.differenceBar, c.differenceLabel, c.signColour}));
        const BarPoint byThreshold = barPoint(ProfileSeries::Series3, record, 7, DifferenceColouring::ByThreshold, 0);
        EXPECT_EQ(byThreshold, (BarPoint{7, c.differenceBar, c.differenceLabel, c.thresholdZeroColour}));
    }
}

TEST(BarSeries, ThresholdColouringUsesTheThresholdsSize)
{
    const struct {
        std::int32_t ideal, real, threshold;
        Rgb expected;
    } cases[] = {
        {50, 53, -3, kGray}, {53, 50, -3, kGray}, {50, 54, -3, kLime}, {54, 50, -3, kRed},
        {50, 53, 3, kGray},  {50, 54, 3, kLime},  {60, 50, 9, kRed},   {60, 50, 10, kGray},
        {60, 50, -9, kRed},  {50, 50, 0, kGray},  {50, 51, 0, kLime},  {51, 50, 0, kRed},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.ideal << "/" << c.real << " t=" << c.threshold);
        const ProfileRecord record = singleFactor(1, c.ideal, c.real);
        EXPECT_EQ(barPoint(ProfileSeries::Series3, record, 1, DifferenceColouring::ByThreshold, c.threshold).colour,
                  c.expected);
        // Sign colouring never reads the threshold.
        EXPECT_EQ(barPoint(ProfileSeries::Series3, record, 1, DifferenceColouring::BySign, c.threshold).colour,
                  c.real >= c.ideal ? kLime : kRed);
    }
}

TEST(BarSeries, SeriesHoldTwelvePointsInFactorOrder)
{
    ProfileRecord record;
    for (int k = 1; k <= kFactorCount; ++k) {
        record.ideal[static_cast<std::size_t>(k - 1)] = 10 * k;
        record.real[static_cast<std::size_t>(k - 1)] = 99 - k;
    }
    const auto ideal = seriesPoints(ProfileSeries::Series1, record);
    const auto difference = seriesPoints(ProfileSeries::Series3, record, DifferenceColouring::ByThreshold, 60);
    for (int k = 1; k <= kFactorCount; ++k) {
        SCOPED_TRACE(k);
        const auto &i = ideal[static_cast<std::size_t>(k - 1)];
        const auto &d = difference[static_cast<std::size_t>(k - 1)];
        EXPECT_EQ(i.x, k);
        EXPECT_EQ(i.label, std::to_string(10 * k));
        EXPECT_EQ(d.label, std::to_string(99 - 11 * k));
        EXPECT_EQ(d.colour, 99 - 11 * k > 60 ? kLime : 11 * k - 99 > 60 ? kRed : kGray);
    }
}

TEST(BarSeries, DifferenceLabelDoesNotOverflowAtTheLimits)
{
    const ProfileRecord record = singleFactor(1, std::numeric_limits<std::int32_t>::min(), 0);
    EXPECT_EQ(barPoint(ProfileSeries::Series3, record, 1).label, "2147483648");
}

TEST(AxisScale, NiceStepsCoverTheDataAndZero)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char *name;
        double low, high;
        int maxIntervals;
        AxisScale expected;
    } cases[] = {
        {"percent", 0, 101, 11, {0, 110, 10}},
        {"up to 61", 20, 61, 11, {0, 70, 10}},
        {"fine", 0, 61, 14, {0, 65, 5}},
        {"negative bars", -20, 90, 11, {-20, 90, 10}},
        {"all negative", -43, -10, 10, {-45, 0, 5}},
        {"small", 0, 3, 10, {0, 3, 1}},
        {"whole steps only", 0, 0.4, 10, {0, 1, 1}},
        {"large", 0, 11988 * 100 / 99.0, 10, {0, 14000, 2000}},
        {"one interval", 0, 7, 0, {0, 10, 10}},
        {"nothing", 0, 0, 10, {0, 100, 10}},
        {"not finite", nan, 5, 10, {0, 100, 10}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const AxisScale scale = niceAxisScale(c.low, c.high, c.maxIntervals);
        EXPECT_EQ(scale, c.expected);
        EXPECT_LE((scale.maximum - scale.minimum) / scale.step, std::max(c.maxIntervals, 1) + 1e-9);
    }
}
