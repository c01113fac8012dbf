#pragma once
// Every colour the program paints with, defined once, as plain RGB so the
// core can choose colours and the display only converts them.

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
inline constexpr Rgb kNavy{0, 0, 128};             // axis titles
inline constexpr Rgb kMaroon{128, 0, 0};           // "Mean = +/-"
inline constexpr Rgb kMarkYellow{255, 255, 128};   // the marks' boxes
inline constexpr Rgb kMarkBorder{64, 64, 64};
inline constexpr Rgb kChartGrid{214, 214, 214};    // lines across the walls
inline constexpr Rgb kWallEdge{150, 150, 150};
inline constexpr Rgb kChartFloor{246, 246, 246};   // a faint floor sets the bars on the ground
inline constexpr Rgb kSilver{192, 192, 192};       // the grid's lines between ordinary cells

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
