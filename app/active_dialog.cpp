#include "app/active_dialog.h"

#include <QDialog>
#include <QTimer>

namespace tavo {

int execActive(QDialog &dialog)
{
    // Runs once the dialog is shown, inside its own event loop. A native
    // dialog (Windows' file dialog) shows in place of the QDialog, which
    // stays off the screen: activating that would take the keyboard from
    // the dialog the user sees.
    QTimer::singleShot(0, &dialog, [&dialog] {
        if (dialog.isVisible() && !dialog.testAttribute(Qt::WA_DontShowOnScreen)) {
            dialog.raise();
            dialog.activateWindow();
        }
    });
    const int result = dialog.exec();
    if (QWidget *parent = dialog.parentWidget(); parent && parent->window()->isVisible())
        parent->window()->activateWindow();
    return result;
}

} // namespace tavo
