// The bar chart's geometry from plain numbers: fixed text sizes stand in for
// the fonts, so every expectation holds whatever fonts a machine has.
#include "geometry/chart_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace tavo;

namespace {

// Every character 7 pixels wide; lines 18, 16 and 14 pixels high.
ChartTextMetrics fixedMetrics(double charWidth = 7)
{
    ChartTextMetrics m;
    m.titleHeight = 18;
    m.axisTitleHeight = 18;
    m.labelHeight = 14;
    m.labelWidth = [charWidth](const std::string &text) { return charWidth * double(text.size()); };
    m.markHeight = 13;
    m.markWidth = [charWidth](const std::string &text) { return charWidth * double(text.size()); };
    return m;
}

ChartLayoutInput twelveFactors(double ideal, double real, bool marks = false)
{
    ChartLayoutInput input;
    input.width = 1020;
    input.height = 424;
    for (int k = 1; k <= 12; ++k) {
        input.series[0].points.push_back({double(k), ideal});
        input.series[1].points.push_back({double(k), real});
        input.series[2].points.push_back({double(k), real - ideal});
        for (auto &series : input.series)
            series.labels.push_back(std::to_string(k));
    }
    for (auto &series : input.series)
        series.marks = marks;
    return input;
}

double frontTop(const ChartBar &bar) { return bar.front[0].y; }
double frontBottom(const ChartBar &bar) { return bar.front[2].y; }

} // namespace

TEST(ChartLayout, BarsStandOnZeroAndReachTheirValue)
{
    const struct {
        const char *name;
        double ideal, real;
    } cases[] = {{"all positive", 60, 80}, {"Real below Ideal", 90, 20}, {"zero", 0, 0}, {"negative", -10, 40}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const ChartLayout l = computeChartLayout(twelveFactors(c.ideal, c.real), fixedMetrics());
        EXPECT_LE(l.scale.minimum, std::min({0.0, c.ideal, c.real, c.real - c.ideal}));
        EXPECT_GE(l.scale.maximum, std::max({0.0, c.ideal, c.real, c.real - c.ideal}));
        for (std::size_t s = 0; s < kSeriesCount; ++s) {
            for (const ChartBar &bar : l.bars[s]) {
                const double value = s == 0 ? c.ideal : s == 1 ? c.real : c.real - c.ideal;
                // The front face is a rectangle from zero to the value, moved
                // up by its row's depth.
                EXPECT_EQ(bar.front[3].y, frontBottom(bar));
                EXPECT_EQ(bar.front[1].y, frontTop(bar));
                EXPECT_EQ(bar.front[0].x, bar.front[3].x);
                const double zeroAt = std::round(l.yOf(0));
                const double valueAt = std::round(l.yOf(value));
                EXPECT_EQ(frontBottom(bar) - frontTop(bar), std::abs(zeroAt - valueAt));
                EXPECT_EQ(bar.downwards, value < 0);
                // The top face goes back as far as it goes up.
                EXPECT_GT(bar.top[3].x - bar.top[0].x, 0);
                EXPECT_EQ(bar.top[3].x - bar.top[0].x, bar.top[0].y - bar.top[3].y);
                EXPECT_GE(frontTop(bar), l.plot.top - l.depth);
            }
        }
    }
}

TEST(ChartLayout, RowsStepBackFromSeries3ToSeries1)
{
    const ChartLayout l = computeChartLayout(twelveFactors(50, 50), fixedMetrics());
    // The same factor in each row: further back means further right and up.
    const ChartBar &ideal = l.bars[0][5], &real = l.bars[1][5], &difference = l.bars[2][5];
    EXPECT_GT(ideal.front[0].x, real.front[0].x);
    EXPECT_GT(real.front[0].x, difference.front[0].x);
    EXPECT_EQ(ideal.front[0].x - real.front[0].x, real.front[0].x - difference.front[0].x);
    EXPECT_EQ(ideal.front[0].x - real.front[0].x, l.depth / kSeriesCount);
    // The back row ends at the back wall.
    EXPECT_LE(ideal.side[1].x, l.plot.right() + l.depth);
    EXPECT_EQ(std::fmod(l.depth, kSeriesCount), 0);
}

