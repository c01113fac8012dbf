#include "export/save_error.h"

namespace tavo {

QString cannotCreateFileMessage(const QString &fileName)
{
    return QStringLiteral("Cannot create file %1").arg(fileName);
}

} // namespace tavo
