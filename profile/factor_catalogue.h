#pragma once
// The twelve motivational factors, as the report writes them out (cp1251).

#include <array>
#include <string_view>

namespace tavo {

inline constexpr int kFactorCount = 12;

// Entry k (1..12) of the catalogue: one line that starts with the factor's
// number right-aligned in two characters, a full stop and a blank.
std::string_view factorText(int factor);

} // namespace tavo
