#pragma once
// Geometry of the circular profile diagram `imPlot`: twelve spokes, a dashed
// mean ring, a solid outer ring, the spoke labels and the Ideal and Real
// polygons, as plain data so the painter only draws.

#include "profile/factor_catalogue.h"

#include <array>
#include <cstdint>
#include <string>

namespace tavo {

inline constexpr int kSpokeCount = kFactorCount;

// The double nearest to π/6, about 5.4e-17 above it. Not 0.5235987755982988
// (the double π divided by 6): the difference decides label placement and
// how exact half-pixel coordinates round.
inline constexpr double kAngleStep = 0.5235987755982989;

inline constexpr double kMeanRingRadius = 70.0;    // a total of 55
inline constexpr double kOuterRingRadius = 126.25; // a total of 100

// Pixel coordinates. 64-bit so that any 32-bit total gives an exact point;
// points far outside the picture are left for the painter to clip.
struct DiagramPoint {
    std::int64_t x = 0;
    std::int64_t y = 0;
    bool operator==(const DiagramPoint &) const = default;
};

struct LabelOffset {
    int dx = 0;
    int dy = 0;
    bool operator==(const LabelOffset &) const = default;
};

using SpokePoints = std::array<DiagramPoint, kSpokeCount>;
using SpokeTotals = std::array<std::int32_t, kSpokeCount>;

// (W / 2 − 2, H / 2), each rounded half to even: 319 × 296 gives (158, 148).
DiagramPoint diagramCentre(int width, int height);

// `SpokePoint`: the point of spoke i (0..11, clockwise from straight up) at
// radius r. Computed with a 64-bit significand from the angle i × step
// rounded to double, then rounded half to even; because the step lies above
// π/6 an exact half on the slanted spokes rounds away from the centre on
// spokes 1, 4, 7, 10 and toward it on spokes 2, 5, 8, 11.
DiagramPoint SpokePoint(DiagramPoint centre, int spoke, double radius);

// 1.25 × (s + 1) for a total s ≠ 0; 0 for a total of 0. A total below −1
// gives a negative radius, i.e. a point across the centre.
double profileRadius(std::int32_t total);

// The offset of spoke i's label corner from its outer-ring point.
LabelOffset labelOffset(int spoke);

// The label text of spoke i: "1" to "12".
std::string spokeLabel(int spoke);

SpokePoints ringPoints(DiagramPoint centre, double radius);
SpokePoints profilePoints(DiagramPoint centre, const SpokeTotals &totals);

struct DiagramLabel {
    std::string text;
    DiagramPoint corner; // top-left corner of the text
};

// Everything the painter draws, in drawing order: clear, mean ring (dashed),
// outer ring, spokes from the centre to the outer-ring points with their
// labels, the Ideal polygon, then the Real polygon on top. Rings and polygons
// are closed: point 11 joins back to point 0.
struct CircularDiagramLayout {
    int width = 0;
    int height = 0;
    DiagramPoint centre;
    SpokePoints meanRing{};
    SpokePoints outerRing{}; // also the outer ends of the spokes
    std::array<DiagramLabel, kSpokeCount> labels{};
    SpokePoints ideal{};
    SpokePoints real{};
};

CircularDiagramLayout circularDiagramLayout(int width, int height, const SpokeTotals &ideal, const SpokeTotals &real);

} // namespace tavo
