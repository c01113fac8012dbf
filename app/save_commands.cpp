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

QString subjectName(const ResultPanel &panel) { return fromCp1251(panel.profile().subjectName); }

} // namespace

std::optional<QString> TForm1::askSavePath(const QString &title,
                                           QString (*suggestedName)(const QString &, const QString &))
{
    SaveDialog.title = title;
    SaveDialog.fileName = suggestedName(resultsFolder(dataFolder(applicationFolder_)), subjectName(resultPanel()));
    return fileChooser_.chooseFileToSave(this, SaveDialog);
}

void TForm1::mmAnalysisClick()
{
    const auto path = askSavePath(QStringLiteral("Запись мотивационного профиля в rtf.файл"), &suggestedReportName);
    if (!path)
        return;
    if (const auto error = saveReportFile(*path, resultPanel().meInfo->toPlainText()))
        showErrorBox(this, error->message);
}

void TForm1::mmPlotClick()
{
    const auto path = askSavePath(QStringLiteral("Запись мотивационного профиля в файл.gif"), &suggestedPictureName);
    if (!path)
        return;
    // The chart renders itself with its children as shown, so nothing that
    // happens to lie over it on the screen gets into the picture.
    if (const auto error = saveGifFile(*path, resultPanel().Chart->picture()))
        showErrorBox(this, error->message);
}

void TForm1::mmPdfClick()
{
    const auto path = askSavePath(QStringLiteral("Запись мотивационного профиля в файл.pdf"), &suggestedSheetName);
    if (!path)
        return;
    const QByteArray pdf = resultSheetPdf({&resultPanel()});
    if (const auto error = saveFileBytes(*path, std::string_view(pdf.constData(), std::size_t(pdf.size()))))
        showErrorBox(this, error->message);
}

void TForm1::mmPrintClick()
{
    QPrinter printer;
    printer.setResolution(300); // as the saved PDF: finer only costs time
    printer.setFullPage(true);  // the sheet keeps its own margins
    printer.setDocName(subjectName(resultPanel()) + QStringLiteral(" 12Fmod"));
    if (!fileChooser_.choosePrinter(this, printer))
        return;
    ResultSheet sheet(printer);
    sheet.add(resultPanel());
}

} // namespace tavo
