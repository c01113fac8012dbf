#include "export/screen_capture.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

namespace tavo {

QImage CaptureScreenRect(const QRect &screenRect)
{
    if (screenRect.isEmpty())
        return {};
    QScreen *screen = QGuiApplication::screenAt(screenRect.topLeft());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    // With no window, the offset is taken from the screen's own top-left.
    const QPoint origin = screen->geometry().topLeft();
    const QPixmap pixels = screen->grabWindow(0, screenRect.x() - origin.x(), screenRect.y() - origin.y(),
                                              screenRect.width(), screenRect.height());
    return pixels.toImage();
}

QImage captureWidgetOnScreen(QWidget &widget)
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    const QRect area(widget.mapToGlobal(QPoint(0, 0)), widget.size());
    QImage picture = CaptureScreenRect(area);
    if (picture.isNull())
        picture = widget.grab().toImage();
    return picture;
}

} // namespace tavo
