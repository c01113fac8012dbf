#pragma once
// The application folder (the executable's folder with a trailing separator)
// and the paths the commands build from it. The folder already ends with a
// separator, so names are appended directly.

#include <QChar>
#include <QDir>
#include <QString>

namespace tavo {

inline const QString kHelpFileName = QStringLiteral("TAVO.12F.chm");

// The folder with one trailing separator added unless it already has one.
QString withTrailingSeparator(const QString &folder, QChar separator = QDir::separator());

// The running executable's folder, in native separators, with its trailing one.
QString applicationFolder();

QString helpFilePath(const QString &appFolder);
// Where the open dialog starts: no separator after "Data".
QString openDialogFolder(const QString &appFolder);
// appFolder + "Results" + separator + subject + " 12Fmod.rtf"/".gif"; the
// subject goes in verbatim.
QString suggestedReportName(const QString &appFolder, const QString &subject,
                            QChar separator = QDir::separator());
QString suggestedPictureName(const QString &appFolder, const QString &subject,
                             QChar separator = QDir::separator());
// The same for the result sheet: " 12Fmod.pdf".
QString suggestedSheetName(const QString &appFolder, const QString &subject, QChar separator = QDir::separator());

} // namespace tavo
