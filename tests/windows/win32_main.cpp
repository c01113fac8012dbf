// The Windows-only tests run on Qt's real "windows" platform, so the window
// has a native handle, a system menu and a place among the desktop's windows,
// and draws its text with the system's fonts, set up as main() sets them.
#include "app/application_setup.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    tavo::setUpApplication();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
