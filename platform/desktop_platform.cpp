// Linux/X11 and other desktops without a Windows taskbar. There is no
// "Shell_TrayWnd" window here, so nothing is hidden and the work area, which
// the window manager owns, is left alone. Window managers offer no system-menu
// items to programs, so "О программе" becomes the last item of the menu bar and
// goes through the same command handler.

#include "platform/platform.h"

#include <QAction>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QUrl>

namespace tavo {

namespace {

class DesktopPlatform final : public Platform {
public:
    void addAboutItem(QWidget &window, CommandHandler onCommand) override
    {
        auto *mainWindow = qobject_cast<QMainWindow *>(&window);
        if (!mainWindow)
            return;
        QAction *about = mainWindow->menuBar()->addAction(
            window.style()->standardIcon(QStyle::SP_MessageBoxInformation), QStringLiteral("О программе"));
        about->setObjectName(QStringLiteral("miAbout"));
        QObject::connect(about, &QAction::triggered, &window,
                         [onCommand = std::move(onCommand)] { onCommand(kAboutCommand); });
    }

    void fixWindowBorder(QWidget &) override
    {
        // X11 has no portable hint for "maximizable but not resizable"; the
        // window is shown maximized and its controls keep fixed positions.
    }

    std::optional<TaskbarHandle> findTaskbar() override { return std::nullopt; }
    void setTaskbarVisible(TaskbarHandle, bool) override {}

    ScreenSize screenSize() override
    {
        const QScreen *screen = QGuiApplication::primaryScreen();
        if (!screen)
            return {};
        const QRect r = screen->geometry();
        return {r.width(), r.height()};
    }

    std::optional<ScreenRect> workArea() override
    {
        const QScreen *screen = QGuiApplication::primaryScreen();
        if (!screen)
            return std::nullopt;
        const QRect r = screen->availableGeometry();
        return ScreenRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    }

    void setWorkArea(const ScreenRect &) override {}

    void openDocument(const QString &path) override
    {
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
};

} // namespace

std::unique_ptr<Platform> createPlatform()
{
    return std::make_unique<DesktopPlatform>();
}

} // namespace tavo
