// The names the two save commands suggest, and capturing the chart's area.
#include "export/save_names.h"
#include "export/screen_capture.h"

#include "profile/cp1251_literal.h"

#include <QCoreApplication>
#include <QDir>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

using namespace tavo;

TEST(SaveNames, FolderResultsSubjectAndEnding)
{
    const QString sep = QDir::separator();
    const struct {
        const char *name;
        QString folder;
        std::string subject; // cp1251
        QString report;
    } cases[] = {
        {"plain", QStringLiteral("/opt/tavo/"), "X", "/opt/tavo/Results" + sep + "X 12Fmod.rtf"},
        {"Cyrillic subject", QStringLiteral("/opt/tavo/"), std::string("Иванов И.И."_cp1251),
         "/opt/tavo/Results" + sep + QString::fromUtf8("Иванов И.И. 12Fmod.rtf")},
        {"blanks kept verbatim", QStringLiteral("/a/"), "  Petrov  A ", "/a/Results" + sep + "  Petrov  A  12Fmod.rtf"},
        {"nothing loaded yet", QStringLiteral("/a/"), "", "/a/Results" + sep + " 12Fmod.rtf"},
        {"characters a name may not hold", QStringLiteral("/a/"), "a/b:c", "/a/Results" + sep + "a/b:c 12Fmod.rtf"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(suggestedReportFileName(c.folder, c.subject), c.report);
        QString picture = c.report;
        picture.replace(QStringLiteral(".rtf"), QStringLiteral(".gif"));
        EXPECT_EQ(suggestedPictureFileName(c.folder, c.subject), picture);
    }
}

TEST(SaveNames, DialogTitles)
{
    EXPECT_EQ(reportSaveDialogTitle(), QString::fromUtf8("Запись мотивационного профиля в rtf.файл"));
    EXPECT_EQ(pictureSaveDialogTitle(), QString::fromUtf8("Запись мотивационного профиля в файл.gif"));
}

// The picture is the chart's area as shown, child controls included.
TEST(ScreenCapture, WidgetAreaWithItsChildren)
{
    QWidget window;
    window.setGeometry(40, 30, 300, 200);
    window.setStyleSheet(QStringLiteral("background: rgb(0, 0, 255)"));
    window.setAutoFillBackground(true);
    auto *chart = new QWidget(&window);
    chart->setGeometry(20, 10, 120, 90);
    chart->setStyleSheet(QStringLiteral("background: rgb(255, 0, 255)"));
    chart->setAutoFillBackground(true);
    auto *legend = new QWidget(chart);
    legend->setGeometry(0, 0, 30, 20);
    legend->setStyleSheet(QStringLiteral("background: rgb(255, 255, 255)"));
    legend->setAutoFillBackground(true);
    window.show();

    const QImage picture = captureWidgetOnScreen(*chart);
    ASSERT_EQ(picture.size(), QSize(120, 90) * chart->devicePixelRatio());
    EXPECT_EQ(picture.pixelColor(5, 5), QColor(255, 255, 255));
    EXPECT_EQ(picture.pixelColor(60, 45), QColor(255, 0, 255));
    EXPECT_EQ(picture.pixelColor(119, 89), QColor(255, 0, 255));
}

// What covers the chart on the screen is in the picture in its place.
TEST(ScreenCapture, WindowLyingOverTheAreaIsInThePicture)
{
    QWidget chart;
    chart.setGeometry(40, 30, 300, 200);
    chart.setStyleSheet(QStringLiteral("background: rgb(0, 0, 255)"));
    chart.setAutoFillBackground(true);
    chart.show();
    QWidget cover;
    cover.setGeometry(100, 60, 50, 50);
    cover.setStyleSheet(QStringLiteral("background: rgb(255, 0, 0)"));
    cover.setAutoFillBackground(true);
    cover.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&cover));
    QCoreApplication::processEvents();

    const QImage picture = CaptureScreenRect(QRect(40, 30, 300, 200));
    if (picture.isNull())
        GTEST_SKIP() << "this platform cannot read the screen";
    ASSERT_EQ(picture.size(), QSize(300, 200));
    EXPECT_EQ(picture.pixelColor(5, 5), QColor(0, 0, 255));
    EXPECT_EQ(picture.pixelColor(70, 40), QColor(255, 0, 0));
    EXPECT_EQ(picture.pixelColor(299, 199), QColor(0, 0, 255));
}
