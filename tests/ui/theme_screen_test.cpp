// The window on a dark desktop theme and on screens smaller than the result
// panel: the panel keeps its light, readable look, and scrolls so that every
// part of it can be reached.
#include "app/main_window.h"
#include "app/result_scroll_area.h"
#include "display/bar_chart.h"
#include "display/result_panel.h"
#include "display/results_grid.h"
#include "display/threshold_field.h"
#include "window_session.h"

#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace tavo;
using tavo::testing::resultPanelHidden;
using tavo::testing::samplePath;

namespace {

// A desktop theme of light text on dark surfaces, for as long as it lives.
class DarkTheme {
public:
    DarkTheme() : saved_(QApplication::palette())
    {
        QPalette dark;
        for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button, QPalette::AlternateBase})
            dark.setColor(role, QColor(45, 45, 48));
        for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            dark.setColor(role, QColor(230, 230, 230));
        QApplication::setPalette(dark);
    }
    ~DarkTheme() { QApplication::setPalette(saved_); }

private:
    QPalette saved_;
};

// Relative luminance difference, 0 to 255: how well one colour reads on another.
int contrast(const QColor &a, const QColor &b)
{
    const auto luma = [](const QColor &c) { return (299 * c.red() + 587 * c.green() + 114 * c.blue()) / 1000; };
    return std::abs(luma(a) - luma(b));
}

bool hasPixelDarkerThan(const QImage &image, const QRect &rect, int level)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (qGray(image.pixel(x, y)) < level)
                return true;
    return false;
}

} // namespace

TEST(DarkTheme, ResultPanelKeepsDarkTextOnLightSurfaces)
{
    DarkTheme theme;
    tavo::testing::WindowSession s;
    s.form.setWindowState(Qt::WindowNoState);
    s.form.resize(1100, 800);
    s.form.show();
    s.form.openResultFile(samplePath("ivanova.cry"));
    ASSERT_TRUE(s.form.paTest->isVisible());

    const struct {
        const char *name;
        QWidget *widget;
        QPalette::ColorRole text, ground;
    } readable[] = {
        {"report", s.form.meInfo, QPalette::Text, QPalette::Base},
        {"threshold field", s.form.Chart->thresholdField(), QPalette::Text, QPalette::Base},
        {"grid cells", s.form.sgResF, QPalette::Text, QPalette::Base},
        {"grid's fixed cells", s.form.sgResF, QPalette::ButtonText, QPalette::Button},
        {"panel", s.form.paTest, QPalette::WindowText, QPalette::Window},
    };
    for (const auto &r : readable) {
        SCOPED_TRACE(r.name);
        const QPalette &p = r.widget->palette();
        EXPECT_GT(contrast(p.color(r.text), p.color(r.ground)), 128);
        EXPECT_GT(qGray(p.color(r.ground).rgb()), 200); // the panel's light look
    }
    EXPECT_EQ(s.form.meInfo->palette().color(QPalette::Base), QColor(Qt::white));

    // The grid as painted: an ordinary cell (column 2, row 3) is white with
    // dark digits, a fixed cell light.
    const QImage grid = s.form.sgResF->grab().toImage();
    const QRect cell = ResultsGrid::cellRect(2, 3);
    EXPECT_EQ(grid.pixelColor(cell.topLeft() + QPoint(1, 1)), QColor(Qt::white));
    EXPECT_TRUE(hasPixelDarkerThan(grid, cell.adjusted(1, 1, -1, -1), 100));
    const QRect fixed = ResultsGrid::cellRect(0, 3);
    EXPECT_GT(qGray(grid.pixel(fixed.center().x(), fixed.bottom() - 2)), 200);

    // The report as painted: dark text on white.
    const QImage report = s.form.meInfo->viewport()->grab().toImage();
    EXPECT_TRUE(hasPixelDarkerThan(report, report.rect(), 100));
    EXPECT_EQ(report.pixelColor(report.width() - 3, 3), QColor(Qt::white));

    // The menu bar follows the desktop.
    EXPECT_LT(qGray(s.form.MainMenu1->palette().color(QPalette::Window).rgb()), 100);
}

