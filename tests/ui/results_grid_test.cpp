#include "display/results_grid.h"
#include "../grid_sample_profile.h"

#include <QApplication>
#include <QImage>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

using namespace tavo;

namespace {

enum class Ink { None, Red, Green, Dark, Light, Mixed };

struct CellInk {
    int red = 0, green = 0, dark = 0, light = 0;
    int rightmost = -1, topmost = -1;
};

// Text pixels of a cell, told apart from its background and its edges.
CellInk inkOf(const QImage &image, int column, int row, QRgb background)
{
    const QRect rect = ResultsGrid::cellRect(column, row).adjusted(2, 2, -2, -2);
    CellInk ink;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.rgb() == (background | 0xff000000u))
                continue;
            const bool isRed = c.red() >= 200 && c.green() <= 70 && c.blue() <= 70;
            const bool isGreen = c.red() <= 70 && c.green() >= 90 && c.green() <= 170 && c.blue() <= 70;
            const bool isDark = c.red() <= 80 && c.green() <= 80 && c.blue() <= 80;
            const bool isLight = c.red() >= 235 && c.green() >= 235 && c.blue() >= 235;
            ink.red += isRed;
            ink.green += isGreen;
            ink.dark += isDark;
            ink.light += isLight;
            ink.rightmost = std::max(ink.rightmost, x);
            if (ink.topmost < 0)
                ink.topmost = y;
        }
    return ink;
}

Ink colourOf(const CellInk &ink)
{
    const int kinds = (ink.red > 0) + (ink.green > 0) + (ink.dark > 0);
    if (kinds > 1)
        return Ink::Mixed;
    if (ink.red > 4)
        return Ink::Red;
    if (ink.green > 4)
        return Ink::Green;
    if (ink.dark > 4)
        return Ink::Dark;
    return Ink::None;
}

QImage grabbed(ResultsGrid &grid) { return grid.grab().toImage().convertToFormat(QImage::Format_RGB32); }

QRgb base(const ResultsGrid &grid) { return grid.palette().color(QPalette::Base).rgb(); }

} // namespace

TEST(ResultsGrid, FillsTextsAndKeepsTopLeftEmpty)
{
    ResultsGrid grid;
    EXPECT_EQ(grid.size(), QSize(184, 298));
    EXPECT_EQ(grid.toolTip(),
              QStringLiteral("Ideal - Выбор новой работы\nReal - Текущая работа\nRe-Id = Real - Ideal"));
    grid.FillResultsGrid(gridSampleProfile());
    EXPECT_EQ(grid.cellText(0, 0), QString());
    EXPECT_EQ(grid.cellText(3, 0), QStringLiteral("Re-Id"));
    EXPECT_EQ(grid.cellText(0, 10), QStringLiteral(" F10"));
    EXPECT_EQ(grid.cellText(2, 9), QStringLiteral("-12"));
    EXPECT_EQ(grid.cellText(0, 13), QStringLiteral("  M"));

    ProfileRecord second;
    second.ideal.fill(1);
    grid.FillResultsGrid(second);
    EXPECT_EQ(grid.cellText(0, 0), QString());
    EXPECT_EQ(grid.cellText(1, 1), QStringLiteral("1"));
    EXPECT_EQ(grid.cellText(3, 9), QStringLiteral("-1"));
}

TEST(ResultsGrid, DifferenceColumnIsColouredByTheThresholdAtPaintTime)
{
    ResultsGrid grid;
    grid.FillResultsGrid(gridSampleProfile());
    const struct {
        std::int32_t threshold;
        Ink rows[6];
    } cases[] = {
        {0, {Ink::Red, Ink::Green, Ink::Red, Ink::Green, Ink::Dark, Ink::Red}},
        {5, {Ink::Red, Ink::Dark, Ink::Dark, Ink::Green, Ink::Dark, Ink::Red}},
        {-5, {Ink::Red, Ink::Dark, Ink::Dark, Ink::Green, Ink::Dark, Ink::Red}},
        {10, {Ink::Dark, Ink::Dark, Ink::Dark, Ink::Dark, Ink::Dark, Ink::Dark}},
        {0, {Ink::Red, Ink::Green, Ink::Red, Ink::Green, Ink::Dark, Ink::Red}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "threshold " << c.threshold);
        grid.setThreshold(c.threshold);
        const QImage image = grabbed(grid);
        for (int row = 1; row <= 6; ++row) {
            SCOPED_TRACE(row);
            EXPECT_EQ(colourOf(inkOf(image, 3, row, base(grid))), c.rows[row - 1]);
        }
        // The mean row and the header never take a threshold colour.
        EXPECT_EQ(colourOf(inkOf(image, 3, 13, base(grid))), Ink::Dark);
        const QRgb face = grid.palette().color(QPalette::Button).rgb();
        EXPECT_EQ(colourOf(inkOf(image, 3, 0, face)), Ink::Dark);
    }
}

