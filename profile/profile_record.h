#pragma once
// The one profile the program shows: a subject and twelve Ideal and Real totals.

#include "profile/factor_catalogue.h"

#include <array>
#include <cstdint>
#include <string>

namespace tavo {

struct ProfileRecord {
    std::string subjectName; // line 1 of the result text, cp1251, unchanged
    // Points of factor k at index k - 1: the first half of the questionnaire (the ideal
    // job) and the second (the current job). No range is enforced.
    std::array<std::int32_t, kFactorCount> ideal{};
    std::array<std::int32_t, kFactorCount> real{};

    // Real minus Ideal of factor k (1..12); never stored. Totals are sums of at
    // most twelve three-character fields, so the difference cannot overflow.
    std::int32_t difference(int factor) const
    {
        return real[static_cast<std::size_t>(factor - 1)] - ideal[static_cast<std::size_t>(factor - 1)];
    }
    std::int32_t idealTotal(int factor) const { return ideal[static_cast<std::size_t>(factor - 1)]; }
    std::int32_t realTotal(int factor) const { return real[static_cast<std::size_t>(factor - 1)]; }

    bool operator==(const ProfileRecord &) const = default;
};

} // namespace tavo
