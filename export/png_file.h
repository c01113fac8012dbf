#pragma once
// The chart picture as a PNG file, for the companion's render command.

#include "export/save_error.h"

#include <QImage>
#include <QString>

#include <optional>
#include <string>

namespace tavo {

// The picture as a PNG file's bytes; nothing for an empty picture.
std::optional<std::string> pngBytes(const QImage &picture);

// Writes pngBytes(picture) under fileName through saveFileBytes.
[[nodiscard]] std::optional<SaveError> savePngFile(const QString &fileName, const QImage &picture);

} // namespace tavo
