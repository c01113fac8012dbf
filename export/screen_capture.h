#pragma once
// Copying what the screen shows, for the chart picture.

#include <QImage>
#include <QRect>

class QWidget;

namespace tavo {

// The screen's pixels inside screenRect (global coordinates), including any
// window that lies over it. Null when the platform cannot read the screen.
QImage CaptureScreenRect(const QRect &screenRect);

// The widget's area as the screen shows it now. Pending events are processed
// first, so what a just-closed dialog covered has been repainted. Where the
// platform cannot read the screen, the widget renders itself with its child
// controls instead.
QImage captureWidgetOnScreen(QWidget &widget);

} // namespace tavo
