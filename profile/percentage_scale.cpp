#include "profile/percentage_scale.h"

#include <cmath>

namespace tavo {

std::int64_t roundHalfEven(long double value)
{
    const long double down = std::floor(value);
    const long double fraction = value - down;
    auto result = static_cast<std::int64_t>(down);
    if (fraction > 0.5L || (fraction == 0.5L && result % 2 != 0))
        ++result;
    return result;
}

std::int32_t percentage(std::int32_t points)
{
    // The product is whole; the quotient is taken in double as the scale defines.
    const double quotient = static_cast<double>(std::int64_t{points} * 100) / 99.0;
    return static_cast<std::int32_t>(roundHalfEven(quotient));
}

std::int32_t differencePercentage(std::int32_t ideal, std::int32_t real)
{
    const double realQuotient = static_cast<double>(std::int64_t{real} * 100) / 99.0;
    const double idealQuotient = static_cast<double>(std::int64_t{ideal} * 100) / 99.0;
    return static_cast<std::int32_t>(roundHalfEven(realQuotient - idealQuotient));
}

} // namespace tavo
