// The Windows-only tests run on Qt's real "windows" platform, so the window
// has a native handle, a system menu and a place among the desktop's windows.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
