#include "display/result_panel.h"

#include "display/bar_chart.h"
#include "display/diagram_image.h"
#include "display/results_grid.h"
#include "display/threshold_field.h"
#include "display/cp1251_qstring.h"
#include "display/look.h"
#include "resultfile/result_load.h"

#include <QPlainTextEdit>
#include <QTextBlock>

namespace tavo {

namespace {

template <typename Widget>
Widget *placed(Widget *widget, const char *name, const QRect &geometry)
{
    widget->setObjectName(QLatin1StringView(name));
    widget->setGeometry(geometry);
    return widget;
}

QPlainTextEdit *createReport(QWidget *parent)
{
    auto *report = placed(new QPlainTextEdit(parent), "meInfo", QRect(505, 423, 519, 298));
    report->setFont(fontFor(FontRole::Report));
    QPalette white = report->palette();
    white.setColor(QPalette::Base, toQColor(kWhite));
    report->setPalette(white);
    report->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    report->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Long report lines wrap on screen only; the text keeps its lines.
    report->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Tab moves on to the next control, as in any form; the report stays editable.
    report->setTabChangesFocus(true);
    return report;
}

} // namespace

ResultPanel::ResultPanel(QWidget *parent)
    : BevelPanel(parent, Bevel::None), Chart(placed(new BarChart(this), "Chart", QRect(QPoint(2, 0), kChartSize))),
      sgResF(placed(new ResultsGrid(this), "sgResF", QRect(QPoint(2, 423), kGridSize))),
      paPlot(placed(new BevelPanel(this, Bevel::Lowered), "paPlot", QRect(QPoint(184, 423), kPlotSize))),
      imPlot(placed(new DiagramImage(paPlot), "imPlot", QRect(1, 1, 319, 296))), meInfo(createReport(this)),
      profileChart_(*Chart, profile_)
{
    setObjectName(QStringLiteral("paTest"));
    resize(kDesignSize);
    // The panel and everything on it keep their light look on any desktop.
    setPalette(resultPanelPalette());
    setAutoFillBackground(true);

    connect(Chart->thresholdField(), &ThresholdField::textChanged, this, &ResultPanel::seDeltaChange);
    connect(Chart, &BarChart::backgroundClicked, this, &ResultPanel::ChartClickBackground);
    connect(
        Chart, &BarChart::seriesClicked, this,
        [this](ProfileSeries series, int index, Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint position) {
            switch (series) {
            case ProfileSeries::Series1: return Series1Click(index, button, shift, position);
            case ProfileSeries::Series2: return Series2Click(index, button, shift, position);
            case ProfileSeries::Series3: return Series3Click(index, button, shift, position);
            }
        });
}

std::unique_ptr<ResultPanel> ResultPanel::offScreen(QSize size)
{
    auto panel = std::make_unique<ResultPanel>();
    applyFormLook(*panel);
    panel->resize(size);
    panel->setAttribute(Qt::WA_DontShowOnScreen);
    panel->show();
    return panel;
}

void ResultPanel::showResult(const LoadedResult &result)
{
    profile_ = result.profile;
    reportText_ = result.reportBlock;
    reportBlock_.reset();
    // A report put out of sight on purpose (pictures of the chart alone) is
    // not filled: appending lays out all the new text.
    if (!meInfo->isHidden()) {
        const int firstNewLine = meInfo->document()->isEmpty() ? 0 : meInfo->blockCount();
        meInfo->appendPlainText(reportBlock().join(QLatin1Char('\n')));
        // A load is not an edit: undo in the report never takes a block away
        // while the displays still show it.
        meInfo->document()->clearUndoRedoStacks();
        showReportFrom(firstNewLine);
    }
    Chart->setTitle({fromCp1251(result.chartTitle)});
    ShowProfile();
    FillResultsGrid();
}

const QStringList &ResultPanel::reportBlock() const
{
    if (!reportBlock_) {
        QStringList lines;
        lines.reserve(qsizetype(reportText_.size()));
        for (const std::string_view line : reportText_)
            lines.append(fromCp1251(line));
        reportBlock_ = std::move(lines);
    }
    return *reportBlock_;
}

// Scrolls the report so the block that starts at the given line is read from
// its heading: to the end first, then back up to the heading, which then
// stands at the top.
void ResultPanel::showReportFrom(int line)
{
    meInfo->moveCursor(QTextCursor::End);
    meInfo->ensureCursorVisible();
    meInfo->setTextCursor(QTextCursor(meInfo->document()->findBlockByNumber(line)));
    meInfo->ensureCursorVisible();
}

void ResultPanel::ShowProfile()
{
    profileChart_.showProfile();
    // A diagram put out of sight on purpose (pictures of the chart alone) is
    // not drawn.
    if (!paPlot->isHidden())
        imPlot->drawProfile(profile_);
}

void ResultPanel::FillResultsGrid() { sgResF->FillResultsGrid(profile_); }

void ResultPanel::seDeltaChange()
{
    sgResF->setThreshold(Chart->thresholdField()->value());
    profileChart_.thresholdChanged();
}

void ResultPanel::Series1Click(int, Qt::MouseButton button, Qt::KeyboardModifiers, QPoint)
{
    profileChart_.seriesClicked(ProfileSeries::Series1, button);
}

void ResultPanel::Series2Click(int, Qt::MouseButton button, Qt::KeyboardModifiers, QPoint)
{
    profileChart_.seriesClicked(ProfileSeries::Series2, button);
}

void ResultPanel::Series3Click(int, Qt::MouseButton button, Qt::KeyboardModifiers, QPoint)
{
    profileChart_.seriesClicked(ProfileSeries::Series3, button);
}

void ResultPanel::ChartClickBackground(Qt::MouseButton button, Qt::KeyboardModifiers, QPoint)
{
    profileChart_.backgroundClicked(button);
}

} // namespace tavo
