// The chart's kept backgrounds: a chart that copies them paints the same
// pixels as one that paints every background anew, whatever changed since the
// background was kept, and the edges of a shade panel come out as Qt's.
#include "display/bar_chart.h"
#include "display/bar_faces.h"
#include "display/look.h"
#include "display/result_panel.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <qdrawutil.h>

#include <gtest/gtest.h>

#include <functional>

using namespace tavo;

namespace {

int differingPixels(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return -1;
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    int differing = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int column = 0; column < x.width(); ++column)
            differing += x.pixel(column, row) != y.pixel(column, row);
    return differing;
}

// What a chart shows: its size, title lines and points.
struct ChartState {
    QSize size{1020, 424};
    int titleLines = 1;
    double scaleBy = 1;   // every height times this
    double lowest = 2;    // the first front bar's height
    int factors = 12;     // bars per series
    bool marks = false;   // marks shown on the middle row
    qreal pixelRatio = 1; // of the image painted into
    QPoint offset{0, 0};  // where the chart lands in that image

    void apply(BarChart &chart) const
    {
        chart.resize(size);
        QStringList title;
        for (int i = 0; i < titleLines; ++i)
            title << QStringLiteral("Line %1").arg(i + 1);
        chart.setTitle(title);
        for (const ProfileSeries series : {ProfileSeries::Series1, ProfileSeries::Series2, ProfileSeries::Series3})
            chart.clearSeries(series);
        for (int x = 1; x <= factors; ++x) {
            chart.addPoint(ProfileSeries::Series1, x, (50 + 4 * x) * scaleBy, QString::number(x));
            chart.addPoint(ProfileSeries::Series2, x, (30 + 3 * x) * scaleBy, QString::number(x));
            chart.addPoint(ProfileSeries::Series3, x, (x == 1 ? lowest : 2 * x) * scaleBy, QString::number(-x));
        }
        chart.setMarksVisible(ProfileSeries::Series2, marks);
    }

    // The chart painted into an image of the state's pixel ratio, at its offset.
    QImage painted(BarChart &chart) const
    {
        QImage image((QSizeF(size + QSize(8, 8)) * pixelRatio).toSize(), QImage::Format_RGB32);
        image.setDevicePixelRatio(pixelRatio);
        image.fill(Qt::gray);
        chart.render(&image, offset, QRegion(), {});
        return image;
    }
};

} // namespace

// Each case changes one thing the background is painted from, after the
// unchanged state has been kept: a background kept for another state must
// never be taken for this one.
TEST(ChartBackground, AKeptBackgroundIsTheOnePaintingAnewGives)
{
    const ChartState base;
    const struct {
        const char *name;
        std::function<void(ChartState &)> change;
        bool copies; // drawn from a kept background at all
    } cases[] = {
        {"nothing", [](ChartState &) {}, true},
        {"narrower", [](ChartState &s) { s.size.setWidth(900); }, true},
        {"taller", [](ChartState &s) { s.size.setHeight(480); }, true},
        {"another scale", [](ChartState &s) { s.scaleBy = 2; }, true},
        {"a negative minimum", [](ChartState &s) { s.lowest = -30; }, true},
        {"deeper, under two title lines", [](ChartState &s) { s.titleLines = 3; }, true},
        {"wider labels", [](ChartState &s) { s.scaleBy = 10; }, true},
        {"fewer factor ticks", [](ChartState &s) { s.factors = 6; }, true},
        {"room for marks", [](ChartState &s) { s.marks = true; }, true},
        {"moved by whole pixels",
         [](ChartState &s) {
             s.offset = {3, 5};
         },
         true},
        {"twice the pixels", [](ChartState &s) { s.pixelRatio = 2; }, false},
        {"one and a half the pixels", [](ChartState &s) { s.pixelRatio = 1.5; }, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        BarChart kept, anew;
        anew.setBackgroundCacheCapacity(0);
        base.apply(kept);
        base.painted(kept); // a chart's first paint keeps nothing
        base.painted(kept);
        ASSERT_EQ(kept.backgroundCacheHits(), 0);

        ChartState changed = base;
        c.change(changed);
        changed.apply(kept);
        changed.apply(anew);
        const QImage fromKept = changed.painted(kept);
        EXPECT_EQ(differingPixels(fromKept, changed.painted(anew)), 0);
        // Painted again, the state's own background is copied, and still
        // comes out the same.
        const int hits = kept.backgroundCacheHits();
        EXPECT_EQ(differingPixels(changed.painted(kept), fromKept), 0);
        EXPECT_EQ(kept.backgroundCacheHits(), hits + (c.copies ? 1 : 0));
        EXPECT_EQ(anew.backgroundCacheHits(), 0);
    }
}

// The least recently used background goes first: a batch that comes back to
// a scale finds it as long as fewer than the capacity came in between.
TEST(ChartBackground, TheLeastRecentlyUsedBackgroundGoesFirst)
{
    BarChart chart;
    chart.setBackgroundCacheCapacity(2);
    ChartState a, b, c;
    b.scaleBy = 2;
    c.scaleBy = 4;
    const auto paint = [&chart](const ChartState &s) {
        const int before = chart.backgroundCacheHits();
        s.apply(chart);
        s.painted(chart);
        return chart.backgroundCacheHits() > before;
    };
    EXPECT_FALSE(paint(a)); // the first paint keeps nothing
    EXPECT_FALSE(paint(a));
    EXPECT_FALSE(paint(b));
    EXPECT_TRUE(paint(a));  // a is now the most recent, b the least
    EXPECT_FALSE(paint(c)); // b goes
    EXPECT_TRUE(paint(a));
    EXPECT_FALSE(paint(b));
    EXPECT_FALSE(paint(c)); // a went for b, and c for a
}

// On screen, in the result panel with the window's look: the chart as the
// screen shows it, and as grabbed, is the same with and without the kept
// backgrounds.
TEST(ChartBackground, TheWindowShowsTheSameWithAndWithoutKeptBackgrounds)
{
    ResultPanel panel;
    applyFormLook(panel);
    BarChart &chart = *panel.Chart;
    ChartState state;
    state.apply(chart);
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));

    // The chart reaches past the panel's right edge; the screen shows the rest.
    const QRect visible(0, 0, panel.width() - chart.x(), chart.height());
    const auto shown = [&chart, &visible] {
        chart.repaint();
        QScreen *screen = QGuiApplication::primaryScreen();
        const QPoint at = chart.mapToGlobal(QPoint(0, 0));
        return screen->grabWindow(0, at.x(), at.y(), visible.width(), visible.height()).toImage();
    };
    chart.repaint(); // keeps the background, which the first paint does not
    const int before = chart.backgroundCacheHits();
    // The screen's paints copy the background its first one kept.
    const QImage kept = shown();
    EXPECT_EQ(chart.backgroundCacheHits(), before + 1);
    const QImage keptGrab = chart.grab().toImage();
    const int afterGrab = chart.backgroundCacheHits();
    const QImage keptAgain = shown();
    EXPECT_EQ(chart.backgroundCacheHits(), afterGrab + 1);

    chart.setBackgroundCacheCapacity(0);
    const int hits = chart.backgroundCacheHits();
    const QImage anew = shown();
    const QImage anewGrab = chart.grab().toImage();
    EXPECT_EQ(chart.backgroundCacheHits(), hits);
    ASSERT_EQ(kept.size(), visible.size());
    EXPECT_EQ(differingPixels(kept, anew), 0);
    EXPECT_EQ(differingPixels(keptAgain, anew), 0);
    EXPECT_EQ(differingPixels(keptGrab, anewGrab), 0);
    // The screen shows what the grab shows, but for the last row, which the
    // results grid below covers.
    const QRect uncovered = visible.adjusted(0, 0, 0, -1);
    EXPECT_EQ(differingPixels(kept.copy(uncovered), keptGrab.copy(uncovered)), 0);
}

