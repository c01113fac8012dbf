#pragma once
// The percentage scale: 99 points are 100 %.

#include <cstdint>

namespace tavo {

// Nearest whole number, halves to the even neighbour.
std::int64_t roundHalfEven(long double value);

// round(points × 100 / 99).
std::int32_t percentage(std::int32_t points);

// round(real × 100 / 99 − ideal × 100 / 99), rounded once: not the difference
// of the two rounded percentages (Ideal 49, Real 50 give 1, not 2).
std::int32_t differencePercentage(std::int32_t ideal, std::int32_t real);

} // namespace tavo
