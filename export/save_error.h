#pragma once
// The one failure of the two save commands: the file could not be written.

#include <QString>

namespace tavo {

struct SaveError {
    QString message; // "Cannot create file <name>", for the standard error box
};

// "Cannot create file %s" with the name exactly as given. The error box adds
// the closing full stop.
QString cannotCreateFileMessage(const QString &fileName);

} // namespace tavo
