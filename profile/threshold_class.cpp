#include "profile/threshold_class.h"

#include <charconv>
#include <cstdlib>

namespace tavo {

ThresholdClass thresholdClass(std::int32_t ideal, std::int32_t real, std::int32_t threshold)
{
    const std::int64_t limit = std::llabs(std::int64_t{threshold});
    const std::int64_t shortfall = std::int64_t{ideal} - std::int64_t{real};
    if (shortfall > limit)
        return ThresholdClass::Below;
    if (-shortfall > limit)
        return ThresholdClass::Above;
    return ThresholdClass::Within;
}

std::int32_t thresholdFromText(std::string_view text)
{
    if (text.size() > 1 && text.front() == '+' && text[1] != '-')
        text.remove_prefix(1); // from_chars takes no plus sign
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size())
        return 0;
    return value;
}

} // namespace tavo