TEST(ResultsGrid, TextsAreRightAlignedAtTheirInsetsAndBoldWhereDue)
{
    ResultsGrid grid;
    grid.FillResultsGrid(gridSampleProfile());
    const QImage image = grabbed(grid);
    const QRgb face = grid.palette().color(QPalette::Button).rgb();
    const struct {
        int column, row;
        QRgb background;
        int rightInset;
    } cases[] = {
        {1, 0, face, 6},         {3, 0, face, 6},        {0, 4, face, 16},        {2, 5, base(grid), 16},
        {1, 13, base(grid), 16}, {3, 5, base(grid), 15}, {3, 13, base(grid), 15},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "column " << c.column << " row " << c.row);
        const QRect cell = ResultsGrid::cellRect(c.column, c.row);
        const CellInk ink = inkOf(image, c.column, c.row, c.background);
        // The text's advance ends at right − inset; the glyph's ink just before.
        const int point = cell.right() + 1 - c.rightInset;
        EXPECT_LT(ink.rightmost, point);
        EXPECT_GE(ink.rightmost, point - 3);
        EXPECT_GE(ink.topmost, cell.top() + 2);
        EXPECT_LE(ink.topmost, cell.top() + 6);
    }
    // "55" regular in the Real column of factor 5 and bold in the mean row.
    EXPECT_GT(inkOf(image, 2, 13, base(grid)).dark, inkOf(image, 2, 5, base(grid)).dark);
    // "0" bold in the difference column of factor 5, regular as factor 12's Ideal.
    EXPECT_GT(inkOf(image, 3, 5, base(grid)).dark, inkOf(image, 1, 12, base(grid)).dark);
}

TEST(ResultsGrid, ThresholdChangeRepaintsAtOnce)
{
    ResultsGrid grid;
    grid.FillResultsGrid(gridSampleProfile());
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));

    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject *, QEvent *event) override
        {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter;
    grid.installEventFilter(&counter);
    grid.setThreshold(7);
    EXPECT_EQ(counter.paints, 1); // painted before returning, no event loop needed
    EXPECT_EQ(grid.threshold(), 7);
    grid.removeEventFilter(&counter);
}

TEST(ResultsGrid, CurrentCellMovesWithClicksAndArrowsAndIsHighlighted)
{
    ResultsGrid grid;
    grid.FillResultsGrid(gridSampleProfile());
    const QRgb highlight = grid.palette().color(QPalette::Highlight).rgb();
    const auto backgroundAt = [&](int column, int row) {
        const QRect cell = ResultsGrid::cellRect(column, row);
        return grabbed(grid).pixel(cell.left() + 2, cell.bottom() - 2);
    };
    EXPECT_EQ(grid.currentCell(), QPoint(1, 1));
    EXPECT_EQ(backgroundAt(1, 1), highlight);
    EXPECT_EQ(backgroundAt(2, 1), base(grid));

    QTest::mouseClick(&grid, Qt::LeftButton, {}, ResultsGrid::cellRect(2, 5).center());
    EXPECT_EQ(grid.currentCell(), QPoint(2, 5));
    EXPECT_EQ(backgroundAt(2, 5), highlight);
    EXPECT_EQ(backgroundAt(1, 1), base(grid));

    // Fixed cells and grid lines never become current.
    QTest::mouseClick(&grid, Qt::LeftButton, {}, ResultsGrid::cellRect(0, 7).center());
    QTest::mouseClick(&grid, Qt::LeftButton, {}, ResultsGrid::cellRect(2, 0).center());
    QTest::mouseClick(&grid, Qt::LeftButton, {}, QPoint(ResultsGrid::cellRect(2, 7).right() + 1, 150));
    EXPECT_EQ(grid.currentCell(), QPoint(2, 5));

    const struct {
        Qt::Key key;
        int times;
        QPoint after;
    } moves[] = {
        {Qt::Key_Right, 1, {3, 5}}, {Qt::Key_Right, 1, {3, 5}},  {Qt::Key_Up, 10, {3, 1}},
        {Qt::Key_Left, 5, {1, 1}},  {Qt::Key_Down, 20, {1, 13}},
    };
    for (const auto &m : moves) {
        for (int i = 0; i < m.times; ++i)
            QTest::keyClick(&grid, m.key);
        EXPECT_EQ(grid.currentCell(), m.after);
    }
    EXPECT_EQ(backgroundAt(1, 13), highlight);
}

