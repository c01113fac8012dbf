#pragma once
// The file names and dialog titles that Save > Analysis and Save > Plot offer.

#include <QString>

#include <string_view>

namespace tavo {

// applicationFolder (already ending in its separator) + "Results" + separator
// + the subject name (cp1251, used verbatim, blanks and all) + " 12Fmod.rtf".
// The separator is the platform's own: "/" here, "\" on Windows.
QString suggestedReportFileName(const QString &applicationFolder, std::string_view subjectNameCp1251);

// The same with " 12Fmod.gif".
QString suggestedPictureFileName(const QString &applicationFolder, std::string_view subjectNameCp1251);

// "Запись мотивационного профиля в rtf.файл"
QString reportSaveDialogTitle();
// "Запись мотивационного профиля в файл.gif"
QString pictureSaveDialogTitle();

} // namespace tavo
