// Save > Analysis, Plot, PDF and Print…: the report as cp1251 text, the
// chart as a GIF picture and the result sheet as a PDF, under a name the user
// confirms, or the result sheet on a printer the user picks.

#include "app/app_folder.h"
#include "app/error_box.h"
#include "app/main_window.h"
#include "display/bar_chart.h"
#include "display/result_panel.h"
#include "display/result_sheet.h"
#include "export/gif_file.h"
#include "export/report_file.h"
#include "export/save_error.h"
#include "display/cp1251_qstring.h"

#include <QImage>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>

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

void TForm1::mmPdfClick()
{
    SaveDialog.title = QStringLiteral("Запись мотивационного профиля в файл.pdf");
    SaveDialog.fileName = suggestedSheetName(resultsFolder(dataFolder(applicationFolder_)), subjectName(*paTest));
    const std::optional<QString> path = fileChooser_.chooseFileToSave(this, SaveDialog);
    if (!path)
        return;
    const QByteArray pdf = resultSheetPdf({paTest});
    if (const auto error = saveFileBytes(*path, std::string_view(pdf.constData(), std::size_t(pdf.size()))))
        showErrorBox(this, error->message);
}

void TForm1::mmPrintClick()
{
    QPrinter printer;
    printer.setResolution(300); // as the saved PDF: finer only costs time
    printer.setFullPage(true); // the sheet keeps its own margins
    printer.setDocName(subjectName(*paTest) + QStringLiteral(" 12Fmod"));
    if (!fileChooser_.choosePrinter(this, printer))
        return;
    ResultSheet sheet(printer);
    sheet.add(*paTest);
}

} // namespace tavo
