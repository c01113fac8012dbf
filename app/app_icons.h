#pragma once
// The program's pictures, drawn rather than shipped: the window icon (three
// bars in the profile colours on a white card) and the menu pictures.

#include <QByteArray>
#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QRectF>

#include <optional>
#include <vector>

class QStyle;

namespace tavo {

// One shape of the program's icon, on a 16 × 16 grid: a rounded rectangle,
// filled, perhaps outlined. The pixmaps and the SVG file are drawn from the
// same shapes, so the desktop's icon is the window's.
struct IconShape {
    QRectF rect;
    qreal radius = 0;
    QColor fill;
    std::optional<QColor> outline;
    qreal outlineWidth = 0;
};
std::vector<IconShape> profileIconShapes();

QPixmap profilePicture(int size);
// The icon as a scalable picture (SVG 1.1), for the desktop's icon theme.
QByteArray profileIconSvg();
QIcon applicationIcon();

struct MenuIcons {
    QIcon open;
    QIcon save;
    QIcon report;
    QIcon plot;
    QIcon sheet; // the result sheet: a page with the chart and the report
    QIcon print;
    QIcon help;
};
MenuIcons menuIcons(const QStyle &style);

} // namespace tavo
