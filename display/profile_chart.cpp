#include "display/profile_chart.h"

#include "display/bar_chart.h"
#include "display/legend_panel.h"
#include "display/threshold_field.h"

#include <QAction>

namespace tavo {

ProfileChart::ProfileChart(BarChart &chart, const ProfileRecord &record) : chart_(chart), record_(record) {}

void ProfileChart::fillSeries(ProfileSeries series, DifferenceColouring colouring)
{
    for (const BarPoint &point : seriesPoints(series, record_, colouring, chart_.thresholdField()->value()))
        chart_.addPoint(series, point);
}

void ProfileChart::showProfile()
{
    chart_.clearSeries(ProfileSeries::Series1);
    chart_.clearSeries(ProfileSeries::Series2);
    chart_.clearSeries(ProfileSeries::Series3);
    for (int factor = 1; factor <= kFactorCount; ++factor) {
        chart_.addPoint(ProfileSeries::Series1, barPoint(ProfileSeries::Series1, record_, factor));
        chart_.addPoint(ProfileSeries::Series2, barPoint(ProfileSeries::Series2, record_, factor));
    }
    fillSeries(ProfileSeries::Series3, DifferenceColouring::BySign);
}

void ProfileChart::toggleSeries(ProfileSeries series, QAction &item)
{
    const bool ticked = !item.isChecked();
    item.setChecked(ticked);
    chart_.clearSeries(series);
    if (ticked)
        fillSeries(series, DifferenceColouring::ByThreshold);
}

void ProfileChart::thresholdChanged()
{
    chart_.clearSeries(ProfileSeries::Series3);
    fillSeries(ProfileSeries::Series3, DifferenceColouring::ByThreshold);
}

void ProfileChart::seriesClicked(ProfileSeries series, Qt::MouseButton button)
{
    if (button != Qt::LeftButton)
        return;
    int &flag = marksFlags_[static_cast<std::size_t>(series)];
    flag = flag == 0 ? 1 : 0;
    chart_.setMarksVisible(series, flag == 1);
}

void ProfileChart::backgroundClicked(Qt::MouseButton button)
{
    if (button != Qt::LeftButton)
        return;
    legendFlag_ = legendFlag_ == 0 ? 1 : 0;
    chart_.legendPanel()->setVisible(legendFlag_ == 0);
}

} // namespace tavo