TEST(ChartLayout, EveryEdgeOnWholePixelsAndInsideTheChart)
{
    for (const bool marks : {false, true}) {
        SCOPED_TRACE(marks);
        const ChartLayoutInput input = twelveFactors(73, -12, marks);
        const ChartLayout l = computeChartLayout(input, fixedMetrics());
        EXPECT_EQ(l.plot.left, std::round(l.plot.left));
        EXPECT_EQ(l.plot.top, std::round(l.plot.top));
        EXPECT_EQ(l.plot.bottom(), std::round(l.plot.bottom()));
        for (const auto &bars : l.bars)
            for (const ChartBar &bar : bars) {
                for (const ChartQuad *quad : {&bar.front, &bar.top, &bar.side})
                    for (const ChartPoint &p : *quad) {
                        EXPECT_EQ(p.x, std::round(p.x));
                        EXPECT_EQ(p.y, std::round(p.y));
                        EXPECT_GE(p.x, 0);
                        EXPECT_LT(p.x, input.width);
                        EXPECT_GE(p.y, 0);
                        EXPECT_LT(p.y, input.height);
                    }
                ASSERT_EQ(bool(bar.mark), marks);
                if (marks) {
                    EXPECT_GT(bar.mark->top, 0);
                    EXPECT_LT(bar.mark->bottom(), l.plot.bottom() + 1);
                    // The mark sits on the bar's side of zero, its connector's length away.
                    if (bar.downwards)
                        EXPECT_EQ(bar.mark->top, std::round(bar.markAnchor.y + kChartConnectorLength));
                    else
                        EXPECT_EQ(bar.mark->bottom(), std::round(bar.markAnchor.y - kChartConnectorLength));
                }
            }
    }
}

TEST(ChartLayout, MarkBoxesFitTheirText)
{
    const ChartLayout narrow = computeChartLayout(twelveFactors(40, 60, true), fixedMetrics(5));
    const ChartLayout wide = computeChartLayout(twelveFactors(40, 60, true), fixedMetrics(9));
    // "10" is two characters: the box is the text and its padding on both sides.
    EXPECT_EQ(narrow.bars[0][9].mark->width, std::ceil(2 * 5 + 2 * kChartMarkPadX));
    EXPECT_EQ(wide.bars[0][9].mark->width, std::ceil(2 * 9 + 2 * kChartMarkPadX));
    EXPECT_EQ(wide.bars[0][9].mark->height, std::ceil(13 + 2 * kChartMarkPadY));
    // Wider value labels push the plot to the right.
    EXPECT_GT(wide.plot.left, narrow.plot.left);
    EXPECT_EQ(wide.plot.right(), narrow.plot.right());
}

TEST(ChartLayout, TicksAreWholeStepsOfTheScale)
{
    const ChartLayout l = computeChartLayout(twelveFactors(99, 3), fixedMetrics());
    const std::vector<double> values = l.valueTicks();
    ASSERT_GE(values.size(), 2u);
    EXPECT_EQ(values.front(), l.scale.minimum);
    EXPECT_EQ(values.back(), l.scale.maximum);
    for (std::size_t i = 1; i < values.size(); ++i)
        EXPECT_EQ(values[i] - values[i - 1], l.scale.step);
    const std::vector<double> factors = l.factorTicks();
    ASSERT_EQ(factors.size(), 12u);
    for (std::size_t i = 0; i < factors.size(); ++i)
        EXPECT_EQ(factors[i], double(i + 1));
}

TEST(ChartLayout, MoreTitleLinesLowerThePlot)
{
    ChartLayoutInput one = twelveFactors(50, 60), three = one;
    three.titleLines = 3;
    const ChartLayout a = computeChartLayout(one, fixedMetrics());
    const ChartLayout b = computeChartLayout(three, fixedMetrics());
    EXPECT_GT(b.plot.top, a.plot.top);
    EXPECT_EQ(b.plot.bottom(), a.plot.bottom());
}
