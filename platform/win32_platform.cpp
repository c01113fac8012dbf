// Windows: the real system-menu, taskbar, work-area and shell calls on the
// window's native handle. Results of the calls are ignored, as a failure only
// leaves the menu, the taskbar or the work area as they were.

#include "platform/platform.h"

#include <QDir>
#include <QWidget>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

namespace tavo {

namespace {

// Hands the window's WM_SYSCOMMAND messages to the program and always lets
// them go on to the window's own procedure, so move, size and close keep
// working. The window procedure itself is subclassed: an application-wide
// native event filter was never handed these messages (seen with Qt 6.4).
constexpr UINT_PTR kSysCommandSubclass = 1025;

LRESULT CALLBACK sysCommandProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data)
{
    if (message == WM_SYSCOMMAND)
        (*reinterpret_cast<Platform::CommandHandler *>(data))(static_cast<std::uintptr_t>(wParam));
    else if (message == WM_NCDESTROY)
        RemoveWindowSubclass(hwnd, sysCommandProc, id);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

HWND nativeHandle(QWidget &window) { return reinterpret_cast<HWND>(window.winId()); }

class Win32Platform final : public Platform {
public:
    ~Win32Platform() override { stopCommands(); }

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
            InsertMenuW(menu, 0xFFFF, MF_BYPOSITION, kAboutCommand, reinterpret_cast<LPCWSTR>(caption.utf16()));
        }
        stopCommands();
        onCommand_ = std::make_unique<CommandHandler>(std::move(onCommand));
        if (SetWindowSubclass(hwnd, sysCommandProc, kSysCommandSubclass, reinterpret_cast<DWORD_PTR>(onCommand_.get())))
            commandWindow_ = hwnd;
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

    ScreenSize screenSize() override { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

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
        const HINSTANCE result =
            ShellExecuteW(nullptr, nullptr, reinterpret_cast<LPCWSTR>(native.utf16()), nullptr, nullptr, SW_SHOWNORMAL);
        // Values above 32 mean the shell started a viewer.
        return reinterpret_cast<INT_PTR>(result) > 32;
    }

private:
    // The window may be gone already; its subclass went with it.
    void stopCommands()
    {
        if (commandWindow_ && IsWindow(commandWindow_))
            RemoveWindowSubclass(commandWindow_, sysCommandProc, kSysCommandSubclass);
        commandWindow_ = nullptr;
    }

    HWND commandWindow_ = nullptr;
    std::unique_ptr<CommandHandler> onCommand_;
};

} // namespace

std::unique_ptr<Platform> createPlatform() { return std::make_unique<Win32Platform>(); }

} // namespace tavo
