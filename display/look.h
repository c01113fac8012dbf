#pragma once
// The look the program's windows share: the fonts the forms name, with
// stand-ins where those fonts are missing, and the form colours.

#include <QFont>
#include <QString>

class QWidget;

namespace tavo {

// The classic Windows faces the forms name, mapped to metric-compatible
// stand-ins where they are not installed. Call once after the QApplication
// exists, before any window is built.
void installFontSubstitutions();

// Qt's offscreen platform reads fonts from files only, from Qt's own font
// folder unless QT_QPA_FONTDIR names another; a Windows Qt ships none, so
// every letter would be drawn as a box. On Windows this points it at the
// system's Fonts folder unless the variable is set; elsewhere it does
// nothing. Call before the QApplication is made.
void useSystemFontsOffscreen();

QFont fontOfPixelSize(const QString &family, int pixels);
// "MS Sans Serif", 11 pixels: the default font of the program's windows.
QFont formFont();
// The look of the program's windows: the form font on the button-face colour.
void applyFormLook(QWidget &window);

} // namespace tavo
