#pragma once
// The application's standard error box: modal, the application title as
// caption, a stop icon and OK.

#include <QString>

class QWidget;

namespace tavo {

// A full stop is appended when the message's last character sorts after ".",
// so "Cannot open file x" gains one and "Disk full!" or "x." do not.
QString withClosingFullStop(const QString &message);

void showErrorBox(QWidget *parent, const QString &message);

} // namespace tavo
