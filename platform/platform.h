#pragma once
// The few desktop services the program needs beyond Qt: the About item of the
// window's system menu, the taskbar and the desktop work area, the screen size
// and opening a document with the desktop's default viewer. One implementation
// per desktop is chosen at build time; tests use a recording fake.

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace tavo {

// The system-menu command that shows the About box.
inline constexpr std::uintptr_t kAboutCommand = 1025;

// A rectangle in screen pixels, right and bottom exclusive, as the desktop
// work area is given.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const ScreenRect &) const = default;
};

struct ScreenSize {
    int width = 0;
    int height = 0;
    bool operator==(const ScreenSize &) const = default;
};

// Opaque handle of the desktop taskbar window.
using TaskbarHandle = std::uintptr_t;

class Platform {
public:
    using CommandHandler = std::function<void(std::uintptr_t command)>;

    virtual ~Platform() = default;

    // Adds "О программе" (command kAboutCommand) after a separator to the
    // window's system menu and delivers system commands of that window to
    // onCommand; the default handling of every command goes on as usual.
    virtual void addAboutItem(QWidget &window, CommandHandler onCommand) = 0;
    // Keeps the user from resizing the window by its border while it can
    // still be maximized, where the desktop allows that.
    virtual void fixWindowBorder(QWidget &window) = 0;

    virtual std::optional<TaskbarHandle> findTaskbar() = 0;
    virtual void setTaskbarVisible(TaskbarHandle taskbar, bool visible) = 0;

    virtual ScreenSize screenSize() = 0;
    virtual std::optional<ScreenRect> workArea() = 0;
    // Sets the work area and tells the other windows of the change.
    virtual void setWorkArea(const ScreenRect &area) = 0;

    // Opens a document with the desktop's default viewer. False when the
    // desktop has no viewer for it or could not start one, so the caller can
    // show the document another way.
    virtual bool openDocument(const QString &path) = 0;
};

// The implementation for the desktop this program was built for.
std::unique_ptr<Platform> createPlatform();

} // namespace tavo
