#pragma once
// What the main window's chart handlers do, kept apart from the window so that
// it can run against a bare BarChart and three actions.
//
// Wiring: pmChart's items are ManualCheckActions that start ticked, so a
// click leaves the tick to the handler:
//   connect(miPart1, &QAction::triggered, this, &TForm1::miPart1Click);
//   void TForm1::miPart1Click() { profileChart.toggleSeries(ProfileSeries::Series1, *miPart1); }
//   connect(Chart, &BarChart::seriesClicked, ...) -> seriesClicked(series, button)
//   connect(Chart, &BarChart::backgroundClicked, ...) -> backgroundClicked(button)
//   connect(Chart->thresholdField(), &ThresholdField::textChanged, ...) ->
//       repaint the results grid, then thresholdChanged()

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

    int marksFlag(ProfileSeries series) const { return m_marksFlags[static_cast<std::size_t>(series)]; }
    int legendFlag() const { return m_legendFlag; }

private:
    void fillSeries(ProfileSeries series, DifferenceColouring colouring);

    BarChart &m_chart;
    const ProfileRecord &m_record;
    std::array<int, kSeriesCount> m_marksFlags{}; // 1 while the series shows its marks
    int m_legendFlag = 0;                          // 1 while the legend panel is hidden
};

} // namespace tavo
