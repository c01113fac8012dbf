#include "display/bar_chart.h"
#include "display/bar_faces.h"
#include "bar_pixels.h"
#include "display/legend_panel.h"
#include "display/look.h"
#include "display/threshold_field.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <limits>
#include <vector>

using namespace tavo;

namespace {

constexpr ProfileSeries kAll[] = {ProfileSeries::Series1, ProfileSeries::Series2, ProfileSeries::Series3};

QColor pixelAt(const QImage &image, QPoint p) { return QColor(image.pixel(p)); }

// Heights fall from the back row to the front one, so every front face shows.
void fillStaircase(BarChart &chart)
{
    for (int x = 1; x <= 12; ++x) {
        chart.addPoint(ProfileSeries::Series1, x, 50 + 4 * x, QString::number(x));
        chart.addPoint(ProfileSeries::Series2, x, 30 + 3 * x, QString::number(x));
        chart.addPoint(ProfileSeries::Series3, x, 2 * x, QString::number(-x),
                       x % 2 ? QColor(0, 255, 0) : QColor(255, 0, 0));
    }
}

} // namespace

TEST(BarChart, OddPointsNeitherHangNorBreakTheScale)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char *name;
        double x, y;
    } cases[] = {{"no height", 1, nan},
                 {"infinite", 2, inf},
                 {"far away", 1e300, 5},
                 {"huge", 3, 1e300},
                 {"both far", 1e300, -1e300}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        BarChart chart;
        chart.setMarksVisible(ProfileSeries::Series1, true);
        chart.addPoint(ProfileSeries::Series1, c.x, c.y, "?");
        chart.addPoint(ProfileSeries::Series2, 1, 40, "40");
        const AxisScale axis = chart.valueAxis();
        EXPECT_TRUE(std::isfinite(axis.minimum) && std::isfinite(axis.maximum) && axis.step > 0);
        // The plot keeps its place inside the chart, and painting it ends.
        const QRectF plot = chart.plotRect();
        EXPECT_TRUE(QRectF(chart.rect()).contains(plot));
        EXPECT_GT(plot.height(), 100);
        EXPECT_EQ(chart.picture().size(), chart.size());
    }
}

TEST(BarChart, BarsStandInThreeRowsInTheirColoursAndHeights)
{
    BarChart chart;
    fillStaircase(chart);
    const QImage image = chart.grab().toImage();
    const AxisScale axis = chart.valueAxis();
    const QRectF plot = chart.plotRect();
    const double pixelsPerUnit = plot.height() / (axis.maximum - axis.minimum);

    for (const ProfileSeries series : kAll) {
        for (int i = 0; i < 12; ++i) {
            SCOPED_TRACE(testing::Message() << "series " << int(series) << " bar " << i);
            const auto faces = chart.barFaces(series, i);
            ASSERT_TRUE(faces);
            const QRectF front = faces->front.boundingRect();
            EXPECT_NEAR(front.height(), chart.points(series)[i].y * pixelsPerUnit, 1.0);

            const auto inside = test::visibleBarPixel(chart, series, i);
            ASSERT_TRUE(inside);
            EXPECT_EQ(pixelAt(image, *inside), chart.pointColour(series, i));
            // Painted up to the top the geometry reports: the front colour just
            // below the top edge, the lighter top face just above it.
            const QPoint belowTop(inside->x(), int(front.top()) + 2);
            const QPoint aboveTop(inside->x(), int(front.top()) - 2);
            EXPECT_EQ(pixelAt(image, belowTop), chart.pointColour(series, i));
            EXPECT_NE(pixelAt(image, aboveTop), chart.pointColour(series, i));
        }
    }
    EXPECT_EQ(chart.pointColour(ProfileSeries::Series1, 0), QColor(255, 0, 255));
    EXPECT_EQ(chart.pointColour(ProfileSeries::Series3, 1), QColor(255, 0, 0));

    // Series3 in front, Series1 at the back: each row further back stands
    // further right and higher.
    const QRectF s1 = chart.barFaces(ProfileSeries::Series1, 5)->front.boundingRect();
    const QRectF s2 = chart.barFaces(ProfileSeries::Series2, 5)->front.boundingRect();
    const QRectF s3 = chart.barFaces(ProfileSeries::Series3, 5)->front.boundingRect();
    EXPECT_GT(s1.left(), s2.left());
    EXPECT_GT(s2.left(), s3.left());
    EXPECT_LT(s1.bottom(), s2.bottom());
    EXPECT_LT(s2.bottom(), s3.bottom());
    // Where the front bar overlaps the one behind it, the front bar takes the click.
    EXPECT_EQ(chart.barAt(s3.center()), (BarChart::BarHit{ProfileSeries::Series3, 5}));
}

