#include "display/profile_chart.h"

#include "app/manual_check_action.h"
#include "bar_pixels.h"
#include "display/bar_chart.h"
#include "display/legend_panel.h"
#include "display/result_panel.h"
#include "display/results_grid.h"
#include "display/threshold_field.h"
#include "resultfile/result_load.h"

#include <QAction>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

using namespace tavo;

namespace {

const QColor kLimeQ(0, 255, 0), kRedQ(255, 0, 0), kGrayQ(128, 128, 128);

// The chart of a result panel, wired as the panel wires it, with a popup
// menu of three ticked items as the main window's.
class ProfileChartTest : public testing::Test {
protected:
    ProfileChartTest()
    {
        const std::pair<std::int32_t, std::int32_t> totals[] = {
            {49, 50}, {60, 20}, {55, 55}, {50, 53}, {53, 50}, {50, 54},
            {54, 50}, {40, 70}, {70, 40}, {0, 99},  {99, 0},  {33, 33},
        };
        for (std::size_t i = 0; i < 12; ++i) {
            loaded.profile.ideal[i] = totals[i].first;
            loaded.profile.real[i] = totals[i].second;
        }
        panel.showResult(loaded);
        const std::pair<QAction **, const char *> items[] = {
            {&miPart1, "Идеальная работа"}, {&miPart2, "Реальная работа"}, {&miDelta, "Delta = Real - Ideal"}};
        for (const auto &[item, caption] : items) {
            *item = new ManualCheckAction(QString::fromUtf8(caption), &pmChart);
            (*item)->setChecked(true);
            pmChart.addAction(*item);
        }
        connect(miPart1, ProfileSeries::Series1);
        connect(miPart2, ProfileSeries::Series2);
        connect(miDelta, ProfileSeries::Series3);
        chart.setPopupMenu(&pmChart);
    }

    void connect(QAction *item, ProfileSeries series)
    {
        QObject::connect(item, &QAction::triggered, [this, item, series] { profile.toggleSeries(series, *item); });
    }

    QColor differenceColour(int factor) const { return chart.pointColour(ProfileSeries::Series3, factor - 1); }

    void expectSeriesHolds(ProfileSeries series, DifferenceColouring colouring, std::int32_t threshold = 0)
    {
        const auto &points = chart.points(series);
        ASSERT_EQ(points.size(), 12);
        for (int k = 1; k <= 12; ++k) {
            SCOPED_TRACE(k);
            const BarPoint expected = barPoint(series, panel.profile(), k, colouring, threshold);
            const BarChart::Point &shown = points[k - 1];
            EXPECT_EQ(shown.x, expected.x);
            EXPECT_EQ(shown.y, expected.y);
            EXPECT_EQ(shown.label.toStdString(), expected.label);
            EXPECT_EQ(chart.pointColour(series, k - 1).rgb(),
                      expected.colour ? qRgb(expected.colour->r, expected.colour->g, expected.colour->b)
                                      : chart.seriesColour(series).rgb());
        }
    }

    LoadedResult loaded;
    ResultPanel panel;
    BarChart &chart = *panel.Chart;
    ProfileChart &profile = panel.profileChart();
    QMenu pmChart;
    QAction *miPart1 = nullptr, *miPart2 = nullptr, *miDelta = nullptr;
};

} // namespace

TEST_F(ProfileChartTest, ShowProfileFillsEverySeriesWithSignColours)
{
    profile.showProfile();
    expectSeriesHolds(ProfileSeries::Series1, DifferenceColouring::BySign);
    expectSeriesHolds(ProfileSeries::Series2, DifferenceColouring::BySign);
    expectSeriesHolds(ProfileSeries::Series3, DifferenceColouring::BySign);
    EXPECT_EQ(chart.points(ProfileSeries::Series3)[0].y, 1);
    EXPECT_EQ(chart.points(ProfileSeries::Series3)[1].label, "-40");
    EXPECT_EQ(differenceColour(2), kRedQ);
    EXPECT_EQ(differenceColour(3), kLimeQ); // equal totals

    // A reload replaces the points and ignores the ticks.
    miPart1->trigger();
    miDelta->trigger();
    ASSERT_TRUE(chart.points(ProfileSeries::Series1).isEmpty());
    loaded.profile.ideal[0] = 10;
    panel.showResult(loaded);
    expectSeriesHolds(ProfileSeries::Series1, DifferenceColouring::BySign);
    expectSeriesHolds(ProfileSeries::Series3, DifferenceColouring::BySign);
    EXPECT_FALSE(miPart1->isChecked());
    EXPECT_FALSE(miDelta->isChecked());
    EXPECT_TRUE(miPart2->isChecked());
}

