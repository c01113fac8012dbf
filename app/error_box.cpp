#include "app/error_box.h"

#include "app/active_dialog.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace tavo {

QString withClosingFullStop(const QString &message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void showErrorBox(QWidget *parent, const QString &message)
{
    QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(), withClosingFullStop(message),
                    QMessageBox::Ok, parent);
    execActive(box);
}

} // namespace tavo
