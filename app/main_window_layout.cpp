// The controls and menus of the main window, at their fixed design positions.

#include "app/app_icons.h"
#include "app/application_setup.h"
#include "app/bevel_panel.h"
#include "app/main_window.h"
#include "app/manual_check_action.h"
#include "app/menu_bar_style.h"
#include "display/bar_chart.h"
#include "display/diagram_image.h"
#include "display/results_grid.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>

namespace tavo {

namespace {

template <typename Widget>
Widget *placed(Widget *widget, const QString &name, const QRect &geometry)
{
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

} // namespace

void TForm1::createControls()
{
    // The result panel is the whole client area and stays hidden until a
    // result file has been loaded. Its children keep their positions whatever
    // the window's size; what lies beyond the client area is cut off.
    paTest = placed(new BevelPanel(this, Bevel::None), QStringLiteral("paTest"), QRect(0, 0, 1014, 692));
    setCentralWidget(paTest);
    paTest->hide();

    Chart = placed(new BarChart(paTest), QStringLiteral("Chart"), QRect(2, 0, 1020, 424));
    sgResF = placed(new ResultsGrid(paTest), QStringLiteral("sgResF"), QRect(2, 423, 184, 298));
    paPlot = placed(new BevelPanel(paTest, Bevel::Lowered), QStringLiteral("paPlot"), QRect(184, 423, 322, 298));
    imPlot = placed(new DiagramImage(paPlot), QStringLiteral("imPlot"), QRect(1, 1, 319, 296));

    meInfo = placed(new QPlainTextEdit(paTest), QStringLiteral("meInfo"), QRect(505, 423, 519, 298));
    meInfo->setFont(fontOfPixelSize(QStringLiteral("Times New Roman"), 16));
    QPalette white = meInfo->palette();
    white.setColor(QPalette::Base, Qt::white);
    meInfo->setPalette(white);
    meInfo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    meInfo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Long report lines wrap on screen only; the text keeps its lines.
    meInfo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
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

    mmOpen = MainMenu1->addAction(icons.open, QStringLiteral("Open"));
    mmOpen->setObjectName(QStringLiteral("mmOpen"));

    mmSave = MainMenu1->addMenu(icons.save, QStringLiteral("Save"));
    mmSave->setObjectName(QStringLiteral("mmSave"));
    mmSave->menuAction()->setObjectName(QStringLiteral("mmSaveItem"));
    mmAnalysis = mmSave->addAction(icons.report, QStringLiteral("Analysis"));
    mmAnalysis->setObjectName(QStringLiteral("mmAnalysis"));
    mmPlot = mmSave->addAction(icons.plot, QStringLiteral("Plot"));
    mmPlot->setObjectName(QStringLiteral("mmPlot"));

    mmFactors = MainMenu1->addAction(icons.help, QStringLiteral("Help"));
    mmFactors->setObjectName(QStringLiteral("mmFactors"));

    connect(mmOpen, &QAction::triggered, this, &TForm1::mmOpenClick);
    connect(mmAnalysis, &QAction::triggered, this, &TForm1::mmAnalysisClick);
    connect(mmPlot, &QAction::triggered, this, &TForm1::mmPlotClick);
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

    // A right click on the chart opens the menu.
    Chart->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Chart, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &position) { pmChart->popup(Chart->mapToGlobal(position)); });
}

} // namespace tavo
