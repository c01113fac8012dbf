#include "geometry/bar_series.h"

#include "profile/percentage_scale.h"
#include "profile/threshold_class.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdlib>

namespace tavo {

Rgb seriesColour(ProfileSeries series)
{
    switch (series) {
    case ProfileSeries::Series1: return kFuchsia;
    case ProfileSeries::Series2: return kBlue;
    case ProfileSeries::Series3: return kRed;
    }
    return kRed;
}

namespace {

Rgb differenceColour(std::int32_t ideal, std::int32_t real, DifferenceColouring colouring, std::int32_t threshold)
{
    if (colouring == DifferenceColouring::BySign)
        return std::int64_t{real} - ideal >= 0 ? kLime : kRed;
    switch (thresholdClass(ideal, real, threshold)) {
    case ThresholdClass::Below: return kRed;
    case ThresholdClass::Above: return kLime;
    case ThresholdClass::Within: return kGray;
    }
    return kGray;
}

} // namespace

BarPoint barPoint(ProfileSeries series, const ProfileRecord &record, int factor, DifferenceColouring colouring,
                  std::int32_t threshold)
{
    assert(factor >= 1 && factor <= kFactorCount);
    const std::int32_t ideal = record.idealTotal(factor);
    const std::int32_t real = record.realTotal(factor);
    BarPoint point;
    point.x = factor;
    switch (series) {
    case ProfileSeries::Series1:
        point.y = percentage(ideal);
        point.label = std::to_string(ideal);
        break;
    case ProfileSeries::Series2:
        point.y = percentage(real);
        point.label = std::to_string(real);
        break;
    case ProfileSeries::Series3:
        // The bar shows the size only; the sign is in the label and the colour.
        // Widened so that no pair of totals can overflow.
        point.y = std::llabs(std::int64_t{differencePercentage(ideal, real)});
        point.label = std::to_string(std::int64_t{real} - ideal);
        point.colour = differenceColour(ideal, real, colouring, threshold);
        break;
    }
    return point;
}

std::array<BarPoint, kFactorCount> seriesPoints(ProfileSeries series, const ProfileRecord &record,
                                                DifferenceColouring colouring, std::int32_t threshold)
{
    std::array<BarPoint, kFactorCount> points;
    for (int factor = 1; factor <= kFactorCount; ++factor)
        points[static_cast<std::size_t>(factor - 1)] = barPoint(series, record, factor, colouring, threshold);
    return points;
}

AxisScale niceAxisScale(double low, double high, int maxIntervals)
{
    if (!std::isfinite(low) || !std::isfinite(high) || low > high)
        return {};
    low = std::min(low, 0.0);
    high = std::max(high, 0.0);
    if (low == high)
        return {};
    maxIntervals = std::max(maxIntervals, 1);

    const double rough = (high - low) / maxIntervals;
    double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    magnitude = std::max(magnitude, 1.0); // labels are whole numbers
    for (;;) {
        for (const double factor : {1.0, 2.0, 5.0}) {
            const double step = factor * magnitude;
            const double minimum = std::floor(low / step) * step;
            const double maximum = std::ceil(high / step) * step;
            if (!std::isfinite(maximum - minimum))
                return {};
            if ((maximum - minimum) / step <= maxIntervals + 1e-9)
                return {minimum, maximum, step};
        }
        magnitude *= 10;
    }
}

} // namespace tavo
