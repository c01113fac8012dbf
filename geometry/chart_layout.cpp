#include "geometry/chart_layout.h"

#include <algorithm>
#include <cmath>

namespace tavo {

namespace {

constexpr double kMarginRight = 2, kMarginBottom = 2;
constexpr double kDepthPercent = 13;    // of the plot's height, shared by the three rows
constexpr double kBarWidthPercent = 60; // of a slot
constexpr double kBarDepthPercent = 80; // of a row

// The x and y ranges of every finite point, and whether any series shows marks.
struct Extent {
    bool any = false;
    double low = 0, high = 0;
    double xLow = 1, xHigh = kFactorCount;
    bool anyMarks = false;
};

Extent extentOf(const ChartLayoutInput &input)
{
    Extent e;
    for (const ChartSeriesPoints &series : input.series) {
        e.anyMarks = e.anyMarks || (series.marks && !series.points.empty());
        for (const ChartPoint &p : series.points) {
            if (!std::isfinite(p.y) || !std::isfinite(p.x))
                continue;
            if (!e.any) {
                e.low = e.high = p.y;
                e.xLow = e.xHigh = p.x;
                e.any = true;
            }
            e.low = std::min(e.low, p.y);
            e.high = std::max(e.high, p.y);
            e.xLow = std::min(e.xLow, p.x);
            e.xHigh = std::max(e.xHigh, p.x);
        }
    }
    return e;
}

std::string axisLabel(double value) { return std::to_string(std::llround(value)); }

} // namespace

double ChartLayout::yOf(double value) const
{
    const double span = scale.maximum - scale.minimum;
    return plot.bottom() - (value - scale.minimum) / span * plot.height;
}

std::vector<double> ChartLayout::valueTicks() const
{
    std::vector<double> ticks;
    const auto count = std::llround((scale.maximum - scale.minimum) / scale.step);
    for (long long i = 0; i <= count; ++i)
        ticks.push_back(scale.minimum + double(i) * scale.step);
    return ticks;
}

std::vector<double> ChartLayout::factorTicks() const
{
    const double firstX = std::ceil(xMin);
    const double lastX = std::floor(xMin + plot.width / slot);
    const double every = std::max(1.0, std::ceil((lastX - firstX + 1) / std::max(1.0, plot.width / 24)));
    const double count = std::min(1000.0, std::floor((lastX - firstX) / every) + 1);
    std::vector<double> ticks;
    ticks.reserve(static_cast<std::size_t>(count));
    for (int n = 0; n < count; ++n)
        ticks.push_back(firstX + n * every);
    return ticks;
}

ChartLayout computeChartLayout(const ChartLayoutInput &input, const ChartTextMetrics &metrics)
{
    ChartLayout l;
    const double w = input.width, h = input.height;
    const double left = 1 + w * kChartMarginLeft / 100;
    const double right = w - 1 - w * kMarginRight / 100;
    const double top = 1 + h * kChartMarginTop / 100;
    const double bottom = h - 1 - h * kMarginBottom / 100;

    const double titleBottom = top + metrics.titleHeight * double(input.titleLines);

    // Vertical extent first: the value scale depends on the plot's height only.
    // Whole pixels throughout, so that every edge is crisp without smoothing.
    const double floorY = std::round(bottom - metrics.axisTitleHeight - 2 - metrics.labelHeight - kChartTickLength - 2);
    const double roughHeight = floorY - titleBottom - 6;
    l.depth = kSeriesCount * std::max(1.0, std::round(roughHeight * kDepthPercent / 100 / kSeriesCount));
    const double plotTop = std::round(titleBottom + 6 + l.depth);
    const double plotHeight = std::max(1.0, floorY - plotTop);

    Extent e = extentOf(input);
    if (e.anyMarks) {
        // Room for the marks above the highest bar and below the lowest one.
        const double markPixels = kChartConnectorLength + metrics.markHeight + 2 * kChartMarkPadY + 2;
        const double span = std::max(e.high, 0.0) - std::min(e.low, 0.0);
        const double extra = span * markPixels / std::max(1.0, plotHeight - 2 * markPixels);
        if (e.high > 0)
            e.high += extra;
        if (e.low < 0)
            e.low -= extra;
    }
    const int maxIntervals = std::max(1, int(plotHeight / (metrics.labelHeight * 1.6)));
    l.scale = e.any ? niceAxisScale(e.low, e.high, maxIntervals) : AxisScale{};

    l.plot.top = plotTop;
    l.plot.height = plotHeight;
    for (const double v : l.valueTicks())
        l.labelWidth = std::max(l.labelWidth, metrics.labelWidth(axisLabel(v)));

    const double plotLeft = std::round(left + metrics.axisTitleHeight + 4 + l.labelWidth + 3 + kChartTickLength);
    const double plotRight = std::round(right - l.depth);
    l.plot.left = plotLeft;
    l.plot.width = std::max(plotLeft + 1, plotRight) - plotLeft;

    l.xMin = e.xLow - 0.5;
    l.slot = l.plot.width / (e.xHigh - e.xLow + 1);

    const double rowDepth = l.depth / kSeriesCount;
    const double barDepth = std::round(rowDepth * kBarDepthPercent / 100);
    const double barWidth = l.slot * kBarWidthPercent / 100;
    const double zeroY = l.yOf(0);
    for (std::size_t s = 0; s < input.series.size(); ++s) {
        const ChartSeriesPoints &series = input.series[s];
        const double z0 = depthRow(ProfileSeries(s)) * rowDepth + std::floor((rowDepth - barDepth) / 2);
        const double z1 = z0 + barDepth;
        auto at = [](double x, double y, double z) { return ChartPoint{x + z, y - z}; };
        for (std::size_t i = 0; i < series.points.size(); ++i) {
            const ChartPoint &p = series.points[i];
            const double value = std::isfinite(p.y) ? p.y : 0;
            const double centre = l.plot.left + ((std::isfinite(p.x) ? p.x : 0) - l.xMin) * l.slot;
            const double x0 = std::round(centre - barWidth / 2), x1 = x0 + std::round(barWidth);
            const double yTop = std::round(std::min(zeroY, l.yOf(value)));
            const double yBottom = std::round(std::max(zeroY, l.yOf(value)));
            ChartBar bar;
            bar.front = {at(x0, yTop, z0), at(x1, yTop, z0), at(x1, yBottom, z0), at(x0, yBottom, z0)};
            bar.top = {at(x0, yTop, z0), at(x1, yTop, z0), at(x1, yTop, z1), at(x0, yTop, z1)};
            bar.side = {at(x1, yTop, z0), at(x1, yTop, z1), at(x1, yBottom, z1), at(x1, yBottom, z0)};
            bar.downwards = value < 0;
            bar.markAnchor = bar.downwards ? at(centre, yBottom, z0) : at(centre, yTop, (z0 + z1) / 2);
            if (series.marks) {
                const std::string &label = i < series.labels.size() ? series.labels[i] : std::string();
                const double boxWidth = std::ceil(metrics.markWidth(label) + 2 * kChartMarkPadX);
                const double boxHeight = std::ceil(metrics.markHeight + 2 * kChartMarkPadY);
                const double boxTop = bar.downwards ? bar.markAnchor.y + kChartConnectorLength
                                                    : bar.markAnchor.y - kChartConnectorLength - boxHeight;
                bar.mark =
                    ChartRect{std::round(bar.markAnchor.x - boxWidth / 2), std::round(boxTop), boxWidth, boxHeight};
            }
            l.bars[s].push_back(bar);
        }
    }
    return l;
}

} // namespace tavo