TEST_F(ProfileChartTest, EachItemClickInvertsItsTickOnceAndRefillsItsSeries)
{
    profile.showProfile();
    const struct {
        QAction **item;
        ProfileSeries series;
    } cases[] = {
        {&miPart1, ProfileSeries::Series1}, {&miPart2, ProfileSeries::Series2}, {&miDelta, ProfileSeries::Series3}};
    for (const auto &c : cases) {
        SCOPED_TRACE(int(c.series));
        QAction *item = *c.item;
        item->trigger();
        EXPECT_FALSE(item->isChecked());
        EXPECT_TRUE(chart.points(c.series).isEmpty());
        item->trigger();
        EXPECT_TRUE(item->isChecked());
        expectSeriesHolds(c.series, DifferenceColouring::ByThreshold);
    }
    // Switched off and on, equal totals turn from lime to gray.
    EXPECT_EQ(differenceColour(3), kGrayQ);
    EXPECT_EQ(differenceColour(1), kLimeQ);

    // Without a menu click the algorithm inverts the tick the item has.
    QAction bare;
    bare.setCheckable(true);
    bare.setChecked(true);
    profile.toggleSeries(ProfileSeries::Series2, bare);
    EXPECT_FALSE(bare.isChecked());
    EXPECT_TRUE(chart.points(ProfileSeries::Series2).isEmpty());
}

TEST_F(ProfileChartTest, MouseClickOnAPopupItemTogglesItsSeries)
{
    profile.showProfile();
    pmChart.popup(QPoint(100, 100));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pmChart));
    QTest::mouseClick(&pmChart, Qt::LeftButton, {}, pmChart.actionGeometry(miPart2).center());
    EXPECT_FALSE(miPart2->isChecked());
    EXPECT_TRUE(chart.points(ProfileSeries::Series2).isEmpty());
    EXPECT_EQ(chart.points(ProfileSeries::Series1).size(), 12);
}

TEST_F(ProfileChartTest, TypedThresholdRecoloursTheDifferencesEvenWhenUnticked)
{
    profile.showProfile();
    miDelta->trigger();
    ASSERT_TRUE(chart.points(ProfileSeries::Series3).isEmpty());

    ThresholdField *field = chart.thresholdField();
    field->setText(QString());
    QTest::keyClicks(field, "-3");
    EXPECT_EQ(panel.sgResF->threshold(), -3); // the grid follows the field too
    EXPECT_FALSE(miDelta->isChecked());
    expectSeriesHolds(ProfileSeries::Series3, DifferenceColouring::ByThreshold, 3);
    EXPECT_EQ(differenceColour(4), kGrayQ); // +3
    EXPECT_EQ(differenceColour(5), kGrayQ); // -3
    EXPECT_EQ(differenceColour(6), kLimeQ); // +4
    EXPECT_EQ(differenceColour(7), kRedQ);  // -4

    // The next click ticks the item and shows the same bars; the one after removes them.
    const auto before = chart.points(ProfileSeries::Series3);
    miDelta->trigger();
    EXPECT_TRUE(miDelta->isChecked());
    ASSERT_EQ(chart.points(ProfileSeries::Series3).size(), before.size());
    for (int i = 0; i < before.size(); ++i)
        EXPECT_EQ(chart.pointColour(ProfileSeries::Series3, i), before[i].colour.value());
    miDelta->trigger();
    EXPECT_TRUE(chart.points(ProfileSeries::Series3).isEmpty());

    // Up steps -3 to -2: 3 and -3 are no longer within.
    miDelta->trigger();
    QTest::keyClick(field, Qt::Key_Up);
    EXPECT_EQ(field->text(), "-2");
    EXPECT_EQ(differenceColour(4), kLimeQ);
    EXPECT_EQ(differenceColour(5), kRedQ);

    // A lone sign counts as 0; a reload goes back to sign colours.
    field->setText(QStringLiteral("-"));
    EXPECT_EQ(differenceColour(3), kGrayQ);
    EXPECT_EQ(differenceColour(1), kLimeQ);
    profile.showProfile();
    EXPECT_EQ(differenceColour(3), kLimeQ);
}

