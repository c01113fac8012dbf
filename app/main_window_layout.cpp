// The controls and menus of the main window, at their fixed design positions.

#include "app/app_icons.h"
#include "app/application_setup.h"
#include "app/main_window.h"
#include "app/menu_bar_style.h"
#include "app/result_scroll_area.h"
#include "app/manual_check_action.h"
#include "display/bar_chart.h"
#include "display/diagram_image.h"
#include "display/result_panel.h"
#include "display/results_grid.h"
#include "display/threshold_field.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QShortcut>

namespace tavo {

void TForm1::createControls()
{
    // The result panel will sit in a scroll area, for screens too small for
    // all of it; until then the empty area is the client area.
    paTestScroll = new ResultScrollArea(this);
    setCentralWidget(paTestScroll);

    // A result file dropped anywhere on the window opens like a chosen one.
    setAcceptDrops(true);
}

ResultPanel &TForm1::resultPanel()
{
    if (!paTest)
        createResultPanel();
    return *paTest;
}

void TForm1::createResultPanel()
{
    // The result panel is the whole client area and stays hidden until a
    // result file has been loaded. Its children keep their positions whatever
    // the window's size; what lies beyond the client area is cut off.
    paTest = new ResultPanel;
    paTestScroll->setPanel(paTest, ResultPanel::kContentSize);
    // Polished now, as it would have been when the window was shown.
    paTest->ensurePolished();
    Chart = paTest->Chart;
    sgResF = paTest->sgResF;
    paPlot = paTest->paPlot;
    imPlot = paTest->imPlot;
    meInfo = paTest->meInfo;

    meInfo->viewport()->installEventFilter(this);
    // A right click on the chart opens the menu.
    Chart->setPopupMenu(pmChart);
}

void TForm1::createMenus()
{
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    // Menus use the desktop's menu font, not the form's.
    MainMenu1->setFont(QApplication::font("QMenuBar"));
    auto *style = new MenuBarStyle();
    style->setParent(MainMenu1);
    MainMenu1->setStyle(style);
    const MenuIcons icons = menuIcons(*MainMenu1->style());

    // Every caption has its mnemonic (Alt and the underlined letter) and
    // every command a shortcut, so the whole menu works from the keyboard.
    mmOpen = MainMenu1->addAction(icons.open, QStringLiteral("&Open"));
    mmOpen->setObjectName(QStringLiteral("mmOpen"));
    mmOpen->setShortcut(QKeySequence::Open);

    mmSave = MainMenu1->addMenu(icons.save, QStringLiteral("&Save"));
    mmSave->setObjectName(QStringLiteral("mmSave"));
    mmSave->menuAction()->setObjectName(QStringLiteral("mmSaveItem"));
    mmAnalysis = mmSave->addAction(icons.report, QStringLiteral("&Analysis"));
    mmAnalysis->setObjectName(QStringLiteral("mmAnalysis"));
    mmAnalysis->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    mmPlot = mmSave->addAction(icons.plot, QStringLiteral("&Plot"));
    mmPlot->setObjectName(QStringLiteral("mmPlot"));
    mmPlot->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    mmPdf = mmSave->addAction(icons.sheet, QStringLiteral("PDF"));
    mmPdf->setObjectName(QStringLiteral("mmPdf"));
    mmPrint = mmSave->addAction(icons.print, QStringLiteral("Print…"));
    mmPrint->setObjectName(QStringLiteral("mmPrint"));
    mmPrint->setShortcut(QKeySequence::Print);

    mmFactors = MainMenu1->addAction(icons.help, QStringLiteral("&Help"));
    mmFactors->setObjectName(QStringLiteral("mmFactors"));
    mmFactors->setShortcut(QKeySequence(Qt::Key_F1));
    // Actions of the menu bar itself fire their shortcuts only when the
    // window holds them too.
    addActions({mmOpen, mmAnalysis, mmPlot, mmPrint, mmFactors});

    // F10 enters the menu bar as Alt does.
    auto *menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, &TForm1::enterMenuBar);

    connect(mmOpen, &QAction::triggered, this, &TForm1::mmOpenClick);
    connect(mmAnalysis, &QAction::triggered, this, &TForm1::mmAnalysisClick);
    connect(mmPlot, &QAction::triggered, this, &TForm1::mmPlotClick);
    connect(mmPdf, &QAction::triggered, this, &TForm1::mmPdfClick);
    connect(mmPrint, &QAction::triggered, this, &TForm1::mmPrintClick);
    connect(mmFactors, &QAction::triggered, this, &TForm1::mmFactorsClick);
}

void TForm1::createChartMenu()
{
    pmChart = new QMenu(this);
    pmChart->setObjectName(QStringLiteral("pmChart"));
    const auto item = [this](const QString &name, const QString &caption) {
        QAction *action = new ManualCheckAction(caption, pmChart);
        action->setObjectName(name);
        action->setChecked(true);
        pmChart->addAction(action);
        return action;
    };
    miPart1 = item(QStringLiteral("miPart1"), QStringLiteral("Идеальная работа"));
    miPart2 = item(QStringLiteral("miPart2"), QStringLiteral("Реальная работа"));
    miDelta = item(QStringLiteral("miDelta"), QStringLiteral("Delta = Real - Ideal"));
    connect(miPart1, &QAction::triggered, this, &TForm1::miPart1Click);
    connect(miPart2, &QAction::triggered, this, &TForm1::miPart2Click);
    connect(miDelta, &QAction::triggered, this, &TForm1::miDeltaClick);
}

} // namespace tavo
