#include "geometry/diagram_geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

using namespace tavo;

namespace {

constexpr DiagramPoint kCentre{158, 148}; // of the 319 × 296 picture

SpokeTotals allTotals(std::int32_t total)
{
    SpokeTotals totals;
    totals.fill(total);
    return totals;
}

} // namespace

namespace tavo {
void PrintTo(const DiagramPoint &p, std::ostream *out) { *out << "(" << p.x << ", " << p.y << ")"; }
void PrintTo(const LabelOffset &o, std::ostream *out) { *out << "(" << o.dx << ", " << o.dy << ")"; }
} // namespace tavo

TEST(DiagramGeometry, CentreRoundsHalvesToEven)
{
    const struct {
        int width, height;
        DiagramPoint centre;
    } cases[] = {
        {319, 296, {158, 148}},                 // 157.5 goes up to the even 158
        {317, 296, {156, 148}},                 // 156.5 goes down to the even 156
        {320, 297, {158, 148}},                 // 148.5 goes down
        {322, 299, {159, 150}},                 // 149.5 goes up
        {0, 0, {-2, 0}},        {3, 1, {0, 0}}, // -0.5 and 0.5 both go to 0
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        EXPECT_EQ(diagramCentre(c.width, c.height), c.centre);
    }
}

TEST(DiagramGeometry, RingsAndLabelsOfThePicture)
{
    const DiagramPoint mean[] = {{158, 78},  {193, 87},  {219, 113}, {228, 148}, {219, 183}, {193, 209},
                                 {158, 218}, {123, 209}, {97, 183},  {88, 148},  {97, 113},  {123, 87}};
    const DiagramPoint outer[] = {{158, 22},  {221, 39}, {267, 85}, {284, 148}, {267, 211}, {221, 257},
                                  {158, 274}, {95, 257}, {49, 211}, {32, 148},  {49, 85},   {95, 39}};
    const DiagramPoint corner[] = {{150, 7},   {228, 28}, {274, 74}, {291, 144}, {274, 207}, {228, 253},
                                   {147, 276}, {82, 253}, {36, 207}, {11, 137},  {28, 74},   {74, 28}};
    const CircularDiagramLayout layout = circularDiagramLayout(319, 296, allTotals(55), allTotals(55));
    EXPECT_EQ(layout.centre, kCentre);
    for (int i = 0; i < kSpokeCount; ++i) {
        SCOPED_TRACE(testing::Message() << "spoke " << i);
        const auto k = static_cast<std::size_t>(i);
        EXPECT_EQ(layout.meanRing[k], mean[k]);
        EXPECT_EQ(layout.outerRing[k], outer[k]);
        EXPECT_EQ(layout.labels[k].corner, corner[k]);
        EXPECT_EQ(layout.labels[k].text, std::to_string(i + 1));
        // A total of 55 lies on the mean ring.
        EXPECT_EQ(layout.ideal[k], mean[k]);
        EXPECT_EQ(layout.real[k], mean[k]);
    }
}

TEST(DiagramGeometry, LabelOffsetsFollowTheAngleJustPastEachQuarter)
{
    const LabelOffset expected[] = {{-8, -15}, {7, -11},  {7, -11},  {7, -4},    {7, -4},    {7, -4},
                                    {-11, 2},  {-13, -4}, {-13, -4}, {-21, -11}, {-21, -11}, {-21, -11}};
    for (int i = 0; i < kSpokeCount; ++i) {
        SCOPED_TRACE(testing::Message() << "spoke " << i);
        EXPECT_EQ(labelOffset(i), expected[i]);
    }
}