TEST(BarChart, EverythingFitsThePlotWhateverTheData)
{
    const struct {
        const char *name;
        std::vector<double> values;
    } cases[] = {
        {"empty", {}},
        {"all zero", {0, 0, 0}},
        {"above the scale", {100, 121, 3}},
        {"negative", {-25, 40, 10}},
        {"large", {12109, 5, 0}},
    };
    for (const auto &c : cases) {
        for (const bool marks : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.name << (marks ? " with marks" : ""));
            BarChart chart;
            for (const ProfileSeries series : kAll)
                chart.setMarksVisible(series, marks);
            for (std::size_t i = 0; i < c.values.size(); ++i)
                chart.addPoint(kAll[i % 3], double(i / 3 + 1), c.values[i], QString::number(c.values[i]));
            const AxisScale axis = chart.valueAxis();
            EXPECT_LE(axis.minimum, 0);
            EXPECT_GE(axis.maximum, 0);
            const QRectF plot = chart.plotRect();
            for (std::size_t i = 0; i < c.values.size(); ++i) {
                // Moved back out of its depth row onto the front plane, the bar
                // lies inside the plot (to the pixel) and stands on the zero line.
                const QRectF front = chart.barFaces(kAll[i % 3], int(i / 3))->front.boundingRect();
                const double zeroY = plot.bottom() + axis.minimum / (axis.maximum - axis.minimum) * plot.height();
                const double lift = zeroY - (c.values[i] >= 0 ? front.bottom() : front.top());
                EXPECT_GE(lift, -1);
                const QRectF onFront = front.translated(-lift, lift);
                EXPECT_GE(onFront.top(), plot.top() - 1);
                EXPECT_LE(onFront.bottom(), plot.bottom() + 1);
                EXPECT_GE(onFront.left(), plot.left());
                EXPECT_LE(onFront.right(), plot.right());
                if (marks) {
                    const auto mark = chart.markRect(kAll[i % 3], int(i / 3));
                    ASSERT_TRUE(mark);
                    EXPECT_TRUE(chart.rect().contains(mark->toRect()));
                    EXPECT_FALSE(mark->intersects(QRectF(0, 0, chart.width(), plot.top() - 60)));
                }
            }
            chart.grab(); // paints without trouble
        }
    }
}

TEST(BarChart, NegativeBarsHangBelowZero)
{
    BarChart chart;
    chart.addPoint(ProfileSeries::Series3, 1, -20, "-20", QColor(128, 128, 128));
    chart.addPoint(ProfileSeries::Series3, 2, 30, "30");
    const auto down = chart.barFaces(ProfileSeries::Series3, 0)->front.boundingRect();
    const auto up = chart.barFaces(ProfileSeries::Series3, 1)->front.boundingRect();
    EXPECT_NEAR(down.top(), up.bottom(), 0.01); // both meet the zero line
    EXPECT_GT(down.bottom(), down.top() + 1);
    const QImage image = chart.grab().toImage();
    const auto inside = test::visibleBarPixel(chart, ProfileSeries::Series3, 0);
    ASSERT_TRUE(inside);
    EXPECT_EQ(pixelAt(image, *inside), QColor(128, 128, 128));
    EXPECT_GT(inside->y(), up.bottom());
}

TEST(BarChart, MarksShowLabelsInLightYellowBoxesAboveTheBars)
{
    BarChart chart;
    fillStaircase(chart);
    EXPECT_FALSE(chart.markRect(ProfileSeries::Series2, 0));
    chart.setMarksVisible(ProfileSeries::Series2, true);
    const QImage image = chart.grab().toImage();
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(i);
        const auto mark = chart.markRect(ProfileSeries::Series2, i);
        ASSERT_TRUE(mark);
        const QRectF front = chart.barFaces(ProfileSeries::Series2, i)->front.boundingRect();
        EXPECT_LT(mark->bottom(), front.top());
        EXPECT_EQ(pixelAt(image, QPoint(int(mark->left()) + 2, int(mark->center().y()))), QColor(255, 255, 128));
        // The label's text is drawn inside the box.
        bool ink = false;
        for (int x = int(mark->left()) + 2; x < int(mark->right()) - 2; ++x)
            ink = ink || pixelAt(image, QPoint(x, int(mark->center().y()))).lightness() < 128;
        EXPECT_TRUE(ink);
    }
    EXPECT_FALSE(chart.markRect(ProfileSeries::Series1, 0));
    EXPECT_FALSE(chart.markRect(ProfileSeries::Series3, 0));
}

