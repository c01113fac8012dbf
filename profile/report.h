#pragma once
// The analysis report block that every load appends, and the chart title.
// All text is cp1251.

#include "profile/profile_record.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavo {

// The header lines of a result text that the report and the chart title show,
// each unchanged, blanks included, possibly empty.
struct ResultHeader {
    std::string organisation;         // line 0: who ran the test; third piece of the title
    std::string subject;              // line 1: the subject's name; first piece of the title
    std::string subjectDetails;       // line 2: position, date; second piece of the title
    std::string testStart;            // line 4: when the test began
    std::string firstHalfCompletion;  // line 6: the first half (the ideal job) as completed
    std::string secondHalfCompletion; // line 23: the second half (the current job) as completed

    bool operator==(const ResultHeader &) const = default;
};

// Lines of text kept one after another in one buffer, so that building them
// costs no allocation per line. Lines are read as string views.
class TextLines {
public:
    class Iterator {
    public:
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        Iterator() = default;
        Iterator(const TextLines *lines, std::size_t index) : lines_(lines), index_(index) {}
        std::string_view operator*() const { return (*lines_)[index_]; }
        Iterator &operator++()
        {
            ++index_;
            return *this;
        }
        Iterator operator++(int)
        {
            Iterator before = *this;
            ++index_;
            return before;
        }
        bool operator==(const Iterator &) const = default;

    private:
        const TextLines *lines_ = nullptr;
        std::size_t index_ = 0;
    };

    void reserve(std::size_t lines, std::size_t chars);
    // Appends one line, the pieces one after the other.
    void addLine(std::initializer_list<std::string_view> pieces);
    // Appends the lines of text, whose line i ends at ends[i] (ascending, the
    // last at most text.size()); characters after the last end are dropped.
    void addLines(std::string_view text, std::span<const std::size_t> ends);
    // All characters of the lines so far, one after the other, to be
    // overwritten in place.
    std::span<char> characters() { return text_; }

    std::size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }
    std::string_view operator[](std::size_t line) const;
    Iterator begin() const { return {this, 0}; }
    Iterator end() const { return {this, size()}; }

    bool operator==(const TextLines &) const = default;

private:
    std::string text_;              // all lines, with nothing between them
    std::vector<std::size_t> ends_; // where each line ends in text_
};

inline constexpr std::size_t kReportBlockLines = 67;

// printf's "%4d": right-aligned in at least four characters, blank-padded,
// a wider number written in full.
std::string formatPoints(std::int32_t value);

// Line 1, " ", line 2, " ", line 0: the title's first stage and report line 3.
std::string chartTitleFirstStage(const ResultHeader &header);

// The whole one-line chart title: the first stage, then the test start and
// the completion of both halves, each introduced by two blanks.
std::string chartTitle(const ResultHeader &header);

// The 67 lines one successful load appends to the report: the heading, then
// for every factor its catalogue entry, Ideal, Real, difference and an empty
// line.
TextLines reportBlock(const ResultHeader &header, const ProfileRecord &profile);

} // namespace tavo
