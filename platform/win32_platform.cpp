// Windows: the real system-menu, taskbar, work-area and shell calls on the
// window's native handle. Results of the calls are ignored, as a failure only
// leaves the menu, the taskbar or the work area as they were.

#include "platform/platform.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QWidget>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <shellapi.h>

namespace tavo {

namespace {

// Hands the window's WM_SYSCOMMAND messages to the program and always lets
// them go on to the default handling, so move, size and close keep working.
class SysCommandFilter final : public QAbstractNativeEventFilter {
public:
    SysCommandFilter(HWND window, Platform::CommandHandler onCommand)
        : window_(window), onCommand_(std::move(onCommand))
    {
    }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        if (eventType != "windows_generic_MSG")
            return false;
        const auto *msg = static_cast<const MSG *>(message);
        if (msg->hwnd == window_ && msg->message == WM_SYSCOMMAND)
            onCommand_(static_cast<std::uintptr_t>(msg->wParam));
        return false;
    }

private:
    HWND window_;
    Platform::CommandHandler onCommand_;
};

HWND nativeHandle(QWidget &window)
{
    return reinterpret_cast<HWND>(window.winId());
}

class Win32Platform final : public Platform {
public:
    ~Win32Platform() override
    {
        if (filter_ && QCoreApplication::instance())
            QCoreApplication::instance()->removeNativeEventFilter(filter_.get());
    }

    void addAboutItem(QWidget &window, CommandHandler onCommand) override
    {
        const HWND hwnd = nativeHandle(window);
        const HMENU menu = GetSystemMenu(hwnd, FALSE);
        if (menu) {
            // MF_SEPARATOR alone makes 0xFFFF a command identifier that no item
            // has, so the separator goes to the end of the menu.
            InsertMenuA(menu, 0xFFFF, MF_SEPARATOR, kAboutCommand, "");
            // A position past the last item appends after the separator. The
            // wide call keeps the Russian caption intact whatever the ANSI code
            // page of the machine.
            static const QString caption = QStringLiteral("О программе");
            InsertMenuW(menu, 0xFFFF, MF_BYPOSITION, kAboutCommand,
                        reinterpret_cast<LPCWSTR>(caption.utf16()));
        }
        if (filter_)
            QCoreApplication::instance()->removeNativeEventFilter(filter_.get());
        filter_ = std::make_unique<SysCommandFilter>(hwnd, std::move(onCommand));
        QCoreApplication::instance()->installNativeEventFilter(filter_.get());
    }

    void fixWindowBorder(QWidget &window) override
    {
        // A single border: no sizing frame, but the maximize box stays.
        const HWND hwnd = nativeHandle(window);
        const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
        SetWindowLongPtrW(hwnd, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_THICKFRAME));
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }

    std::optional<TaskbarHandle> findTaskbar() override
    {
        const HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
        if (!taskbar)
            return std::nullopt;
        return reinterpret_cast<TaskbarHandle>(taskbar);
    }

    void setTaskbarVisible(TaskbarHandle taskbar, bool visible) override
    {
        ShowWindow(reinterpret_cast<HWND>(taskbar), visible ? SW_SHOWNORMAL : SW_HIDE);
    }

    ScreenSize screenSize() override
    {
        return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }

    std::optional<ScreenRect> workArea() override
    {
        RECT r{};
        if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0))
            return std::nullopt;
        return ScreenRect{static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right),
                          static_cast<int>(r.bottom)};
    }

    void setWorkArea(const ScreenRect &area) override
    {
        RECT r{area.left, area.top, area.right, area.bottom};
        SystemParametersInfoA(SPI_SETWORKAREA, 0, &r, SPIF_SENDCHANGE);
    }

    bool openDocument(const QString &path) override
    {
        // The wide call opens paths outside the ANSI code page as well.
        const QString native = QDir::toNativeSeparators(path);
        const HINSTANCE result = ShellExecuteW(nullptr, nullptr, reinterpret_cast<LPCWSTR>(native.utf16()),
                                               nullptr, nullptr, SW_SHOWNORMAL);
        // Values above 32 mean the shell started a viewer.
        return reinterpret_cast<INT_PTR>(result) > 32;
    }

private:
    std::unique_ptr<SysCommandFilter> filter_;
};

} // namespace

std::unique_ptr<Platform> createPlatform()
{
    return std::make_unique<Win32Platform>();
}

} // namespace tavo