TEST(BarChart, PressesGoToTheBarUnderTheMouseOrElseToTheBackground)
{
    BarChart chart;
    fillStaircase(chart);
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    QSignalSpy bars(&chart, &BarChart::seriesClicked);
    QSignalSpy background(&chart, &BarChart::backgroundClicked);

    const struct {
        ProfileSeries series;
        int index;
        test::BarFace face;
    } cases[] = {
        {ProfileSeries::Series2, 4, test::BarFace::Front}, {ProfileSeries::Series1, 11, test::BarFace::Top},
        {ProfileSeries::Series1, 0, test::BarFace::Side},  {ProfileSeries::Series3, 7, test::BarFace::Front},
        {ProfileSeries::Series3, 7, test::BarFace::Top},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.series) << " bar " << c.index << " face " << int(c.face));
        const auto at = test::visibleBarPixel(chart, c.series, c.index, c.face);
        ASSERT_TRUE(at);
        bars.clear();
        QTest::mouseClick(&chart, Qt::LeftButton, Qt::ShiftModifier, *at);
        ASSERT_EQ(bars.count(), 1);
        EXPECT_EQ(bars[0][0].value<ProfileSeries>(), c.series);
        EXPECT_EQ(bars[0][1].toInt(), c.index);
        EXPECT_EQ(bars[0][2].value<Qt::MouseButton>(), Qt::LeftButton);
        EXPECT_EQ(bars[0][3].value<Qt::KeyboardModifiers>(), Qt::ShiftModifier);
        EXPECT_EQ(bars[0][4].toPoint(), *at);
    }
    EXPECT_EQ(background.count(), 0);

    // Above the plot, away from every bar and child.
    const QPoint empty(600, int(chart.plotRect().top()) + 2);
    ASSERT_FALSE(chart.barAt(empty));
    QTest::mouseClick(&chart, Qt::MiddleButton, Qt::ControlModifier, empty);
    ASSERT_EQ(background.count(), 1);
    EXPECT_EQ(background[0][0].value<Qt::MouseButton>(), Qt::MiddleButton);
    EXPECT_EQ(background[0][1].value<Qt::KeyboardModifiers>(), Qt::ControlModifier);
    EXPECT_EQ(background[0][2].toPoint(), empty);
    EXPECT_EQ(bars.count(), 1);

    // A right press opens the popup menu, and so does the menu key; the
    // context-menu event that follows a right press opens nothing more.
    QMenu menu;
    menu.addAction(QStringLiteral("item"));
    chart.setPopupMenu(&menu);
    QTest::mouseClick(&chart, Qt::RightButton, {}, empty);
    EXPECT_TRUE(menu.isVisible());
    menu.hide();
    QContextMenuEvent fromMouse(QContextMenuEvent::Mouse, empty, chart.mapToGlobal(empty));
    QApplication::sendEvent(&chart, &fromMouse);
    EXPECT_FALSE(menu.isVisible());
    QContextMenuEvent fromKey(QContextMenuEvent::Keyboard, empty, chart.mapToGlobal(empty));
    QApplication::sendEvent(&chart, &fromKey);
    EXPECT_TRUE(menu.isVisible());
    menu.hide();

    // The legend panel and the caption are not the chart's background.
    QTest::mouseClick(chart.findChild<QWidget *>("Label4"), Qt::LeftButton);
    QTest::mouseClick(chart.legendPanel(), Qt::LeftButton, {}, QPoint(70, 50));
    QTest::mouseClick(chart.findChild<QWidget *>("Label2"), Qt::LeftButton);
    EXPECT_EQ(background.count(), 2);
}

