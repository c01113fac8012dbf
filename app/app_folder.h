#pragma once
// The application folder (the executable's folder with a trailing separator)
// and the paths the commands build from it. Folders end with a separator, so
// names are appended directly.
//
// The program's data (samples, help, the Results folder) lies beside the
// executable in a program folder (the build tree's bin/, the Windows
// program), and under share/tavo12f/ when installed into a prefix's bin/.

#include <QChar>
#include <QDir>
#include <QString>

namespace tavo {

inline const QString kHelpFileName = QStringLiteral("TAVO.12F.chm");
// The folder of the user's documents that Save suggests when the program's
// own Results folder cannot take files.
inline const QString kUserResultsFolderName = QStringLiteral("TAVO.12F Results");

// The folder with one trailing separator added unless it already has one.
QString withTrailingSeparator(const QString &folder, QChar separator = QDir::separator());

// The running executable's folder, in native separators, with its trailing one.
QString applicationFolder();

// Where the program's data lies, with a trailing separator: appFolder when it
// holds "Data"; otherwise appFolder + installedData (the way from an
// installed executable's folder to the installed data) when that holds
// "Data"; appFolder when neither does.
QString dataFolder(const QString &appFolder);
QString dataFolder(const QString &appFolder, const QString &installedData);

QString helpFilePath(const QString &dataFolder);
// The help pages as HTML, for showing them without a viewer of the compiled file.
QString helpPagesFolder(const QString &dataFolder);
// Where the open dialog starts: no separator after "Data".
QString openDialogFolder(const QString &dataFolder);

// Where Save suggests its names, with a trailing separator: the data folder's
// "Results" when it is a folder that can be written to; otherwise
// documentsFolder/"TAVO.12F Results", created here when missing; when that
// cannot be made, documentsFolder itself.
QString resultsFolder(const QString &dataFolder, const QString &documentsFolder);
// resultsFolder() with the user's documents folder of this desktop.
QString resultsFolder(const QString &dataFolder);

// resultsFolder + subject + " 12Fmod.rtf"/".gif"/".pdf"; the subject goes in verbatim.
QString suggestedReportName(const QString &resultsFolder, const QString &subject);
QString suggestedPictureName(const QString &resultsFolder, const QString &subject);
QString suggestedSheetName(const QString &resultsFolder, const QString &subject);

} // namespace tavo