// paintShadePanel must come out as qDrawShadePanel draws: raised and sunken,
// of one pixel and of the whole picture, moved, clipped, scaled, smoothed
// and half opaque.
TEST(ChartBackground, AShadePanelIsTheOneQtDraws)
{
    const QPalette colours = chartBevelColours();
    const struct {
        const char *name;
        QRect rect;
        bool sunken;
        QPoint shift;
        double scale;
        bool smooth;
        QRegion clip;
        double opacity = 1;
    } cases[] = {
        {"raised", {10, 20, 120, 80}, false, {}, 1, false, {}},
        {"sunken", {10, 20, 120, 80}, true, {}, 1, false, {}},
        {"whole picture", {0, 0, 200, 150}, false, {}, 1, false, {}},
        {"two by two", {30, 30, 2, 2}, false, {}, 1, false, {}},
        {"one pixel wide", {30, 30, 1, 40}, true, {}, 1, false, {}},
        {"empty", {30, 30, 0, 0}, false, {}, 1, false, {}},
        {"past the edge", {150, 100, 80, 80}, false, {}, 1, false, {}},
        {"moved", {10, 20, 120, 80}, false, {4, -3}, 1, false, {}},
        {"clipped", {10, 20, 120, 80}, true, {}, 1, false, QRegion(0, 0, 200, 150).subtracted(QRegion(0, 0, 40, 40))},
        {"scaled", {10, 20, 60, 40}, false, {}, 1.5, false, {}},
        {"smoothed", {10, 20, 120, 80}, false, {}, 1, true, {}},
        {"half opaque", {10, 20, 120, 80}, false, {}, 1, false, {}, 0.5},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QImage qt(200, 150, QImage::Format_RGB32), ours(200, 150, QImage::Format_RGB32);
        for (QImage *image : {&qt, &ours}) {
            image->fill(QColor(30, 160, 90));
            QPainter painter(image);
            if (!c.clip.isEmpty())
                painter.setClipRegion(c.clip);
            painter.setRenderHint(QPainter::Antialiasing, c.smooth);
            painter.setOpacity(c.opacity);
            painter.translate(c.shift);
            painter.scale(c.scale, c.scale);
            if (image == &qt)
                qDrawShadePanel(&painter, c.rect, colours, c.sunken, 1);
            else
                paintShadePanel(painter, c.rect, colours, c.sunken);
        }
        EXPECT_EQ(differingPixels(qt, ours), 0);
    }
}