// The picture paints the chart and then its children one by one; it must be
// the very image that rendering the chart with its children in one go gives,
// whatever the legend, the marks, the title and the threshold field show.
TEST(BarChart, PictureIsTheChartRenderedInOneGo)
{
    const struct {
        const char *name;
        bool shown;
        bool legendHidden;
        bool marks;
        const char *threshold;
    } cases[] = {
        {"never shown", false, false, false, nullptr}, {"shown", true, false, false, nullptr},
        {"legend hidden", true, true, false, nullptr}, {"marks and a threshold", true, false, true, "-12"},
        {"everything", true, true, true, "7"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        BarChart chart;
        fillStaircase(chart);
        chart.setTitle({QStringLiteral("Иванова Анна Петровна, 12.03.2024 10:15 - 12.03.2024 10:47 (очень длинная "
                                       "строка заголовка, которая не помещается рядом с легендой)")});
        if (c.shown) {
            chart.setAttribute(Qt::WA_DontShowOnScreen);
            chart.show();
        }
        chart.legendPanel()->setVisible(!c.legendHidden);
        for (const ProfileSeries series : kAll)
            chart.setMarksVisible(series, c.marks);
        if (c.threshold)
            chart.thresholdField()->setText(QString::fromLatin1(c.threshold));

        QImage inOneGo(chart.size(), QImage::Format_RGB32);
        inOneGo.fill(chart.palette().color(QPalette::Window));
        chart.render(&inOneGo);
        const QImage picture = chart.picture();
        ASSERT_EQ(picture.size(), inOneGo.size());
        ASSERT_EQ(picture.format(), inOneGo.format());
        int differing = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                differing += picture.pixel(x, y) != inOneGo.pixel(x, y);
        EXPECT_EQ(differing, 0);
    }
}

// A face that paintBarFace fills must come out as drawPolygon draws it, and
// every other face must go to drawPolygon: rectangles on whole pixels in
// either order of corners, of one pixel and of the whole picture, moved,
// clipped, at the picture's edges, scaled, with half-pixel corners; and the
// slanting faces of a bar's top and side, likewise.
TEST(BarChart, FacesArePaintedAsDrawPolygonPaintsThem)
{
    const QSize size(300, 200);
    const auto rectangle = [](double x0, double y0, double x1, double y1) {
        return QPolygonF({QPointF(x0, y0), QPointF(x1, y0), QPointF(x1, y1), QPointF(x0, y1)});
    };
    // The side of a bar whose front edge is x from top to bottom, depth back.
    const auto side = [](double x, double top, double bottom, double depth) {
        return QPolygonF(
            {QPointF(x, top), QPointF(x + depth, top - depth), QPointF(x + depth, bottom - depth), QPointF(x, bottom)});
    };
    // The top of a bar from left to right at level y, depth back.
    const auto top = [](double left, double right, double y, double depth) {
        return QPolygonF(
            {QPointF(left, y), QPointF(right, y), QPointF(right + depth, y - depth), QPointF(left + depth, y - depth)});
    };
    const struct {
        const char *name;
        QPolygonF face;
        QPoint shift;
        double scale;
        QRegion clip;
    } cases[] = {
        {"rectangle", rectangle(10, 20, 40, 150), {}, 1, {}},
        {"one pixel wide", rectangle(10, 20, 11, 150), {}, 1, {}},
        {"one pixel high", rectangle(10, 20, 40, 21), {}, 1, {}},
        {"no height", rectangle(10, 20, 40, 20), {}, 1, {}},
        {"a point", rectangle(10, 20, 10, 20), {}, 1, {}},
        {"corners the other way", rectangle(40, 150, 10, 20), {}, 1, {}},
        {"upside down", rectangle(10, 150, 40, 20), {}, 1, {}},
        {"whole picture", rectangle(0, 0, 299, 199), {}, 1, {}},
        {"past the right edge", rectangle(250, 20, 300, 60), {}, 1, {}},
        {"moved", rectangle(10, 20, 40, 150), {7, -5}, 1, {}},
        {"moved off the picture", rectangle(10, 20, 40, 150), {-20, 3}, 1, {}},
        {"scaled", rectangle(10, 20, 40, 90), {}, 1.5, {}},
        {"half pixels", rectangle(10.5, 20, 40.5, 150), {}, 1, {}},
        {"clipped by a region",
         rectangle(10, 20, 140, 150),
         {},
         1,
         QRegion(0, 0, 300, 200).subtracted(QRegion(0, 0, 80, 54)).subtracted(QRegion(100, 100, 62, 16))},
        {"top face", top(10, 40, 20, 8), {}, 1, {}},
        {"top face one pixel wide", top(10, 11, 20, 8), {}, 1, {}},
        {"top face one pixel deep", top(10, 40, 20, 1), {}, 1, {}},
        {"top face moved", top(10, 40, 20, 8), {-4, 9}, 1, {}},
        {"top face clipped", top(10, 40, 20, 12), {}, 1, QRegion(0, 0, 300, 200).subtracted(QRegion(25, 14, 9, 3))},
        {"top face off the top", top(10, 40, 4, 9), {}, 1, {}},
        {"top face scaled", top(10, 40, 20, 8), {}, 1.5, {}},
        {"top face at half pixels", top(10.5, 40.5, 20, 8), {}, 1, {}},
        {"top face leaning back left",
         QPolygonF({QPointF(18, 20), QPointF(48, 20), QPointF(40, 12), QPointF(10, 12)}),
         {},
         1,
         {}},
        {"side face", side(40, 30, 150, 9), {}, 1, {}},
        {"side face of no height", side(40, 30, 30, 9), {}, 1, {}},
        {"side face one pixel deep", side(40, 30, 150, 1), {}, 1, {}},
        {"side face moved", side(40, 30, 150, 9), {3, 4}, 1, {}},
        {"side face clipped",
         side(40, 30, 150, 12),
         {},
         1,
         QRegion(0, 0, 300, 200).subtracted(QRegion(30, 60, 62, 16))},
        {"side face off the top", side(40, 5, 150, 9), {}, 1, {}},
        {"side face scaled", side(40, 30, 100, 9), {}, 1.5, {}},
        {"side face at half pixels", side(40.5, 30, 150, 9), {}, 1, {}},
        {"side face upside down", side(40, 150, 30, 9), {}, 1, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QImage drawn(size, QImage::Format_RGB32), filled(size, QImage::Format_RGB32);
        drawn.fill(Qt::white);
        filled.fill(Qt::white);
        const auto paint = [&c](QImage &image, bool polygon) {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::TextAntialiasing);
            if (!c.clip.isEmpty())
                painter.setClipRegion(c.clip);
            painter.translate(c.shift);
            painter.scale(c.scale, c.scale);
            painter.setPen(QPen(QColor(10, 20, 30), 1));
            painter.setBrush(QColor(200, 100, 50));
            if (polygon)
                painter.drawPolygon(c.face);
            else
                paintBarFace(painter, c.face);
        };
        paint(drawn, true);
        paint(filled, false);
        int differing = 0;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                differing += drawn.pixel(x, y) != filled.pixel(x, y);
        EXPECT_EQ(differing, 0);
    }
}

// Faces of every size and depth set into the image's pixels must be the
// pixels drawPolygon sets, in both image formats a window or a picture
// paints into; and where the painter would not set the colours as they are
// (half opaque, clipped across the face), what it paints instead must be too.
TEST(BarChart, FacesOfEverySizeAreTheOnesDrawPolygonPaints)
{
    const QSize size(64, 64);
    const struct {
        const char *name;
        QImage::Format format;
        double opacity;
        QRect clip;
    } settings[] = {
        {"rgb32", QImage::Format_RGB32, 1, {}},
        {"premultiplied", QImage::Format_ARGB32_Premultiplied, 1, {}},
        {"clip around the face", QImage::Format_RGB32, 1, QRect(0, 0, 64, 64)},
        {"clip across the face", QImage::Format_RGB32, 1, QRect(0, 0, 64, 30)},
        {"half opaque", QImage::Format_RGB32, 0.5, {}},
    };
    std::vector<QPolygonF> faces;
    for (int width = 1; width <= 6; ++width)
        for (int depth = 1; depth <= 6; ++depth) {
            const double x = 8 + width, y = 40 - depth;
            faces.push_back({{x, y}, {x + width, y}, {x + width + depth, y - depth}, {x + depth, y - depth}});
            for (const int height : {0, 1, 2, 7}) {
                faces.push_back({{x, y}, {x + depth, y - depth}, {x + depth, y + height - depth}, {x, y + height}});
                faces.push_back({{x, y}, {x + width, y}, {x + width, y + height + 1}, {x, y + height + 1}});
            }
        }
    for (const auto &setting : settings) {
        SCOPED_TRACE(setting.name);
        int mismatched = 0;
        for (const QPolygonF &face : faces) {
            QImage drawn(size, setting.format), filled(size, setting.format);
            drawn.fill(Qt::white);
            filled.fill(Qt::white);
            for (QImage *image : {&drawn, &filled}) {
                QPainter painter(image);
                painter.translate(3, 2);
                painter.setOpacity(setting.opacity);
                if (!setting.clip.isNull())
                    painter.setClipRect(setting.clip);
                painter.setPen(QPen(QColor(10, 20, 30), 1));
                painter.setBrush(QColor(200, 100, 50));
                if (image == &drawn)
                    painter.drawPolygon(face);
                else
                    paintBarFace(painter, face);
            }
            mismatched += drawn != filled;
        }
        EXPECT_EQ(mismatched, 0) << "of " << faces.size() << " faces";
    }
}

// The chart's back wall was drawn with drawRect: its corners given to
// paintBarFace must come out the same.
TEST(BarChart, AWallAsAFaceIsTheRectangleDrawRectDraws)
{
    for (const QRectF wall : {QRectF(41, 12, 200, 150), QRectF(0, 0, 299, 199), QRectF(10, 10, 1, 1)}) {
        SCOPED_TRACE(::testing::Message()
                     << wall.x() << "," << wall.y() << " " << wall.width() << "x" << wall.height());
        QImage drawn(300, 200, QImage::Format_RGB32), filled(300, 200, QImage::Format_RGB32);
        drawn.fill(Qt::white);
        filled.fill(Qt::white);
        for (QImage *image : {&drawn, &filled}) {
            QPainter painter(image);
            painter.setPen(QPen(QColor(128, 128, 128), 1));
            painter.setBrush(QColor(200, 220, 240));
            if (image == &drawn)
                painter.drawRect(wall);
            else
                paintBarFace(painter,
                             QPolygonF({wall.topLeft(), wall.topRight(), wall.bottomRight(), wall.bottomLeft()}));
        }
        EXPECT_TRUE(drawn == filled);
    }
}

// The bars as the chart paints them, leaving out the edges that later faces
// cover, are the bars drawPolygon paints face by face in the chart's order:
// painted over the chart's own picture that way, they change no pixel (a
// face painting more than drawPolygon is the test above). Bars of every
// height and width, zero and below it, in charts small and large, moved by
// whole pixels.
TEST(BarChart, BarsAreTheOnesDrawPolygonPaints)
{
    const struct {
        const char *name;
        QSize size;
        int factors;
        double low, high;
        QPoint offset;
    } cases[] = {
        {"the window's", {1020, 424}, 12, 5, 95, {}},        {"below zero", {1020, 424}, 12, -40, 60, {}},
        {"zero heights", {1020, 424}, 12, 0, 0, {}},         {"small", {300, 160}, 12, 1, 99, {}},
        {"many narrow bars", {1020, 424}, 150, -3, 300, {}}, {"moved", {700, 300}, 12, 5, 95, {5, 7}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        BarChart chart;
        chart.resize(c.size);
        for (int x = 1; x <= c.factors; ++x)
            for (const ProfileSeries series : kAll) {
                const double t = double((x * 7 + int(series) * 5) % c.factors) / std::max(1, c.factors - 1);
                chart.addPoint(series, x, c.low + (c.high - c.low) * t, QString(),
                               x % 3 ? std::optional<QColor>() : QColor(255, 0, 0));
            }
        QImage picture(c.size + QSize(10, 10), QImage::Format_RGB32);
        picture.fill(Qt::gray);
        chart.render(&picture, c.offset, QRegion(), {});
        QImage redrawn = picture;
        {
            QPainter painter(&redrawn);
            painter.translate(c.offset);
            for (int row = kSeriesCount - 1; row >= 0; --row) {
                const auto series = static_cast<ProfileSeries>(kSeriesCount - 1 - row);
                for (int i = 0; const auto faces = chart.barFaces(series, i); ++i) {
                    const QColor colour = chart.pointColour(series, i);
                    const Rgb rgb{std::uint8_t(colour.red()), std::uint8_t(colour.green()),
                                  std::uint8_t(colour.blue())};
                    painter.setPen(QPen(toQColor(shaded(rgb, kBarEdgeShade)), 1));
                    painter.setBrush(toQColor(shaded(rgb, kBarSideShade)));
                    painter.drawPolygon(faces->side);
                    painter.setBrush(toQColor(tinted(rgb, kBarTopTint)));
                    painter.drawPolygon(faces->top);
                    painter.setBrush(colour);
                    painter.drawPolygon(faces->front);
                }
            }
        }
        int differing = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                differing += picture.pixel(x, y) != redrawn.pixel(x, y);
        EXPECT_EQ(differing, 0);
    }
}
