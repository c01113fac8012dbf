#pragma once
// Every colour the program paints with, defined once, as plain RGB so the
// core can choose colours and the display only converts them.

#include <array>
#include <cstdint>

namespace tavo {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb &) const = default;
};

// The profiles and the difference classes.
inline constexpr Rgb kFuchsia{255, 0, 255}; // Ideal
inline constexpr Rgb kBlue{0, 0, 255};      // Real; the chart's title
inline constexpr Rgb kRed{255, 0, 0};       // a difference below the threshold, or negative
inline constexpr Rgb kLime{0, 255, 0};      // a difference above it, or not negative
inline constexpr Rgb kGray{128, 128, 128};  // a difference within it; the dark side of a bevel
inline constexpr Rgb kGreen{0, 128, 0};     // the grid's "above" text

// The chart's own.
inline constexpr Rgb kNavy{0, 0, 128};           // axis titles
inline constexpr Rgb kMaroon{128, 0, 0};         // "Mean = +/-"
inline constexpr Rgb kMarkYellow{255, 255, 128}; // the marks' boxes
inline constexpr Rgb kMarkBorder{64, 64, 64};
inline constexpr Rgb kChartGrid{214, 214, 214}; // lines across the walls
inline constexpr Rgb kWallEdge{150, 150, 150};
inline constexpr Rgb kChartFloor{246, 246, 246}; // a faint floor sets the bars on the ground
inline constexpr Rgb kSilver{192, 192, 192};     // the grid's lines between ordinary cells

inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};

// The light system colours the result panel keeps whatever the desktop's
// theme: its chart and report are white and its grid button-face by design.
inline constexpr Rgb kButtonFace{240, 240, 240};
inline constexpr Rgb kButtonLight{227, 227, 227};
inline constexpr Rgb kButtonShadow{160, 160, 160};
inline constexpr Rgb kDarkShadow{105, 105, 105};
inline constexpr Rgb kHighlight{0, 120, 215};
inline constexpr Rgb kDisabledText{109, 109, 109};

} // namespace tavo

namespace tavo {

// The faces of a bar in the chart's three-dimensional view: the front in the
// bar's colour, the top lighter, the side and the outline darker.
constexpr Rgb shaded(Rgb c, double factor)
{
    return {std::uint8_t(c.r * factor + 0.5), std::uint8_t(c.g * factor + 0.5), std::uint8_t(c.b * factor + 0.5)};
}
constexpr Rgb tinted(Rgb c, double towardsWhite)
{
    return {std::uint8_t(c.r + (255 - c.r) * towardsWhite + 0.5), std::uint8_t(c.g + (255 - c.g) * towardsWhite + 0.5),
            std::uint8_t(c.b + (255 - c.b) * towardsWhite + 0.5)};
}
inline constexpr double kBarEdgeShade = 0.45;
inline constexpr double kBarSideShade = 0.7;
inline constexpr double kBarTopTint = 0.3;

// Every colour the program paints the chart and the panel with, bar faces
// included: a saved picture keeps each of them exactly.
inline constexpr auto kPaintColours = [] {
    constexpr Rgb plain[] = {kFuchsia, kBlue,       kRed,        kLime,        kGray,         kGreen,      kNavy,
                             kMaroon,  kMarkYellow, kMarkBorder, kChartGrid,   kWallEdge,     kChartFloor, kSilver,
                             kWhite,   kBlack,      kButtonFace, kButtonLight, kButtonShadow, kDarkShadow, kHighlight};
    constexpr Rgb bars[] = {kFuchsia, kBlue, kRed, kLime, kGray};
    std::array<Rgb, std::size(plain) + 3 * std::size(bars)> all{};
    std::size_t n = 0;
    for (const Rgb c : plain)
        all[n++] = c;
    for (const Rgb c : bars) {
        all[n++] = shaded(c, kBarEdgeShade);
        all[n++] = shaded(c, kBarSideShade);
        all[n++] = tinted(c, kBarTopTint);
    }
    return all;
}();

} // namespace tavo
