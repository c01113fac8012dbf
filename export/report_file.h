#pragma once
// Save > Analysis: the report area's text written as a plain cp1251 text file.

#include "export/save_error.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace tavo {

// The bytes of the report file for the text of the report area (as
// QPlainTextEdit::toPlainText() gives it). Every logical line, the last one
// included, is followed by CR LF; an empty text has no lines and gives no
// bytes. "\n", "\r\n", a lone "\r" and U+2028/U+2029 each end a line, so a
// line the screen shows wrapped stays one line. One byte per character in
// cp1251; characters cp1251 cannot hold become "?". No BOM, no markup.
QByteArray reportFileBytes(const QString &reportText);

// Writes reportFileBytes(reportText) to fileName, used exactly as given (no
// extension added), replacing a file of that name through saveFileBytes: a
// failure leaves an existing file as it was and no partial file behind.
[[nodiscard]] std::optional<SaveError> saveReportFile(const QString &fileName, const QString &reportText);

} // namespace tavo
