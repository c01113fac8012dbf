// The main window as it stands after start-up: caption, layout, menus and the
// commands that need nothing loaded.
#include "app/app_folder.h"
#include "app/application_setup.h"
#include "app/main_window.h"
#include "app/result_scroll_area.h"
#include "display/bevel_panel.h"
#include "display/bar_chart.h"
#include "display/diagram_image.h"
#include "display/look.h"
#include "display/result_panel.h"
#include "display/results_grid.h"
#include "recording_platform.h"
#include "scripted_file_chooser.h"

#include <QAction>
#include <QTest>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace tavo;

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    tavo::testing::RecordingPlatform platform;
    tavo::testing::ScriptedFileChooser chooser;
    TForm1 form{platform, chooser};
};

} // namespace

TEST_F(MainWindowTest, CaptionTitleAndLook)
{
    // The form's face as the look names it where the window was made.
    EXPECT_EQ(form.font(), fontFor(FontRole::Form));
    setUpApplication();
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("TAVO.12Fmod.An"));
    EXPECT_EQ(
        form.windowTitle(),
        QStringLiteral("TAVO.12Fmod.An - Построение мотивационного профиля Зелю-Карбона (модификация Зовита Р.Е.)"));
    EXPECT_TRUE(form.windowState() & Qt::WindowMaximized);
    EXPECT_FALSE(form.windowIcon().isNull());
    EXPECT_EQ(form.font().pixelSize(), 11);
    EXPECT_EQ(form.palette().color(QPalette::Window), form.palette().color(QPalette::Button));
}

TEST_F(MainWindowTest, ControlsSitAtTheirDesignPositions)
{
    const struct {
        const char *name;
        const char *parent;
        QRect geometry;
    } controls[] = {
        {"Chart", "paTest", {2, 0, 1020, 424}},     {"sgResF", "paTest", {2, 423, 184, 298}},
        {"paPlot", "paTest", {184, 423, 322, 298}}, {"imPlot", "paPlot", {1, 1, 319, 296}},
        {"meInfo", "paTest", {505, 423, 519, 298}},
    };
    form.resultPanel();
    for (const auto &c : controls) {
        SCOPED_TRACE(c.name);
        const auto *widget = form.findChild<QWidget *>(QLatin1String(c.name));
        ASSERT_NE(widget, nullptr);
        ASSERT_NE(widget->parentWidget(), nullptr);
        EXPECT_EQ(widget->parentWidget()->objectName(), QLatin1String(c.parent));
        EXPECT_EQ(widget->geometry(), c.geometry);
    }
    EXPECT_NE(dynamic_cast<BarChart *>(form.findChild<QWidget *>(QStringLiteral("Chart"))), nullptr);
    EXPECT_NE(dynamic_cast<ResultsGrid *>(form.findChild<QWidget *>(QStringLiteral("sgResF"))), nullptr);
    EXPECT_NE(dynamic_cast<DiagramImage *>(form.findChild<QWidget *>(QStringLiteral("imPlot"))), nullptr);
}

