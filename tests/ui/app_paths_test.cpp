// Paths built from the application folder in the build tree's and the
// installed layout, where Save suggests its names, how the save dialog starts,
// and the open dialog's filters.
#include "app/app_folder.h"
#include "app/file_chooser.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

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
        {"report, Windows", suggestedReportName(QStringLiteral("C:\\A\\Results\\"), QStringLiteral("X")),
         QStringLiteral("C:\\A\\Results\\X 12Fmod.rtf")},
        {"picture, Linux", suggestedPictureName(QStringLiteral("/opt/t/Results/"), QStringLiteral(" Иванова А. ")),
         QStringLiteral("/opt/t/Results/ Иванова А.  12Fmod.gif")},
        {"report, no subject yet", suggestedReportName(QStringLiteral("C:\\A\\Results\\"), QString()),
         QStringLiteral("C:\\A\\Results\\ 12Fmod.rtf")},
        {"picture, no subject yet", suggestedPictureName(QStringLiteral("/b/Results/"), QString()),
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
    EXPECT_EQ(applicationFolder(),
              QDir::toNativeSeparators(QCoreApplication::applicationDirPath()) + QDir::separator());
}

TEST(OpenDialogFilter, EachPairBecomesOneQtFilterMatchingItsPattern)
{
    EXPECT_EQ(
        qtNameFilters(QStringLiteral("Data files (*.CRY)|*.cry|Data files (*.TXT)|*.txt")),
        (QStringList{QStringLiteral("Data files (*.CRY) (*.cry)"), QStringLiteral("Data files (*.TXT) (*.txt)")}));
    EXPECT_EQ(qtNameFilters(QStringLiteral("All|*")), QStringList{QStringLiteral("All (*)")});
    // A description without its pattern is dropped rather than matching nothing.
    EXPECT_EQ(qtNameFilters(QStringLiteral("All|*|Orphan")), QStringList{QStringLiteral("All (*)")});
    EXPECT_TRUE(qtNameFilters(QString()).isEmpty());
}

namespace {

QString folderOf(const QTemporaryDir &dir, const char *relative)
{
    return QDir::toNativeSeparators(dir.filePath(QLatin1String(relative))) + QDir::separator();
}

bool writeFileForTest(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("x") == 1;
}

bool makeFolders(const QTemporaryDir &dir, const QStringList &folders)
{
    for (const QString &folder : folders)
        if (!QDir(dir.path()).mkpath(folder))
            return false;
    return true;
}

} // namespace

