#pragma once
// A platform for tests: it records every call in order, as text, and keeps a
// taskbar and a work area of its own that the calls change.

#include "platform/platform.h"

#include <QWidget>

#include <string>
#include <vector>

namespace tavo::testing {

class RecordingPlatform final : public Platform {
public:
    std::vector<std::string> calls;
    std::optional<TaskbarHandle> taskbar = TaskbarHandle{0x1234};
    bool taskbarVisible = true;
    ScreenSize screen{1280, 1024};
    std::optional<ScreenRect> currentWorkArea = ScreenRect{0, 0, 1280, 994};
    bool workAreaReadable = true;
    std::vector<QString> openedDocuments;
    bool documentsOpen = true; // whether the desktop has a viewer
    CommandHandler commandHandler;

    void addAboutItem(QWidget &, CommandHandler onCommand) override
    {
        calls.push_back("addAboutItem");
        commandHandler = std::move(onCommand);
    }
    void fixWindowBorder(QWidget &) override { calls.push_back("fixWindowBorder"); }
    std::optional<TaskbarHandle> findTaskbar() override
    {
        calls.push_back("findTaskbar");
        return taskbar;
    }
    void setTaskbarVisible(TaskbarHandle handle, bool visible) override
    {
        calls.push_back(visible ? "showTaskbar" : "hideTaskbar");
        if (taskbar && handle == *taskbar)
            taskbarVisible = visible;
    }
    ScreenSize screenSize() override
    {
        calls.push_back("screenSize");
        return screen;
    }
    std::optional<ScreenRect> workArea() override
    {
        calls.push_back("workArea");
        return workAreaReadable ? currentWorkArea : std::nullopt;
    }
    void setWorkArea(const ScreenRect &area) override
    {
        calls.push_back("setWorkArea " + describe(area));
        currentWorkArea = area;
    }
    bool openDocument(const QString &path) override
    {
        calls.push_back("openDocument");
        openedDocuments.push_back(path);
        return documentsOpen;
    }

    static std::string describe(const ScreenRect &r)
    {
        return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
            std::to_string(r.bottom);
    }
};

} // namespace tavo::testing
