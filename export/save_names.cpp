#include "export/save_names.h"

#include "export/text_codec.h"

#include <QDir>

namespace tavo {

namespace {

QString suggestedName(const QString &applicationFolder, std::string_view subject, QLatin1String ending)
{
    return applicationFolder + QStringLiteral("Results") + QDir::separator() + fromCp1251(subject) + ending;
}

} // namespace

QString suggestedReportFileName(const QString &applicationFolder, std::string_view subjectNameCp1251)
{
    return suggestedName(applicationFolder, subjectNameCp1251, QLatin1String(" 12Fmod.rtf"));
}

QString suggestedPictureFileName(const QString &applicationFolder, std::string_view subjectNameCp1251)
{
    return suggestedName(applicationFolder, subjectNameCp1251, QLatin1String(" 12Fmod.gif"));
}

QString reportSaveDialogTitle()
{
    return QStringLiteral("Запись мотивационного профиля в rtf.файл");
}

QString pictureSaveDialogTitle()
{
    return QStringLiteral("Запись мотивационного профиля в файл.gif");
}

} // namespace tavo
