// Paths built from the application folder, and the open dialog's filters.
#include "app/app_folder.h"
#include "app/file_chooser.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

using namespace tavo;

TEST(ApplicationFolder, PathsJoinTheFolderAndTheNameWithNoExtraSeparator)
{
    const struct {
        const char *label;
        QString actual;
        QString expected;
    } cases[] = {
        {"help, Windows", helpFilePath(QStringLiteral("C:\\Tests\\")), QStringLiteral("C:\\Tests\\TAVO.12F.chm")},
        {"help, Linux", helpFilePath(QStringLiteral("/opt/tavo12f/")), QStringLiteral("/opt/tavo12f/TAVO.12F.chm")},
        {"open folder", openDialogFolder(QStringLiteral("C:\\A\\")), QStringLiteral("C:\\A\\Data")},
        {"report, Windows", suggestedReportName(QStringLiteral("C:\\A\\"), QStringLiteral("X"), QLatin1Char('\\')),
         QStringLiteral("C:\\A\\Results\\X 12Fmod.rtf")},
        {"picture, Linux",
         suggestedPictureName(QStringLiteral("/opt/t/"), QStringLiteral(" Иванова А. "), QLatin1Char('/')),
         QStringLiteral("/opt/t/Results/ Иванова А.  12Fmod.gif")},
        {"report, no subject yet", suggestedReportName(QStringLiteral("C:\\A\\"), QString(), QLatin1Char('\\')),
         QStringLiteral("C:\\A\\Results\\ 12Fmod.rtf")},
        {"picture, no subject yet", suggestedPictureName(QStringLiteral("/b/"), QString(), QLatin1Char('/')),
         QStringLiteral("/b/Results/ 12Fmod.gif")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(c.actual, c.expected);
    }
}

TEST(ApplicationFolder, EndsWithExactlyOneSeparator)
{
    EXPECT_EQ(withTrailingSeparator(QStringLiteral("/usr/bin"), QLatin1Char('/')), QStringLiteral("/usr/bin/"));
    EXPECT_EQ(withTrailingSeparator(QStringLiteral("/"), QLatin1Char('/')), QStringLiteral("/"));
    EXPECT_EQ(withTrailingSeparator(QStringLiteral("C:\\"), QLatin1Char('\\')), QStringLiteral("C:\\"));
    EXPECT_EQ(withTrailingSeparator(QStringLiteral("C:\\Tests"), QLatin1Char('\\')), QStringLiteral("C:\\Tests\\"));
    // In the system's own spelling: backslashes on Windows.
    EXPECT_EQ(applicationFolder(), QDir::toNativeSeparators(QCoreApplication::applicationDirPath()) + QDir::separator());
}

TEST(OpenDialogFilter, EachPairBecomesOneQtFilterMatchingItsPattern)
{
    EXPECT_EQ(qtNameFilters(QStringLiteral("Data files (*.CRY)|*.cry|Data files (*.TXT)|*.txt")),
              (QStringList{QStringLiteral("Data files (*.CRY) (*.cry)"), QStringLiteral("Data files (*.TXT) (*.txt)")}));
    EXPECT_EQ(qtNameFilters(QStringLiteral("All|*")), QStringList{QStringLiteral("All (*)")});
    // A description without its pattern is dropped rather than matching nothing.
    EXPECT_EQ(qtNameFilters(QStringLiteral("All|*|Orphan")), QStringList{QStringLiteral("All (*)")});
    EXPECT_TRUE(qtNameFilters(QString()).isEmpty());
}
