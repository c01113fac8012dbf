#pragma once
// What every window of the program shares: the application title, the fonts
// the forms name and their stand-ins where those fonts are missing.

#include <QFont>
#include <QString>

class QWidget;

namespace tavo {

inline const QString kApplicationTitle = QStringLiteral("TAVO.12Fmod.An");
inline constexpr int kHintHidePauseMs = 5000;

// Sets the application title (the name the error box shows as its caption)
// and the font substitutions. Call once after the QApplication exists.
void setUpApplication();

// "MS Sans Serif", 11 pixels: the default font of the program's windows.
QFont formFont();
// The look of the program's windows: the form font on the button-face colour.
void applyFormLook(QWidget &window);
QFont fontOfPixelSize(const QString &family, int pixels);

} // namespace tavo