TEST(DiagramGeometry, ProfilePointsOnTheirSpokes)
{
    const struct {
        std::int32_t total;
        int spoke;
        DiagramPoint point;
    } cases[] = {
        {3, 1, {161, 144}},                            // x 159.5 + tiny rounds away from the centre
        {11, 2, {171, 141}},                           // y 140.5 + tiny rounds toward the centre
        {1, 0, {158, 146}},                            // y 145.5 goes to even
        {5, 0, {158, 140}},                            // y 140.5 goes to even
        {99, 0, {158, 23}},                            // radius 125, inside the outer ring at 22
        {99, 3, {283, 148}},       {0, 5, {158, 148}}, // a total of 0 is the centre, not radius 1.25
        {-1, 4, {158, 148}},                           // radius 0 by the formula
        {-21, 0, {158, 173}},                          // radius −25: across the centre
        {117, 6, {158, 296}},                          // first point off the picture
        {1, 3, {160, 148}},                            // x 160.5 to even
        {1, 9, {156, 148}},                            // x 155.5 to even
        {3, 7, {155, 152}},                            // x 156.5 − tiny: away from the centre
        {3, 4, {162, 151}},                            // y 150.5 + tiny: away from the centre
        {3, 10, {154, 145}},                           // y 145.5 − tiny: away from the centre
        {3, 5, {160, 152}},                            // x 160.5 − tiny: toward the centre
        {3, 11, {156, 144}},                           // x 155.5 + tiny: toward the centre
        {3, 8, {154, 150}},                            // y 150.5 − tiny: toward the centre
        {11988, 0, {158, -14838}}, {-1188, 0, {158, 1632}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "total " << c.total << " spoke " << c.spoke);
        EXPECT_EQ(SpokePoint(kCentre, c.spoke, profileRadius(c.total)), c.point);
    }
}

TEST(DiagramGeometry, ExtremeTotalsGiveExactPointsWithoutOverflow)
{
    EXPECT_EQ(SpokePoint(kCentre, 0, profileRadius(INT_MAX)), (DiagramPoint{158, 148 - 2684354560LL}));
    EXPECT_EQ(SpokePoint(kCentre, 6, profileRadius(INT_MAX)), (DiagramPoint{158, 148 + 2684354560LL}));
    EXPECT_EQ(SpokePoint(kCentre, 3, profileRadius(INT_MIN)), (DiagramPoint{158 - 2684354559LL, 148}));
}

// Every total a result file can hold, on every spoke, against the exact
// value of the point at i × 30 degrees with the exact-half rules applied.
TEST(DiagramGeometry, ExactHalvesRoundAsTheStepDictates)
{
    const long double root3Half = std::sqrt(3.0L) / 2;
    const long double sines[] = {0, 0.5L, root3Half, 1, root3Half, 0.5L, 0, -0.5L, -root3Half, -1, -root3Half, -0.5L};
    const auto exactRound = [](long double offset, int spoke, bool axis) -> std::int64_t {
        const long double down = std::floor(offset);
        if (offset - down != 0.5L)
            return std::llround(offset);
        if (axis) // to even
            return static_cast<std::int64_t>(std::fmod(down, 2.0L) == 0 ? down : down + 1);
        const bool away = spoke % 3 == 1;
        const bool positive = offset > 0;
        return static_cast<std::int64_t>(away == positive ? down + 1 : down);
    };
    int mismatches = 0;
    for (std::int32_t total = -1188; total <= 11988; ++total) {
        const long double r = profileRadius(total);
        for (int i = 0; i < kSpokeCount; ++i) {
            const long double dx = r * sines[i];
            const long double dy = -r * sines[(i + 3) % 12];
            const DiagramPoint expected{kCentre.x + exactRound(dx, i, i == 3 || i == 9),
                                        kCentre.y + exactRound(dy, i, i == 0 || i == 6)};
            const DiagramPoint got = SpokePoint(kCentre, i, r);
            if (got != expected && ++mismatches <= 10)
                ADD_FAILURE() << "total " << total << " spoke " << i << ": (" << got.x << ", " << got.y
                              << "), expected (" << expected.x << ", " << expected.y << ")";
        }
    }
    EXPECT_EQ(mismatches, 0);
}
