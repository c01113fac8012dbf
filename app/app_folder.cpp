#include "app/app_folder.h"

#include "app/install_layout.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

namespace tavo {

QString withTrailingSeparator(const QString &folder, QChar separator)
{
    if (folder.endsWith(separator))
        return folder;
    return folder + separator;
}

QString applicationFolder()
{
    return withTrailingSeparator(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
}

QString dataFolder(const QString &appFolder) { return dataFolder(appFolder, kInstalledDataFromBinary); }

QString dataFolder(const QString &appFolder, const QString &installedData)
{
    if (QFileInfo(appFolder + QStringLiteral("Data")).isDir())
        return appFolder;
    QString installed = withTrailingSeparator(QDir::toNativeSeparators(QDir::cleanPath(appFolder + installedData)));
    if (QFileInfo(installed + QStringLiteral("Data")).isDir())
        return installed;
    return appFolder;
}

QString helpFilePath(const QString &dataFolder) { return dataFolder + kHelpFileName; }

QString helpPagesFolder(const QString &dataFolder) { return dataFolder + QStringLiteral("help") + QDir::separator(); }

QString openDialogFolder(const QString &dataFolder) { return dataFolder + QStringLiteral("Data"); }

QString resultsFolder(const QString &dataFolder, const QString &documentsFolder)
{
    const QString own = dataFolder + QStringLiteral("Results");
    const QFileInfo ownInfo(own);
    if (ownInfo.isDir() && ownInfo.isWritable())
        return withTrailingSeparator(own);
    QString documents = withTrailingSeparator(QDir::toNativeSeparators(documentsFolder));
    const QString users = documents + kUserResultsFolderName;
    // Made now, so the save dialog opens in it; an existing one is kept.
    if (QDir().mkpath(users))
        return withTrailingSeparator(users);
    return documents;
}

QString resultsFolder(const QString &dataFolder)
{
    return resultsFolder(dataFolder, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

QString suggestedReportName(const QString &resultsFolder, const QString &subject)
{
    return resultsFolder + subject + QStringLiteral(" 12Fmod.rtf");
}

QString suggestedPictureName(const QString &resultsFolder, const QString &subject)
{
    return resultsFolder + subject + QStringLiteral(" 12Fmod.gif");
}

QString suggestedSheetName(const QString &resultsFolder, const QString &subject)
{
    return resultsFolder + subject + QStringLiteral(" 12Fmod.pdf");
}

} // namespace tavo
