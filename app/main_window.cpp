#include "app/main_window.h"

#include "app/app_folder.h"
#include "app/app_icons.h"
#include "app/application_setup.h"
#include "app/help_window.h"
#include "display/look.h"
#include "display/bevel_panel.h"
#include "app/hint_hide_pause.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>

namespace tavo {

TForm1::TForm1(Platform &platform, FileChooser &fileChooser, QWidget *parent)
    : QMainWindow(parent), platform_(platform), fileChooser_(fileChooser), taskbar_(platform)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kMainWindowCaption);
    setWindowIcon(applicationIcon());
    applyFormLook(*this);

    createControls();
    createMenus();
    createChartMenu();
    FormCreate();

    // The restored size is the design client size, no more than the screen
    // holds: without a window manager to maximize it, the window must still
    // fit a small screen, where its panel scrolls. It opens maximized.
    QSize restored(1014, 692 + MainMenu1->sizeHint().height());
    if (const QScreen *shownOn = screen())
        restored = restored.boundedTo(shownOn->availableGeometry().size());
    resize(restored);
    setWindowState(Qt::WindowMaximized);
}

TForm1::~TForm1()
{
    // Whatever way the window goes, the desktop gets its taskbar back.
    taskbar_.end();
}

void TForm1::FormCreate()
{
    applicationFolder_ = tavo::applicationFolder();
    // Dialog settings the commands start from; they set title and name anew.
    OpenDialog1.title = QStringLiteral("Построение Мотивационного Профиля Зелю-Карбона");
    OpenDialog1.filter = QStringLiteral("Data files (*.CRY)|*.cry|Data files (*.TXT)|*.txt");
    OpenDialog1.filterIndex = 1;
    OpenDialog1.initialFolder = openDialogFolder(dataFolder(applicationFolder_));
    platform_.addAboutItem(*this, [this](std::uintptr_t command) { systemCommand(command); });
    platform_.fixWindowBorder(*this);
    hintPause_ = new HintHidePause(kHintHidePauseMs, this);
    qApp->installEventFilter(hintPause_);
    taskbar_.begin();
    // The report is empty: made with the result panel when first needed, it
    // starts so.
}

void TForm1::FormClose() { taskbar_.end(); }

void TForm1::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept();
}

void TForm1::systemCommand(std::uintptr_t command)
{
    if (command == kAboutCommand)
        emit aboutRequested();
}

void TForm1::enterMenuBar()
{
    // The menu bar enters keyboard mode on a lone Alt: pressed (seen as a
    // shortcut override by the window) and released. Qt reports the modifiers
    // of an Alt key event with Alt toggled, so the press is made without it.
    QKeyEvent press(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::NoModifier);
    QApplication::sendEvent(this, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    QApplication::sendEvent(this, &release);
}

void TForm1::mmFactorsClick()
{
    const QString data = dataFolder(applicationFolder_);
    // The desktop's viewer of the compiled help where there is one; the same
    // pages in the program's own window where there is none.
    if (platform_.openDocument(helpFilePath(data)))
        return;
    if (!helpWindow_)
        helpWindow_ = new HelpWindow(helpPagesFolder(data), this);
    helpWindow_->show();
    helpWindow_->raise();
    helpWindow_->activateWindow();
}

} // namespace tavo
