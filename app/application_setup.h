#pragma once
// The program's start-up settings: its title and the look of its windows.

#include <QString>

namespace tavo {

inline const QString kApplicationTitle = QStringLiteral("TAVO.12Fmod.An");

// Sets the application title (the name the error box shows as its caption)
// and the font substitutions. Call once after the QApplication exists.
void setUpApplication();

} // namespace tavo
