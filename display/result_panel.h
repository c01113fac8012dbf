#pragma once
// The result panel `paTest`: the bar chart, the results grid, the circular
// diagram and the report at their fixed places, with the profile they show.
// The main window and the command-line companion's picture rendering both
// build one, so a saved or rendered picture is what the window shows.

#include "display/bevel_panel.h"
#include "display/profile_chart.h"
#include "profile/profile_record.h"
#include "profile/report.h"

#include <QSize>
#include <QStringList>

#include <memory>
#include <optional>

class QPlainTextEdit;

namespace tavo {

class BarChart;
class DiagramImage;
class ResultsGrid;
struct LoadedResult;

class ResultPanel : public BevelPanel {
    Q_OBJECT
public:
    explicit ResultPanel(QWidget *parent = nullptr);

    // A panel for drawing results without a window: in the main window's
    // look (its form font and the button-face background), at this size, and
    // shown, so that its children count as visible, but never mapped anywhere.
    static std::unique_ptr<ResultPanel> offScreen(QSize size);

    // The children reach beyond the design client size 1014 × 692; in the
    // window the rest is cut off, a rendered sheet shows all of it.
    static constexpr QSize kDesignSize{1014, 692};
    static constexpr QSize kContentSize{1024, 721};
    static constexpr QSize kChartSize{1020, 424};
    static constexpr QSize kGridSize{184, 298};
    static constexpr QSize kPlotSize{322, 298}; // the diagram in its bevelled frame

    BarChart *const Chart;
    ResultsGrid *const sgResF;
    BevelPanel *const paPlot;
    DiagramImage *const imPlot;
    QPlainTextEdit *const meInfo;

    // A successful load: the report grows by its block (after whatever the
    // report holds, the user's edits included), the chart gets its title, and
    // the chart, diagram and grid show the new profile.
    void showResult(const LoadedResult &result);

    const ProfileRecord &profile() const { return profile_; }
    // The block the last load appended to the report, as it was appended
    // (or would have been, for a report out of sight).
    const QStringList &reportBlock() const;
    ProfileChart &profileChart() { return profileChart_; }

    // `ShowProfile`: the chart's series, then the circular diagram.
    void ShowProfile();
    // `FillResultsGrid`.
    void FillResultsGrid();
public slots:
    // The panel's own wiring, made once by its constructor: the threshold
    // field and the chart's clicks reach these, whoever shows the panel.

    // `seDeltaChange`: the grid repainted at once, then the differences
    // refilled in threshold colours.
    void seDeltaChange();
    // `Series1Click`..`Series3Click`: a left click on a bar shows or hides
    // its series' marks.
    void Series1Click(int index, Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint position);
    void Series2Click(int index, Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint position);
    void Series3Click(int index, Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint position);
    // `ChartClickBackground`: a left click away from the bars hides or shows
    // the legend panel.
    void ChartClickBackground(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint position);

private:
    void showReportFrom(int line);

    ProfileRecord profile_;
    TextLines reportText_; // the last load's block, cp1251
    // reportText_ as text, made when first needed: a report out of sight
    // (pictures of the chart alone) needs none.
    mutable std::optional<QStringList> reportBlock_;
    ProfileChart profileChart_;
};

} // namespace tavo
