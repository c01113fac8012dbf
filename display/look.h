#pragma once
// The look the program's windows share, defined once: the fonts of every
// control, with stand-ins where the faces they name are missing, the
// conversion of the program's colours, and the form colours.

#include "geometry/palette.h"

#include <QColor>
#include <QFont>
#include <QPalette>

class QWidget;

namespace tavo {

// The classic Windows faces the forms name, mapped to metric-compatible
// stand-ins where they are not installed. Call once after the QApplication
// exists, before any window is built.
void installFontSubstitutions();

// The font naming outright the installed face Qt would draw it with: the
// first installed of its families and their substitutes. Asked for by a
// missing name, Qt searches the system's fallbacks for every new size first,
// which costs more than the rest of a window's start; named, the face is
// found at once and draws the same. Where none of them is installed the font
// is returned as it is, left to that search.
QFont withInstalledFamily(QFont font);

// Every font the program's controls use, with the installed face named.
enum class FontRole {
    Form,         // the windows' default: "MS Sans Serif", 11 pixels
    ChartTitle,   // the chart's title and axis titles
    ChartLabel,   // the value and factor labels
    ChartMark,    // the text of a bar's mark
    Caption,      // the legend's captions: a narrow sans face first
    MeanCaption,  // "Mean = +/-", the same face larger
    Threshold,    // the threshold field
    Grid,         // the results grid
    Report,       // the report
    DiagramLabel, // the circular diagram's spoke numbers, not smoothed
};
QFont fontFor(FontRole role);

QColor toQColor(Rgb colour);
// White light and gray dark sides, for the bevels drawn with qDrawShadePanel
// on the chart and its legend, whatever the desktop's colours.
QPalette chartBevelColours();

// Qt's offscreen platform reads fonts from files only, from Qt's own font
// folder unless QT_QPA_FONTDIR names another; a Windows Qt ships none, so
// every letter would be drawn as a box. On Windows this points it at the
// system's Fonts folder unless the variable is set; elsewhere it does
// nothing. Call before the QApplication is made.
void useSystemFontsOffscreen();

// The result panel's own light colours, built once: black text on white and
// button-face, whatever the desktop's theme, so the panel reads the same on a
// dark desktop.
const QPalette &resultPanelPalette();

// The look of the program's windows: the form font on the button-face colour.
void applyFormLook(QWidget &window);

} // namespace tavo
