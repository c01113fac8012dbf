#pragma once
// The one road of every save, in the window and the companion: the complete
// bytes of the file go to the checked writer (files/atomic_file.h), and its
// failure comes back as the one message the error box shows.

#include <QString>

#include <optional>
#include <string_view>

namespace tavo {

struct SaveError {
    // "Cannot create file <name>" or "Cannot write file <name>: <reason>",
    // one line, the name as given. The error box adds the closing full stop.
    QString message;
};

// "Cannot create file %s" with the name as given.
QString cannotCreateFileMessage(const QString &fileName);

// Makes `bytes` the whole content of the file `fileName`, or leaves an
// existing file as it was and reports why not.
[[nodiscard]] std::optional<SaveError> saveFileBytes(const QString &fileName, std::string_view bytes);

} // namespace tavo
