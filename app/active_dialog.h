#pragma once
// Modal dialogs that hold the keyboard while they are shown. A window manager
// activates a new dialog and, when it closes, the window under it; where none
// runs (a bare X server, a kiosk), nothing would, and the keys would go
// nowhere. Native dialogs are left to the system.

class QDialog;

namespace tavo {

// Runs the dialog as QDialog::exec() does, active while it is shown; its
// parent's window is active again afterwards.
int execActive(QDialog &dialog);

} // namespace tavo
