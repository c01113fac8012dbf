#include "app/app_folder.h"

#include <QCoreApplication>

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

QString helpFilePath(const QString &appFolder)
{
    return appFolder + kHelpFileName;
}

QString openDialogFolder(const QString &appFolder)
{
    return appFolder + QStringLiteral("Data");
}

namespace {

QString suggestedResultName(const QString &appFolder, const QString &subject, QChar separator,
                            const QString &ending)
{
    return appFolder + QStringLiteral("Results") + separator + subject + ending;
}

} // namespace

QString suggestedReportName(const QString &appFolder, const QString &subject, QChar separator)
{
    return suggestedResultName(appFolder, subject, separator, QStringLiteral(" 12Fmod.rtf"));
}

QString suggestedPictureName(const QString &appFolder, const QString &subject, QChar separator)
{
    return suggestedResultName(appFolder, subject, separator, QStringLiteral(" 12Fmod.gif"));
}

QString suggestedSheetName(const QString &appFolder, const QString &subject, QChar separator)
{
    return suggestedResultName(appFolder, subject, separator, QStringLiteral(" 12Fmod.pdf"));
}

} // namespace tavo
