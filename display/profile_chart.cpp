#include "display/profile_chart.h"

#include "display/bar_chart.h"
#include "display/legend_panel.h"
#include "display/threshold_field.h"

#include <QAction>

namespace tavo {

ProfileChart::ProfileChart(BarChart &chart, const ProfileRecord &record) : m_chart(chart), m_record(record) {}

void ProfileChart::fillSeries(ProfileSeries series, DifferenceColouring colouring)
{
    for (const BarPoint &point : seriesPoints(series, m_record, colouring, m_chart.thresholdField()->value()))
        m_chart.addPoint(series, point);
}

void ProfileChart::showProfile()
{
    m_chart.clearSeries(ProfileSeries::Series1);
    m_chart.clearSeries(ProfileSeries::Series2);
    m_chart.clearSeries(ProfileSeries::Series3);
    for (int factor = 1; factor <= kFactorCount; ++factor) {
        m_chart.addPoint(ProfileSeries::Series1, barPoint(ProfileSeries::Series1, m_record, factor));
        m_chart.addPoint(ProfileSeries::Series2, barPoint(ProfileSeries::Series2, m_record, factor));
    }
    fillSeries(ProfileSeries::Series3, DifferenceColouring::BySign);
}

void ProfileChart::toggleSeries(ProfileSeries series, QAction &item)
{
    const bool ticked = !item.isChecked();
    item.setChecked(ticked);
    m_chart.clearSeries(series);
    if (ticked)
        fillSeries(series, DifferenceColouring::ByThreshold);
}

void ProfileChart::thresholdChanged()
{
    m_chart.clearSeries(ProfileSeries::Series3);
    fillSeries(ProfileSeries::Series3, DifferenceColouring::ByThreshold);
}

void ProfileChart::seriesClicked(ProfileSeries series, Qt::MouseButton button)
{
    if (button != Qt::LeftButton)
        return;
    int &flag = m_marksFlags[static_cast<std::size_t>(series)];
    flag = flag == 0 ? 1 : 0;
    m_chart.setMarksVisible(series, flag == 1);
}

void ProfileChart::backgroundClicked(Qt::MouseButton button)
{
    if (button != Qt::LeftButton)
        return;
    m_legendFlag = m_legendFlag == 0 ? 1 : 0;
    m_chart.legendPanel()->setVisible(m_legendFlag == 0);
}

} // namespace tavo