TEST_F(MainWindowTest, ResultPanelFillsTheClientAreaAndIsHiddenAtStart)
{
    EXPECT_EQ(form.centralWidget(), form.paTestScroll);
    form.setWindowState(Qt::WindowNoState);
    form.show();
    // The window starts without the panel; it comes hidden when first needed.
    EXPECT_EQ(form.paTest, nullptr);
    EXPECT_EQ(form.paTestScroll->widget(), nullptr);
    const QSize hintAtStart = form.paTestScroll->sizeHint();
    ASSERT_EQ(form.resultPanel().objectName(), QStringLiteral("paTest"));
    EXPECT_EQ(form.paTestScroll->sizeHint(), hintAtStart) << "the area's layout is the same with the panel";
    EXPECT_EQ(form.paTestScroll->widget(), form.paTest);
    EXPECT_TRUE(form.paTest->isHidden());

    // On a client area that holds all of it (1024 × 721) the panel fills it
    // from its top-left corner below the menu bar, with no scroll bar, and
    // its children keep their places when it grows.
    form.paTest->show();
    form.resize(1024, 721 + form.menuBar()->height());
    QCoreApplication::processEvents();
    EXPECT_EQ(form.paTestScroll->geometry(), QRect(0, form.menuBar()->height(), 1024, 721));
    EXPECT_EQ(form.paTest->geometry(), QRect(0, 0, 1024, 721));
    EXPECT_FALSE(form.paTestScroll->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(form.paTestScroll->verticalScrollBar()->isVisible());
    form.resize(1200, 900);
    QCoreApplication::processEvents();
    EXPECT_EQ(form.paTest->size(), QSize(1200, 900 - form.menuBar()->height()));
    EXPECT_EQ(form.meInfo->geometry(), QRect(505, 423, 519, 298));
}

TEST_F(MainWindowTest, ReportStartsEmptyWhiteWithItsFontAndScrollBar)
{
    const QPlainTextEdit *report = form.resultPanel().meInfo;
    EXPECT_TRUE(report->toPlainText().isEmpty());
    EXPECT_EQ(report->font(), fontFor(FontRole::Report));
    EXPECT_EQ(report->font().pixelSize(), 16);
    EXPECT_EQ(report->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(report->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(report->lineWrapMode(), QPlainTextEdit::WidgetWidth);
}

TEST_F(MainWindowTest, MainMenuHoldsTheCommandsWithPictures)
{
    EXPECT_EQ(form.menuBar(), form.MainMenu1);
    EXPECT_EQ(form.MainMenu1->objectName(), QStringLiteral("MainMenu1"));
    const QList<QAction *> top = form.MainMenu1->actions();
    ASSERT_GE(top.size(), 3);
    EXPECT_EQ(top[0], form.mmOpen);
    EXPECT_EQ(top[1], form.mmSave->menuAction());
    EXPECT_EQ(top[2], form.mmFactors);
    EXPECT_THAT(form.mmSave->actions(), ::testing::ElementsAre(form.mmAnalysis, form.mmPlot, form.mmPdf, form.mmPrint));

    const struct {
        QAction *item;
        const char *name;
        const char *caption;
    } items[] = {
        {form.mmOpen, "mmOpen", "Open"},
        {form.mmSave->menuAction(), "mmSaveItem", "Save"},
        {form.mmAnalysis, "mmAnalysis", "Analysis"},
        {form.mmPlot, "mmPlot", "Plot"},
        {form.mmPdf, "mmPdf", "PDF"},
        {form.mmPrint, "mmPrint", "Print…"},
        {form.mmFactors, "mmFactors", "Help"},
    };
    for (const auto &i : items) {
        SCOPED_TRACE(i.name);
        EXPECT_EQ(i.item->objectName(), QLatin1String(i.name));
        // The caption as shown; "&" marks its mnemonic.
        EXPECT_EQ(QString(i.item->text()).remove(QLatin1Char('&')), QString::fromUtf8(i.caption));
        EXPECT_TRUE(i.item->isEnabled());
        EXPECT_FALSE(i.item->icon().isNull());
    }
}

TEST_F(MainWindowTest, ChartMenuItemsStartTickedAndOnlyTheirHandlerChangesTheTick)
{
    EXPECT_EQ(form.pmChart->objectName(), QStringLiteral("pmChart"));
    const struct {
        QAction *item;
        const char *name;
        QString caption;
    } items[] = {
        {form.miPart1, "miPart1", QStringLiteral("Идеальная работа")},
        {form.miPart2, "miPart2", QStringLiteral("Реальная работа")},
        {form.miDelta, "miDelta", QStringLiteral("Delta = Real - Ideal")},
    };
    EXPECT_THAT(form.pmChart->actions(), ::testing::ElementsAre(form.miPart1, form.miPart2, form.miDelta));
    for (const auto &i : items) {
        SCOPED_TRACE(i.name);
        EXPECT_EQ(i.item->objectName(), QLatin1String(i.name));
        EXPECT_EQ(i.item->text(), i.caption);
        EXPECT_TRUE(i.item->isCheckable());
        EXPECT_TRUE(i.item->isChecked());

        // Each click inverts the tick once: the handler sets it, Qt does not.
        i.item->trigger();
        EXPECT_FALSE(i.item->isChecked());
        i.item->trigger();
        EXPECT_TRUE(i.item->isChecked());
    }
}

TEST_F(MainWindowTest, RightClickOnTheChartOpensItsMenu)
{
    form.setWindowState(Qt::WindowNoState);
    form.show();
    form.resultPanel().show();
    QTest::mouseClick(form.Chart, Qt::RightButton, {}, QPoint(300, 200));
    EXPECT_TRUE(form.pmChart->isVisible());
    form.pmChart->hide();
}

TEST_F(MainWindowTest, OpenDialogStartsInTheDataFolderWithBothFilters)
{
    EXPECT_EQ(form.OpenDialog1.title, QStringLiteral("Построение Мотивационного Профиля Зелю-Карбона"));
    EXPECT_EQ(form.OpenDialog1.filter, QStringLiteral("Data files (*.CRY)|*.cry|Data files (*.TXT)|*.txt"));
    EXPECT_EQ(form.OpenDialog1.filterIndex, 1);
    EXPECT_EQ(form.OpenDialog1.initialFolder, form.applicationFolder() + QStringLiteral("Data"));
}

TEST_F(MainWindowTest, HelpAsksTheDesktopToOpenTheHelpFileEachTime)
{
    platform.calls.clear();
    form.mmFactors->trigger();
    form.mmFactors->trigger();
    const QString expected = form.applicationFolder() + QStringLiteral("TAVO.12F.chm");
    EXPECT_THAT(platform.openedDocuments, ::testing::ElementsAre(expected, expected));
    EXPECT_THAT(platform.calls, ::testing::ElementsAre("openDocument", "openDocument"));
    EXPECT_EQ(form.helpWindow(), nullptr) << "the desktop's viewer took it";
}

TEST_F(MainWindowTest, OnlyTheAboutCommandAsksForTheAboutBox)
{
    QSignalSpy about(&form, &TForm1::aboutRequested);
    ASSERT_TRUE(platform.commandHandler);
    platform.commandHandler(0xF020); // minimize
    platform.commandHandler(0xF060); // close
    EXPECT_EQ(about.count(), 0);
    platform.commandHandler(kAboutCommand);
    platform.commandHandler(kAboutCommand);
    EXPECT_EQ(about.count(), 2);
}