TEST(SmallScreen, PanelScrollsSoEveryPartCanBeReached)
{
    tavo::testing::WindowSession s;
    s.form.setWindowState(Qt::WindowNoState);
    s.form.show();
    s.form.resize(800, 600);
    s.form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&s.form));
    s.form.openResultFile(samplePath("ivanova.cry"));
    QCoreApplication::processEvents();

    QScrollArea *area = s.form.paTestScroll;
    ASSERT_TRUE(area->horizontalScrollBar()->isVisible());
    ASSERT_TRUE(area->verticalScrollBar()->isVisible());
    const QRect viewport = area->viewport()->rect();
    EXPECT_EQ(area->verticalScrollBar()->maximum(), 721 - viewport.height());
    EXPECT_EQ(area->horizontalScrollBar()->maximum(), 1024 - viewport.width());
    // The controls keep their places on the panel.
    EXPECT_EQ(s.form.sgResF->geometry(), QRect(2, 423, 184, 298));
    EXPECT_EQ(s.form.meInfo->geometry(), QRect(505, 423, 519, 298));

    const auto shownWhole = [&](QWidget *w) {
        const QRect inViewport(w->mapTo(area->viewport(), QPoint(0, 0)), w->size());
        return viewport.contains(inViewport);
    };
    // Tab walks through the panel's controls; the one with the focus is
    // scrolled into view, the grid's last row and the threshold field too.
    area->verticalScrollBar()->setValue(0);
    area->horizontalScrollBar()->setValue(0);
    QWidget *const targets[] = {s.form.Chart->thresholdField(), s.form.sgResF, s.form.meInfo};
    for (QWidget *target : targets) {
        SCOPED_TRACE(target->objectName().toStdString());
        for (int i = 0;
             i < 10 && !target->isAncestorOf(QApplication::focusWidget()) && QApplication::focusWidget() != target; ++i)
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &s.form, Qt::Key_Tab);
        ASSERT_TRUE(QApplication::focusWidget() == target || target->isAncestorOf(QApplication::focusWidget()));
        QCoreApplication::processEvents();
        if (target == s.form.meInfo) {
            // A text field is scrolled to its cursor, as in any scroll area.
            const QRect cursor = s.form.meInfo->cursorRect();
            EXPECT_TRUE(viewport.contains(
                QRect(s.form.meInfo->viewport()->mapTo(area->viewport(), cursor.topLeft()), cursor.size())));
        } else {
            EXPECT_TRUE(shownWhole(target));
        }
    }
}

TEST(SmallScreen, TheRestoredWindowFitsTheScreen)
{
    // The offscreen screen is smaller than the panel; with no window manager
    // to maximize the window, it opens at the restored size.
    tavo::testing::WindowSession s;
    const QSize available = s.form.screen()->availableGeometry().size();
    ASSERT_LT(available.width(), 1024);
    s.form.setWindowState(Qt::WindowNoState);
    s.form.show();
    EXPECT_LE(s.form.width(), available.width());
    EXPECT_LE(s.form.height(), available.height());
    s.form.openResultFile(samplePath("ivanova.cry"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(s.form.paTestScroll->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(s.form.paTestScroll->verticalScrollBar()->isVisible());
}

TEST(SmallScreen, ScrollBarsReachTheFarCornerOfThePanel)
{
    tavo::testing::WindowSession s;
    s.form.setWindowState(Qt::WindowNoState);
    s.form.show();
    s.form.resize(800, 600);
    s.form.openResultFile(samplePath("ivanova.cry"));
    QCoreApplication::processEvents();
    QScrollArea *area = s.form.paTestScroll;
    area->horizontalScrollBar()->setValue(area->horizontalScrollBar()->maximum());
    area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
    // The report's bottom-right corner, the panel's (1024, 721), is the
    // viewport's bottom-right corner.
    const QPoint corner = s.form.meInfo->mapTo(area->viewport(), QPoint(519, 298));
    EXPECT_EQ(corner, QPoint(area->viewport()->width(), area->viewport()->height()));
}

TEST(SmallScreen, BeforeTheFirstLoadNothingScrolls)
{
    tavo::testing::WindowSession s;
    s.form.setWindowState(Qt::WindowNoState);
    s.form.show();
    s.form.resize(800, 600);
    QCoreApplication::processEvents();
    EXPECT_TRUE(resultPanelHidden(s.form));
    EXPECT_FALSE(s.form.paTestScroll->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(s.form.paTestScroll->verticalScrollBar()->isVisible());
}
