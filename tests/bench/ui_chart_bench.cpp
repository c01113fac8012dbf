// Painting the profile bar chart for one profile, offscreen.
#include "display/bar_chart.h"
#include "display/profile_chart.h"
#include "profile/profile_record.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

using namespace tavo;

namespace {

ProfileRecord sampleProfile()
{
    ProfileRecord record;
    record.ideal = {49, 60, 70, 30, 55, 80, 20, 44, 66, 90, 12, 50};
    record.real = {50, 20, 75, 45, 55, 60, 35, 40, 80, 70, 30, 50};
    return record;
}

// The chart as laid out once: painting only.
void BM_PaintChart(benchmark::State &state)
{
    const ProfileRecord record = sampleProfile();
    BarChart chart;
    ProfileChart profile(chart, record);
    profile.showProfile();
    QImage image(chart.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        chart.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PaintChart)->Unit(benchmark::kMillisecond);

// What a load costs the chart: refill the three series, lay out and paint,
// with one series' marks shown.
void BM_ShowProfileAndPaint(benchmark::State &state)
{
    const ProfileRecord record = sampleProfile();
    BarChart chart;
    ProfileChart profile(chart, record);
    profile.seriesClicked(ProfileSeries::Series2, Qt::LeftButton);
    QImage image(chart.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        profile.showProfile();
        chart.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_ShowProfileAndPaint)->Unit(benchmark::kMillisecond);

} // namespace
