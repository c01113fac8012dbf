#pragma once
// The points of the three bar series of the profile chart, and the scale of
// its value axis. No Qt: the chart widget only draws what these return.

#include "geometry/palette.h"
#include "profile/profile_record.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace tavo {

// The chart's series in list order; the last one stands nearest the viewer.
enum class ProfileSeries {
    Series1 = 0, // Ideal totals ("Часть 1")
    Series2 = 1, // Real totals ("Часть 2")
    Series3 = 2, // size of Real − Ideal ("Ч.2 - Ч.1")
};
inline constexpr int kSeriesCount = 3;

// Fuchsia, blue and red. Series3's own colour is never seen: each of its
// points carries a colour of its own.
Rgb seriesColour(ProfileSeries series);

// How a difference bar is coloured.
enum class DifferenceColouring {
    BySign,      // Real ≥ Ideal lime, else red
    ByThreshold, // below red, above lime, within gray
};

struct BarPoint {
    double x = 0;              // factor number
    double y = 0;              // bar height, percent
    std::string label;         // what the point's mark shows, in points
    std::optional<Rgb> colour; // empty: the series colour

    bool operator==(const BarPoint &) const = default;
};

// The point of factor 1..12 in the given series. The threshold is read only
// for Series3 under threshold colouring.
BarPoint barPoint(ProfileSeries series, const ProfileRecord &record, int factor,
                  DifferenceColouring colouring = DifferenceColouring::BySign, std::int32_t threshold = 0);

// The twelve points of a series, factor 1 first.
std::array<BarPoint, kFactorCount> seriesPoints(ProfileSeries series, const ProfileRecord &record,
                                                DifferenceColouring colouring = DifferenceColouring::BySign,
                                                std::int32_t threshold = 0);

// A value axis from `minimum` to `maximum` with labels every `step`; all three
// are whole numbers and both ends are multiples of the step.
struct AxisScale {
    double minimum = 0;
    double maximum = 100;
    double step = 10;
    bool operator==(const AxisScale &) const = default;
};

// The smallest axis with a 1, 2 or 5 × 10^n step that covers [low, high] and
// 0, using at most `maxIntervals` steps (at least one). An empty or
// non-finite range (or one too wide for a double) gives 0 to 100.
AxisScale niceAxisScale(double low, double high, int maxIntervals);

} // namespace tavo
