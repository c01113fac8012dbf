// Linux/X11 and other desktops without a Windows taskbar. There is no
// "Shell_TrayWnd" window here, so nothing is hidden and the work area, which
// the window manager owns, is left alone. Window managers offer no system-menu
// items to programs, so "О программе" becomes the last item of the menu bar and
// goes through the same command handler. Documents open with xdg-open, but
// only where the desktop names a default application for their type: xdg-open
// itself reports a missing viewer nowhere a user would see it.

#include "platform/platform.h"

#include <QAction>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QStyle>

namespace tavo {

namespace {

// What `xdg-mime query ARGS...` answers, or nothing when it fails.
QString askXdgMime(const QString &xdgMime, const QStringList &args)
{
    QProcess query;
    query.start(xdgMime, QStringList{QStringLiteral("query")} + args);
    if (!query.waitForFinished(5000)) {
        query.kill();
        query.waitForFinished();
        return {};
    }
    if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
}

// Whether the desktop names a default application for the file's type, asked
// the way xdg-open itself asks, so the answer holds for what it then does.
bool hasDefaultApplication(const QString &xdgMime, const QString &path)
{
    const QString type = askXdgMime(xdgMime, {QStringLiteral("filetype"), path}).section(QLatin1Char(';'), 0, 0);
    return !type.isEmpty() && !askXdgMime(xdgMime, {QStringLiteral("default"), type}).isEmpty();
}

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

    bool openDocument(const QString &path) override
    {
        if (!QFileInfo(path).isFile())
            return false;
        const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
        const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        if (xdgMime.isEmpty() || xdgOpen.isEmpty())
            return false;
        if (!hasDefaultApplication(xdgMime, path))
            return false;
        return QProcess::startDetached(xdgOpen, {path});
    }
};

} // namespace

std::unique_ptr<Platform> createPlatform() { return std::make_unique<DesktopPlatform>(); }

} // namespace tavo
