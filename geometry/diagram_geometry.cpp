#include "geometry/diagram_geometry.h"

#include "profile/percentage_scale.h"

#include <cmath>

namespace tavo {

namespace {

// π at the 64-bit significand precision the label rules compare with.
constexpr long double kPi = 3.14159265358979323846264338327950288L;

} // namespace

DiagramPoint diagramCentre(int width, int height)
{
    return {roundHalfEven(static_cast<long double>(width) / 2 - 2),
            roundHalfEven(static_cast<long double>(height) / 2)};
}

DiagramPoint SpokePoint(DiagramPoint centre, int spoke, double radius)
{
    // The angle is a double product; sine and cosine and the sums are taken at
    // extended precision, which keeps the step's excess over π/6 visible in
    // the result and so decides exact halves as intended.
    const double angle = spoke * kAngleStep;
    const long double r = radius;
    const long double x = static_cast<long double>(centre.x) + r * std::sin(static_cast<long double>(angle));
    const long double y = static_cast<long double>(centre.y) - r * std::cos(static_cast<long double>(angle));
    return {roundHalfEven(x), roundHalfEven(y)};
}

double profileRadius(std::int32_t total)
{
    if (total == 0)
        return 0.0;
    return (total / 2.0 + 0.5) * 2.5;
}

LabelOffset labelOffset(int spoke)
{
    // The angle is held at extended precision here, not rounded to double:
    // spoke 3 lies just past π/2, spoke 6 just past π, spoke 9 just past 3π/2.
    const long double angle = static_cast<long double>(spoke) * static_cast<long double>(kAngleStep);
    const auto length = static_cast<long double>(spokeLabel(spoke).size());
    if (spoke == 0)
        return {-8, -15};
    if (angle <= kPi / 2)
        return {7, -11};
    if (angle < kPi)
        return {7, -4};
    if (spoke == 6)
        return {-11, 2};
    if (angle <= 3 * kPi / 2)
        return {static_cast<int>(-9 * length + roundHalfEven(length / 2 - 5)), -4};
    return {static_cast<int>(-9 * length + roundHalfEven(length / 2) - 4), -11};
}

std::string spokeLabel(int spoke) { return std::to_string(spoke + 1); }

SpokePoints ringPoints(DiagramPoint centre, double radius)
{
    SpokePoints points;
    for (int i = 0; i < kSpokeCount; ++i)
        points[static_cast<std::size_t>(i)] = SpokePoint(centre, i, radius);
    return points;
}

SpokePoints profilePoints(DiagramPoint centre, const SpokeTotals &totals)
{
    SpokePoints points;
    for (int i = 0; i < kSpokeCount; ++i)
        points[static_cast<std::size_t>(i)] = SpokePoint(centre, i, profileRadius(totals[static_cast<std::size_t>(i)]));
    return points;
}

CircularDiagramLayout circularDiagramLayout(int width, int height, const SpokeTotals &ideal, const SpokeTotals &real)
{
    CircularDiagramLayout layout;
    layout.width = width;
    layout.height = height;
    layout.centre = diagramCentre(width, height);
    layout.meanRing = ringPoints(layout.centre, kMeanRingRadius);
    layout.outerRing = ringPoints(layout.centre, kOuterRingRadius);
    for (int i = 0; i < kSpokeCount; ++i) {
        const auto index = static_cast<std::size_t>(i);
        const LabelOffset offset = labelOffset(i);
        const DiagramPoint &anchor = layout.outerRing[index];
        layout.labels[index] = {spokeLabel(i), {anchor.x + offset.dx, anchor.y + offset.dy}};
    }
    layout.ideal = profilePoints(layout.centre, ideal);
    layout.real = profilePoints(layout.centre, real);
    return layout;
}

} // namespace tavo
