#pragma once
// The bar chart's geometry as plain numbers: the plot's front plane, the
// value scale, the ticks, the three faces of every bar and the box of every
// mark, from the chart's size, its points and the sizes of its text. The
// widget measures text with its fonts and paints what this returns.

#include "geometry/bar_series.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tavo {

struct ChartPoint {
    double x = 0;
    double y = 0;
    bool operator==(const ChartPoint &) const = default;
};

struct ChartRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    double right() const { return left + width; }
    double bottom() const { return top + height; }
    bool operator==(const ChartRect &) const = default;
};

// Corners of a bar face, in drawing order.
using ChartQuad = std::array<ChartPoint, 4>;

// What the chart's fonts measure, in pixels.
struct ChartTextMetrics {
    double titleHeight = 0;     // one title line
    double axisTitleHeight = 0; // the axis titles
    double labelHeight = 0;     // the axis labels
    std::function<double(const std::string &)> labelWidth;
    double markHeight = 0;
    std::function<double(const std::string &)> markWidth; // one line of a mark's text
};

struct ChartSeriesPoints {
    std::vector<ChartPoint> points;  // x: factor, y: bar height; non-finite values stand at 0
    std::vector<std::string> labels; // one per point, the marks' texts
    bool marks = false;
};

struct ChartLayoutInput {
    double width = 0;
    double height = 0;
    int titleLines = 1;
    std::array<ChartSeriesPoints, kSeriesCount> series;
};

struct ChartBar {
    ChartQuad front, top, side;
    ChartPoint markAnchor;         // where the mark's connector starts
    bool downwards = false;        // a bar below 0 carries its mark underneath
    std::optional<ChartRect> mark; // only while the series shows its marks
};

// Fixed lengths of the chart's parts, in pixels.
inline constexpr double kChartTickLength = 4;
inline constexpr double kChartConnectorLength = 5;
inline constexpr double kChartMarkPadX = 3;
inline constexpr double kChartMarkPadY = 1;
// The chart's margins, percent of its size.
inline constexpr double kChartMarginTop = 2;
inline constexpr double kChartMarginLeft = 1;

struct ChartLayout {
    ChartRect plot;   // the front plane, floor to top
    double depth = 0; // how far the back wall lies behind it, right and up
    AxisScale scale;
    double xMin = 0.5;     // the x value at the plot's left edge
    double slot = 1;       // pixels per x unit
    double labelWidth = 0; // the widest value label
    std::array<std::vector<ChartBar>, kSeriesCount> bars;

    // The y coordinate of a value on the front plane.
    double yOf(double value) const;
    // The labelled values, bottom to top.
    std::vector<double> valueTicks() const;
    // The whole x values that get a tick and a label, thinned out should
    // there be more than fit.
    std::vector<double> factorTicks() const;
};

ChartLayout computeChartLayout(const ChartLayoutInput &input, const ChartTextMetrics &metrics);

// Series3, the last of the list, stands in the front row.
inline int depthRow(ProfileSeries series) { return kSeriesCount - 1 - static_cast<int>(series); }

} // namespace tavo
