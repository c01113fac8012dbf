#include "export/png_file.h"

#include <QBuffer>
#include <QByteArray>

namespace tavo {

std::optional<std::string> pngBytes(const QImage &picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (picture.isNull() || !buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG"))
        return std::nullopt;
    return bytes.toStdString();
}

std::optional<SaveError> savePngFile(const QString &fileName, const QImage &picture)
{
    const auto bytes = pngBytes(picture);
    if (!bytes)
        return SaveError{cannotCreateFileMessage(fileName)};
    return saveFileBytes(fileName, *bytes);
}

} // namespace tavo
