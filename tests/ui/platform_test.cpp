// The taskbar and work-area handling around a run, on the recording platform,
// and the desktop implementation's About item.
#include "app/main_window.h"
#include "platform/taskbar_session.h"
#include "recording_platform.h"
#include "scripted_file_chooser.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace tavo;
using tavo::testing::RecordingPlatform;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

const ScreenRect kFoundWorkArea{0, 0, 1280, 994};

} // namespace

TEST(TaskbarSession, WithTaskbarHidesItWidensWorkAreaAndRestoresBothOnEnd)
{
    RecordingPlatform platform;
    TaskbarSession session(platform);

    session.begin();
    EXPECT_THAT(platform.calls,
                ElementsAre("findTaskbar", "workArea", "hideTaskbar", "screenSize", "setWorkArea 0,0,1280,1024"));
    EXPECT_FALSE(platform.taskbarVisible);
    EXPECT_EQ(platform.currentWorkArea, (ScreenRect{0, 0, 1280, 1024}));

    platform.calls.clear();
    session.end();
    EXPECT_THAT(platform.calls, ElementsAre("findTaskbar", "showTaskbar", "setWorkArea 0,0,1280,994"));
    EXPECT_TRUE(platform.taskbarVisible);
    EXPECT_EQ(platform.currentWorkArea, kFoundWorkArea);
}

TEST(TaskbarSession, EndRunsOnlyOnce)
{
    RecordingPlatform platform;
    TaskbarSession session(platform);
    session.begin();
    session.end();
    platform.calls.clear();
    platform.currentWorkArea = ScreenRect{1, 2, 3, 4}; // someone else's later change

    session.end();
    EXPECT_THAT(platform.calls, IsEmpty());
    EXPECT_EQ(platform.currentWorkArea, (ScreenRect{1, 2, 3, 4}));
}

TEST(TaskbarSession, WorkAreaIsRestoredEvenIfTheTaskbarHasGoneByTheEnd)
{
    RecordingPlatform platform;
    TaskbarSession session(platform);
    session.begin();
    platform.taskbar.reset();
    platform.calls.clear();

    session.end();
    EXPECT_THAT(platform.calls, ElementsAre("findTaskbar", "setWorkArea 0,0,1280,994"));
    EXPECT_EQ(platform.currentWorkArea, kFoundWorkArea);
}

TEST(TaskbarSession, UnreadableWorkAreaIsWidenedButNotRestoredToAGuess)
{
    RecordingPlatform platform;
    platform.workAreaReadable = false;
    TaskbarSession session(platform);
    session.begin();
    EXPECT_FALSE(session.workAreaChanged());
    platform.calls.clear();

    session.end();
    EXPECT_THAT(platform.calls, ElementsAre("findTaskbar", "showTaskbar"));
}

TEST(MainWindowRun, StartUpAndCloseTalkToThePlatformInOrder)
{
    RecordingPlatform platform;
    tavo::testing::ScriptedFileChooser chooser;
    {
        TForm1 form(platform, chooser);
        EXPECT_THAT(platform.calls,
                    ElementsAre("addAboutItem", "fixWindowBorder", "findTaskbar", "workArea", "hideTaskbar",
                                "screenSize", "setWorkArea 0,0,1280,1024"));
        platform.calls.clear();
        form.show();
        EXPECT_TRUE(form.close());
        EXPECT_THAT(platform.calls, ElementsAre("findTaskbar", "showTaskbar", "setWorkArea 0,0,1280,994"));
        platform.calls.clear();
    }
    // Destroying the closed window repeats nothing.
    EXPECT_THAT(platform.calls, IsEmpty());
    EXPECT_TRUE(platform.taskbarVisible);
    EXPECT_EQ(platform.currentWorkArea, kFoundWorkArea);
}

TEST(MainWindowRun, WindowDestroyedWithoutCloseStillGivesTheTaskbarBack)
{
    RecordingPlatform platform;
    tavo::testing::ScriptedFileChooser chooser;
    {
        TForm1 form(platform, chooser);
    }
    EXPECT_TRUE(platform.taskbarVisible);
    EXPECT_EQ(platform.currentWorkArea, kFoundWorkArea);
}

TEST(MainWindowRun, WithoutTaskbarNeitherStartNorCloseTouchesTheDesktop)
{
    RecordingPlatform platform;
    platform.taskbar.reset();
    tavo::testing::ScriptedFileChooser chooser;
    TForm1 form(platform, chooser);
    form.show();
    form.close();
    EXPECT_THAT(platform.calls, ElementsAre("addAboutItem", "fixWindowBorder", "findTaskbar", "findTaskbar"));
    EXPECT_EQ(platform.currentWorkArea, kFoundWorkArea);
}

// Windows' own platform is tested against the real window in tests/windows.
#ifndef Q_OS_WIN
TEST(DesktopPlatform, HasNoTaskbarAndAppendsTheAboutItemToTheMenuBar)
{
    const auto platform = createPlatform();
    EXPECT_FALSE(platform->findTaskbar().has_value());

    QMainWindow window;
    window.menuBar()->addAction(QStringLiteral("Open"));
    std::vector<std::uintptr_t> commands;
    platform->addAboutItem(window, [&](std::uintptr_t command) { commands.push_back(command); });

    const QList<QAction *> items = window.menuBar()->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items.back()->text(), QStringLiteral("О программе"));
    items.back()->trigger();
    items.back()->trigger();
    EXPECT_THAT(commands, ElementsAre(kAboutCommand, kAboutCommand));
}
#endif
