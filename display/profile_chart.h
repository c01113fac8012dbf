#pragma once
// What the chart's handlers do to the chart: its series, marks and legend
// for a profile. The result panel owns one and wires the chart's clicks and
// the threshold field to it; the main window's popup items (ManualCheckActions
// that start ticked, so a click leaves the tick to the handler) call
// toggleSeries.

#include "geometry/bar_series.h"

#include <Qt>

#include <array>

class QAction;

namespace tavo {

class BarChart;
struct ProfileRecord;

class ProfileChart {
public:
    // Both are kept by reference and read afresh by every operation.
    ProfileChart(BarChart &chart, const ProfileRecord &record);

    // `ShowProfile`, chart half: all three series refilled whatever the
    // ticks, the differences in sign colours.
    void showProfile();

    // `miPart1Click`, `miPart2Click`, `miDeltaClick`: the item's tick is
    // inverted; the series is cleared and, when now ticked, refilled (the
    // differences in threshold colours).
    void toggleSeries(ProfileSeries series, QAction &item);

    // `seDeltaChange`, chart half: the differences refilled in threshold
    // colours, whatever the tick of miDelta. The caller repaints the grid first.
    void thresholdChanged();

    // `Series1Click`..`Series3Click`: a left click shows or hides the series'
    // marks; other buttons do nothing.
    void seriesClicked(ProfileSeries series, Qt::MouseButton button);

    // `ChartClickBackground`: a left click hides or shows the legend panel.
    void backgroundClicked(Qt::MouseButton button);

    int marksFlag(ProfileSeries series) const { return marksFlags_[static_cast<std::size_t>(series)]; }
    int legendFlag() const { return legendFlag_; }

private:
    void fillSeries(ProfileSeries series, DifferenceColouring colouring);

    BarChart &chart_;
    const ProfileRecord &record_;
    std::array<int, kSeriesCount> marksFlags_{}; // 1 while the series shows its marks
    int legendFlag_ = 0;                         // 1 while the legend panel is hidden
};

} // namespace tavo
