#pragma once
// The analysis report block that every load appends, and the chart title.
// All text is cp1251.

#include "profile/profile_record.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavo {

// The header lines of a result text that the report and the chart title show,
// each unchanged, blanks included, possibly empty.
struct ResultHeader {
    std::string line0;  // test or organisation name: third piece of the title
    std::string line1;  // the subject name: first piece of the title
    std::string line2;  // group or date: second piece of the title
    std::string line4;  // test start
    std::string line6;  // status of the first questionnaire half (ideal job)
    std::string line23; // status of the second half (current job)

    bool operator==(const ResultHeader &) const = default;
};

inline constexpr std::size_t kReportBlockLines = 67;

// printf's "%4d": right-aligned in at least four characters, blank-padded,
// a wider number written in full.
std::string formatPoints(std::int32_t value);

// Line 1, " ", line 2, " ", line 0: the title's first stage and report line 3.
std::string chartTitleFirstStage(const ResultHeader &header);

// The whole one-line chart title: the first stage, then the start line and
// the two Part lines, each introduced by two blanks.
std::string chartTitle(const ResultHeader &header);

// The five lines of factor k (1..12): catalogue entry, Ideal, Real,
// difference, empty line.
std::vector<std::string> factorReportBlock(int factor, const ProfileRecord &profile);

// The 67 lines one successful load appends to the report.
std::vector<std::string> reportBlock(const ResultHeader &header, const ProfileRecord &profile);

} // namespace tavo
