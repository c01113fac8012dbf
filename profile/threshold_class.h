#pragma once
// Whether a factor's difference counts as notable against the threshold.

#include <cstdint>
#include <string>
#include <string_view>

namespace tavo {

enum class ThresholdClass {
    Below,  // Ideal − Real > |t|: the current job falls short
    Above,  // Real − Ideal > |t|
    Within, // |Real − Ideal| ≤ |t|
};

// Decided on points with strict comparisons; a negative threshold acts as its
// absolute value (INT32_MIN included, computed without overflow).
ThresholdClass thresholdClass(std::int32_t ideal, std::int32_t real, std::int32_t threshold);

// The threshold field's text as a number: a whole number with an optional
// sign; anything else (empty, a lone sign, out of range) counts as 0.
std::int32_t thresholdFromText(std::string_view text);

} // namespace tavo
