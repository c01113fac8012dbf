// Save > Analysis and Save > Plot: the report as cp1251 text and the chart
// as a GIF picture, under a name the user confirms.

#include "app/app_folder.h"
#include "app/error_box.h"
#include "app/main_window.h"
#include "display/bar_chart.h"
#include "display/result_panel.h"
#include "export/gif_file.h"
#include "export/report_file.h"
#include "display/cp1251_qstring.h"

#include <QImage>
#include <QPlainTextEdit>

namespace tavo {

namespace {

QString subjectName(const ResultPanel &panel)
{
    return fromCp1251(panel.profile().subjectName);
}

} // namespace

void TForm1::mmAnalysisClick()
{
    SaveDialog.title = QStringLiteral("Запись мотивационного профиля в rtf.файл");
    SaveDialog.fileName = suggestedReportName(resultsFolder(dataFolder(applicationFolder_)), subjectName(*paTest));
    const std::optional<QString> path = fileChooser_.chooseFileToSave(this, SaveDialog);
    if (!path)
        return;
    if (const auto error = saveReportFile(*path, meInfo->toPlainText()))
        showErrorBox(this, error->message);
}

void TForm1::mmPlotClick()
{
    SaveDialog.title = QStringLiteral("Запись мотивационного профиля в файл.gif");
    SaveDialog.fileName = suggestedPictureName(resultsFolder(dataFolder(applicationFolder_)), subjectName(*paTest));
    const std::optional<QString> path = fileChooser_.chooseFileToSave(this, SaveDialog);
    if (!path)
        return;
    // The chart renders itself with its children as shown, so nothing that
    // happens to lie over it on the screen gets into the picture.
    if (const auto error = saveGifFile(*path, Chart->picture()))
        showErrorBox(this, error->message);
}

} // namespace tavo