TEST(DataFolder, BesideTheExecutableInAProgramFolderUnderShareWhenInstalled)
{
    const QString installed = QStringLiteral("../share/tavo12f");
    const struct {
        const char *name;
        QStringList folders;
        const char *expected;
    } cases[] = {
        {"build tree / program folder", {"prefix/bin/Data", "prefix/share/tavo12f/Data"}, "prefix/bin"},
        {"installed", {"prefix/bin", "prefix/share/tavo12f/Data", "prefix/share/tavo12f/help"}, "prefix/share/tavo12f"},
        {"neither: the executable's folder", {"prefix/bin", "prefix/share/tavo12f"}, "prefix/bin"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        ASSERT_TRUE(makeFolders(dir, c.folders));
        const QString appFolder = folderOf(dir, "prefix/bin");
        EXPECT_EQ(dataFolder(appFolder, installed), folderOf(dir, c.expected));
    }
    // This test program runs from the build tree's program folder.
    EXPECT_EQ(dataFolder(applicationFolder()), applicationFolder());
    EXPECT_TRUE(QFileInfo::exists(helpFilePath(dataFolder(applicationFolder()))));
    EXPECT_TRUE(QFileInfo::exists(helpPagesFolder(dataFolder(applicationFolder())) + QStringLiteral("index.html")));
}

TEST(ResultsFolder, TheProgramsOwnWhenWritableElseAFolderInTheUsersDocuments)
{
    QTemporaryDir dir;
    ASSERT_TRUE(makeFolders(dir, {"program/Results", "installed", "home/Documents"}));
    const QString documents = dir.filePath(QStringLiteral("home/Documents"));
    const QString users = folderOf(dir, "home/Documents/TAVO.12F Results");

    EXPECT_EQ(resultsFolder(folderOf(dir, "program"), documents), folderOf(dir, "program/Results"));
    EXPECT_FALSE(QFileInfo::exists(users)) << "nothing is made while the program's own folder serves";

    // Installed: no Results beside the data. The user's folder is made at
    // once, so the save dialog can open in it, and then kept as it is.
    EXPECT_EQ(resultsFolder(folderOf(dir, "installed"), documents), users);
    EXPECT_TRUE(QFileInfo(users).isDir());
    ASSERT_TRUE(writeFileForTest(users + QStringLiteral("kept.rtf")));
    EXPECT_EQ(resultsFolder(folderOf(dir, "installed"), documents), users);
    EXPECT_TRUE(QFileInfo::exists(users + QStringLiteral("kept.rtf")));

    // A missing documents folder is made along with it.
    const QString fresh = dir.filePath(QStringLiteral("newhome/Документы"));
    EXPECT_EQ(resultsFolder(folderOf(dir, "installed"), fresh),
              QDir::toNativeSeparators(fresh) + QDir::separator() + QStringLiteral("TAVO.12F Results") +
                  QDir::separator());

    // "Results" that is a file is no folder to save in.
    ASSERT_TRUE(writeFileForTest(dir.filePath(QStringLiteral("installed/Results"))));
    EXPECT_EQ(resultsFolder(folderOf(dir, "installed"), documents), users);

    // Where nothing can be made, the documents folder itself is offered.
    ASSERT_TRUE(writeFileForTest(dir.filePath(QStringLiteral("blocked"))));
    const QString blocked = dir.filePath(QStringLiteral("blocked"));
    EXPECT_EQ(resultsFolder(folderOf(dir, "installed"), blocked),
              QDir::toNativeSeparators(blocked) + QDir::separator());
}

TEST(SaveDialogStart, FolderAndNameApartTheFolderBeingOneThatExists)
{
    QTemporaryDir dir;
    ASSERT_TRUE(makeFolders(dir, {"Results"}));
    const QString root = QDir::toNativeSeparators(dir.path());
    const QString sep = QDir::separator();
    const struct {
        const char *name;
        QString suggested;
        QString folder;
        QString fileName;
    } cases[] = {
        {"existing folder", root + sep + "Results" + sep + "X 12Fmod.rtf", root + sep + "Results", "X 12Fmod.rtf"},
        {"missing folder", root + sep + "absent" + sep + "Results" + sep + "X 12Fmod.gif", root, "X 12Fmod.gif"},
        {"no subject yet", root + sep + "Results" + sep + " 12Fmod.rtf", root + sep + "Results", " 12Fmod.rtf"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const SaveDialogStart start = saveDialogStart(c.suggested);
        EXPECT_EQ(start.folder, c.folder);
        EXPECT_EQ(start.fileName, c.fileName);
    }
}

TEST(SaveDialogStart, ThePathConfirmedInTheDialogIsThePathReturned)
{
    QTemporaryDir dir;
    ASSERT_TRUE(makeFolders(dir, {"Data", "Results"}));
    const QString sep = QDir::separator();
    const QString before = QDir::currentPath();
    const struct {
        const char *name;
        QString suggested;
        QString expected;
    } cases[] = {
        {"suggested folder exists", dir.filePath("Results") + sep + "Иванова 12Fmod.rtf",
         dir.filePath("Results") + "/Иванова 12Fmod.rtf"},
        {"suggested folder missing", dir.filePath("gone") + sep + "Results" + sep + "Иванова 12Fmod.rtf",
         dir.path() + "/Иванова 12Fmod.rtf"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        // The dialog last stood elsewhere, as after an Open in Data.
        QDir::setCurrent(dir.filePath(QStringLiteral("Data")));
        QString shownFolder;
        QString shownName;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            shownFolder = dialog->directory().absolutePath();
            auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            if (!name) {
                dialog->reject();
                return;
            }
            shownName = name->text();
            QTest::keyClick(name, Qt::Key_Return);
        });
        QtFileChooser chooser;
        const std::optional<QString> path = chooser.chooseFileToSave(nullptr, {QStringLiteral("Save"), c.suggested});
        ASSERT_TRUE(path.has_value());
        EXPECT_EQ(*path, c.expected);
        EXPECT_EQ(shownFolder + QLatin1Char('/') + shownName, *path);
    }
    QDir::setCurrent(before);
}
