// The names the two save commands suggest, and capturing the chart's area.
#include "export/save_names.h"
#include "export/screen_capture.h"

#include "profile/cp1251_literal.h"

#include <QCoreApplication>
#include <QDir>
#include <QTest>
#include <QWidget>

#include <memory>

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

// The picture is the chart's area as the screen shows it: its child controls,
// and a window lying over it in its place.
TEST(ScreenCapture, ChartAreaAsTheScreenShowsIt)
{
    const auto box = [](QWidget *parent, QRect geometry, const char *colour) {
        auto *w = new QWidget(parent);
        w->setGeometry(geometry);
        w->setStyleSheet(QStringLiteral("background: %1").arg(QLatin1String(colour)));
        w->setAutoFillBackground(true);
        return w;
    };
    std::unique_ptr<QWidget> window(box(nullptr, QRect(40, 30, 300, 200), "rgb(0, 0, 255)"));
    QWidget *chart = box(window.get(), QRect(20, 10, 120, 90), "rgb(255, 0, 255)");
    box(chart, QRect(0, 0, 30, 20), "rgb(255, 255, 255)"); // legend panel
    window->show();
    std::unique_ptr<QWidget> cover(box(nullptr, QRect(150, 80, 50, 50), "rgb(255, 0, 0)"));
    cover->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(cover.get()));

    const QImage picture = captureWidgetOnScreen(*chart);
    if (CaptureScreenRect(QRect(0, 0, 10, 10)).isNull())
        GTEST_SKIP() << "this platform cannot read the screen";
    ASSERT_EQ(picture.size(), QSize(120, 90));
    EXPECT_EQ(picture.pixelColor(5, 5), QColor(255, 255, 255));
    EXPECT_EQ(picture.pixelColor(40, 30), QColor(255, 0, 255));
    EXPECT_EQ(picture.pixelColor(100, 50), QColor(255, 0, 0)); // the cover starts at chart (90, 40)
    EXPECT_EQ(picture.pixelColor(119, 89), QColor(255, 0, 0));
    EXPECT_EQ(picture.pixelColor(80, 89), QColor(255, 0, 255));
}
