#pragma once
// The main window `TForm1`: the result panel with the chart, the grid, the
// circular diagram and the report, the main menu and the chart's popup menu.
// It wires commands to their handlers; the commands themselves live beside it.

#include "app/file_chooser.h"
#include "platform/platform.h"
#include "platform/taskbar_session.h"

#include <QMainWindow>

#include <cstdint>
#include <optional>

class QAction;
class QMenu;
class QMenuBar;
class QPlainTextEdit;

namespace tavo {

class BarChart;
class BevelPanel;
class DiagramImage;
class HelpWindow;
class HintHidePause;
class ResultPanel;
class ResultScrollArea;
class ResultsGrid;

inline const QString kMainWindowCaption =
    QStringLiteral("TAVO.12Fmod.An - Построение мотивационного профиля Зелю-Карбона (модификация Зовита Р.Е.)");

class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    // The platform and the file chooser must outlive the window.
    TForm1(Platform &platform, FileChooser &fileChooser, QWidget *parent = nullptr);
    ~TForm1() override;

    // The executable's folder with its trailing separator; set once here.
    const QString &applicationFolder() const { return applicationFolder_; }
    Platform &platform() { return platform_; }
    FileChooser &fileChooser() { return fileChooser_; }
    // The program's own help window, once Help has needed it.
    HelpWindow *helpWindow() const { return helpWindow_; }

    // The result panel with its controls, made the first time something needs
    // it (a load, a save command, a chart item): hidden until the first load,
    // it has no part in the window's start. Its controls below are null until
    // then.
    ResultPanel &resultPanel();

    // Controls, owned by the window; all but the menus live on the result
    // panel, which scrolls where the screen is too small for it.
    ResultScrollArea *paTestScroll = nullptr;
    ResultPanel *paTest = nullptr;
    BarChart *Chart = nullptr;
    ResultsGrid *sgResF = nullptr;
    BevelPanel *paPlot = nullptr;
    DiagramImage *imPlot = nullptr;
    QPlainTextEdit *meInfo = nullptr;

    QMenuBar *MainMenu1 = nullptr;
    QAction *mmOpen = nullptr;
    QMenu *mmSave = nullptr;
    QAction *mmAnalysis = nullptr;
    QAction *mmPlot = nullptr;
    QAction *mmPdf = nullptr;   // the result sheet as a PDF file
    QAction *mmPrint = nullptr; // the result sheet on a printer
    QAction *mmFactors = nullptr;

    QMenu *pmChart = nullptr;
    QAction *miPart1 = nullptr;
    QAction *miPart2 = nullptr;
    QAction *miDelta = nullptr;

    // Settings the commands give to the file chooser.
    OpenDialogSettings OpenDialog1;
    SaveDialogSettings SaveDialog;

signals:
    // The About command arrived from the system menu.
    void aboutRequested();

public slots:
    void mmOpenClick();
    void mmAnalysisClick();
    void mmPlotClick();
    void mmPdfClick();
    void mmPrintClick();
    void mmFactorsClick();

    void miPart1Click();
    void miPart2Click();
    void miDeltaClick();

    // Every system command of the window; the About command shows the box.
    void systemCommand(std::uintptr_t command);

    // Loads a result file and shows it, or shows why it could not: what the
    // Open command does once a file is chosen, and what a dropped file gets.
    void openResultFile(const QString &path);
    // Opens the files one after another, as that many Opens would: the
    // command line's files and several dropped at once.
    void openResultFiles(const QStringList &paths);

    // Puts the menu bar into keyboard mode on its first item, as Alt does.
    void enterMenuBar();

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void FormClose();
    void createControls();
    void createResultPanel();
    void createMenus();
    void createChartMenu();
    // The save dialog with this title, offering the results folder + the
    // subject's name as `suggestedName` makes it; the path the user confirms.
    std::optional<QString> askSavePath(const QString &title,
                                       QString (*suggestedName)(const QString &, const QString &));

    Platform &platform_;
    FileChooser &fileChooser_;
    TaskbarSession taskbar_;
    QString applicationFolder_;
    HintHidePause *hintPause_ = nullptr;
    HelpWindow *helpWindow_ = nullptr;
};

} // namespace tavo