TEST_F(ProfileChartTest, LeftClicksToggleMarksAndLegendOtherButtonsDoNothing)
{
    profile.showProfile();
    for (const Qt::MouseButton other : {Qt::RightButton, Qt::MiddleButton}) {
        profile.seriesClicked(ProfileSeries::Series1, other);
        profile.backgroundClicked(other);
    }
    EXPECT_EQ(profile.marksFlag(ProfileSeries::Series1), 0);
    EXPECT_EQ(profile.legendFlag(), 0);
    EXPECT_FALSE(chart.marksVisible(ProfileSeries::Series1));
    EXPECT_FALSE(chart.legendPanel()->isHidden());

    for (const int expected : {1, 0, 1}) {
        SCOPED_TRACE(expected);
        profile.seriesClicked(ProfileSeries::Series3, Qt::LeftButton);
        EXPECT_EQ(profile.marksFlag(ProfileSeries::Series3), expected);
        EXPECT_EQ(chart.marksVisible(ProfileSeries::Series3), expected == 1);
        profile.backgroundClicked(Qt::LeftButton);
        EXPECT_EQ(profile.legendFlag(), expected);
        EXPECT_EQ(chart.legendPanel()->isHidden(), expected == 1);
    }
    EXPECT_FALSE(chart.marksVisible(ProfileSeries::Series1));
    EXPECT_FALSE(chart.marksVisible(ProfileSeries::Series2));

    // Loading leaves shown marks shown, with the new labels.
    loaded.profile.real[1] = 21;
    panel.showResult(loaded);
    EXPECT_TRUE(chart.marksVisible(ProfileSeries::Series3));
    EXPECT_EQ(chart.points(ProfileSeries::Series3)[1].label, "-39");
}

TEST_F(ProfileChartTest, EveryShownMarkIsPaintedInItsBox)
{
    for (const ProfileSeries series : {ProfileSeries::Series1, ProfileSeries::Series2, ProfileSeries::Series3})
        profile.seriesClicked(series, Qt::LeftButton);
    const QImage picture = chart.picture();
    const QRgb yellow = qRgb(255, 255, 128);
    for (const ProfileSeries series : {ProfileSeries::Series1, ProfileSeries::Series2, ProfileSeries::Series3})
        for (int i = 0; i < 12; ++i) {
            SCOPED_TRACE(testing::Message() << int(series) << " mark " << i);
            const auto box = chart.markRect(series, i);
            ASSERT_TRUE(box);
            // Marks may overlap one another, but each box shows yellow somewhere.
            const QRect inside = box->toAlignedRect().adjusted(1, 1, -1, -1);
            bool yellowSeen = false;
            for (int y = inside.top(); y <= inside.bottom() && !yellowSeen; ++y)
                for (int x = inside.left(); x <= inside.right() && !yellowSeen; ++x)
                    yellowSeen = picture.pixel(x, y) == yellow;
            EXPECT_TRUE(yellowSeen);
        }
}

TEST_F(ProfileChartTest, RealMouseClicksOnBarsAndBackground)
{
    profile.showProfile();
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));

    const auto bar = test::visibleBarPixel(chart, ProfileSeries::Series2, 7); // 40/70: Real stands out
    ASSERT_TRUE(bar);
    QTest::mouseClick(&chart, Qt::LeftButton, {}, *bar);
    EXPECT_TRUE(chart.marksVisible(ProfileSeries::Series2));
    EXPECT_FALSE(chart.marksVisible(ProfileSeries::Series1));
    EXPECT_FALSE(chart.legendPanel()->isHidden());

    // Right click: the popup menu, and the marks stay as they were.
    const auto back = test::visibleBarPixel(chart, ProfileSeries::Series1, 8); // 70/40: Ideal stands out
    ASSERT_TRUE(back);
    QTest::mouseClick(&chart, Qt::RightButton, {}, *back);
    EXPECT_TRUE(pmChart.isVisible());
    pmChart.hide();
    EXPECT_FALSE(chart.marksVisible(ProfileSeries::Series1));
    EXPECT_TRUE(chart.marksVisible(ProfileSeries::Series2));

    const QPoint empty(500, int(chart.plotRect().top()) - 30);
    ASSERT_FALSE(chart.barAt(empty));
    QTest::mouseClick(&chart, Qt::LeftButton, {}, empty);
    EXPECT_TRUE(chart.legendPanel()->isHidden());
    QTest::mouseClick(&chart, Qt::RightButton, {}, empty);
    pmChart.hide();
    EXPECT_TRUE(chart.legendPanel()->isHidden());
    QTest::mouseClick(&chart, Qt::LeftButton, {}, empty);
    EXPECT_FALSE(chart.legendPanel()->isHidden());

    // A series switched off takes no clicks.
    miPart2->trigger();
    const auto hit = chart.barAt(*bar);
    EXPECT_TRUE(!hit || hit->series != ProfileSeries::Series2);
    QTest::mouseClick(&chart, Qt::LeftButton, {}, *bar);
    EXPECT_TRUE(chart.marksVisible(ProfileSeries::Series2));
}