TEST(ResultsGrid, UnfocusedCurrentCellTakesHighlightTextExceptTheDifference)
{
    ResultsGrid grid;
    grid.FillResultsGrid(gridSampleProfile());
    ASSERT_FALSE(grid.hasFocus());
    const QRgb highlight = grid.palette().color(QPalette::Highlight).rgb();
    const QColor highlightText = grid.palette().color(QPalette::HighlightedText);
    ASSERT_GE(highlightText.lightness(), 235) << "the test tells highlight text by its lightness";

    QTest::mouseClick(&grid, Qt::LeftButton, {}, ResultsGrid::cellRect(1, 13).center());
    CellInk ink = inkOf(grabbed(grid), 1, 13, highlight);
    EXPECT_GT(ink.light, 4);
    EXPECT_EQ(ink.dark, 0);

    QTest::keyClick(&grid, Qt::Key_Right);
    QTest::keyClick(&grid, Qt::Key_Right);
    QTest::keyClick(&grid, Qt::Key_Up);
    ASSERT_EQ(grid.currentCell(), QPoint(3, 12)); // +1 at threshold 0: green
    ink = inkOf(grabbed(grid), 3, 12, highlight);
    EXPECT_GT(ink.green, 4);
    EXPECT_EQ(ink.light, 0);
}

TEST(ResultsGrid, FocusedCurrentCellKeepsTheFontColourAndGetsAFocusFrame)
{
    ResultsGrid grid;
    grid.FillResultsGrid(gridSampleProfile());
    grid.show();
    grid.activateWindow();
    grid.setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
    ASSERT_TRUE(grid.hasFocus());
    const QRgb highlight = grid.palette().color(QPalette::Highlight).rgb();
    const QImage image = grabbed(grid);
    const CellInk ink = inkOf(image, 1, 1, highlight);
    EXPECT_GT(ink.dark, 4);
    // The dotted frame runs along the cell's edge.
    const QRect cell = ResultsGrid::cellRect(1, 1);
    int frame = 0;
    for (int x = cell.left(); x <= cell.right(); ++x)
        frame += image.pixel(x, cell.top()) != highlight;
    EXPECT_GT(frame, cell.width() / 4);
}

TEST(ResultsGrid, WideNumbersStayInsideTheirCells)
{
    ProfileRecord profile;
    profile.ideal[6] = -1188;
    profile.real[6] = 11988; // difference 13176, green at threshold 0
    ResultsGrid grid;
    grid.FillResultsGrid(profile);
    const QImage image = grabbed(grid);
    EXPECT_GT(inkOf(image, 3, 7, base(grid)).green, 4);
    EXPECT_EQ(inkOf(image, 2, 7, base(grid)).green, 0);
}

TEST(ResultsGrid, NumbersTooWideForTheirPlaceAreShownWholeAndInTheTip)
{
    ProfileRecord profile = gridSampleProfile();
    profile.ideal[6] = 13176;
    profile.real[6] = -1188; // difference -14364
    profile.ideal[7] = -2147483647;
    profile.real[7] = 11988; // difference wraps, whatever it is it is shown whole
    ResultsGrid grid;
    grid.FillResultsGrid(profile);
    grid.show();
    const QImage image = grabbed(grid);
    const QRgb background = base(grid) | 0xff000000u;
    const struct {
        int column, row;
    } cells[] = {{1, 7}, {2, 7}, {3, 7}, {1, 8}, {2, 8}, {3, 8}};
    for (const auto &c : cells) {
        const QString text = grid.cellText(c.column, c.row);
        SCOPED_TRACE(text.toStdString());
        const ResultsGrid::CellTextPlace place = grid.cellTextPlace(c.column, c.row);
        EXPECT_FALSE(place.fits);
        // Nothing is cut at the cell's left edge, yet the text reaches close to it.
        const QRect cell = ResultsGrid::cellRect(c.column, c.row);
        int inkAtEdge = 0;
        int inkNearEdge = 0;
        for (int y = cell.top() + 1; y < cell.bottom(); ++y) {
            inkAtEdge += image.pixel(cell.left(), y) != background;
            for (int x = cell.left() + 1; x <= cell.left() + 12; ++x)
                inkNearEdge += image.pixel(x, y) != background;
        }
        EXPECT_EQ(inkAtEdge, 0);
        EXPECT_GT(inkNearEdge, 0);

        // The tip over the cell shows the number first.
        QHelpEvent help(QEvent::ToolTip, cell.center(), grid.mapToGlobal(cell.center()));
        QApplication::sendEvent(&grid, &help);
        EXPECT_TRUE(QToolTip::isVisible());
        EXPECT_EQ(QToolTip::text().section(QLatin1Char('\n'), 0, 0), text);
    }
    // An ordinary number keeps its place and the tip is the grid's hint alone.
    EXPECT_TRUE(grid.cellTextPlace(1, 1).fits);
    const QRect ordinary = ResultsGrid::cellRect(1, 1);
    QHelpEvent help(QEvent::ToolTip, ordinary.center(), grid.mapToGlobal(ordinary.center()));
    QApplication::sendEvent(&grid, &help);
    EXPECT_EQ(QToolTip::text(), grid.toolTip());
    QToolTip::hideText();
}
