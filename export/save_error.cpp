#include "export/save_error.h"

#include "files/atomic_file.h"
#include "files/file_messages.h"

#include <filesystem>

namespace tavo {

QString cannotCreateFileMessage(const QString &fileName)
{
    return QString::fromStdString(cannotCreateFileMessage(fileName.toStdString()));
}

std::optional<SaveError> saveFileBytes(const QString &fileName, std::string_view bytes)
{
    const auto error = writeFileAtomically(std::filesystem::path(fileName.toStdU16String()), bytes);
    if (!error)
        return std::nullopt;
    return SaveError{QString::fromStdString(error->message)};
}

} // namespace tavo
