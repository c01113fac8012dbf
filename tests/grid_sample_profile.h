#pragma once
// A profile that exercises every difference class and both scale ends:
// factor 1: −10, 2: +5, 3: −5, 4: +6, 5: 0, 6: −6, 8: +15, 9: a negative
// Real total, 11: a total above the scale.

#include "profile/profile_record.h"

namespace tavo {

inline ProfileRecord gridSampleProfile()
{
    ProfileRecord profile;
    profile.ideal = {60, 45, 70, 30, 55, 90, 20, 55, 3, 11, 99, 0};
    profile.real = {50, 50, 65, 36, 55, 84, 20, 70, -12, 5, 117, 1};
    return profile;
}

} // namespace tavo
