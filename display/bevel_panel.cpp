#include "display/bevel_panel.h"

#include <QPainter>

namespace tavo {

namespace {

// One-pixel edge: light on the top and left of a raised edge, dark on its
// bottom and right; the other way round for a lowered one.
void drawEdge(QPainter &painter, const QRect &r, Bevel bevel, const QPalette &palette)
{
    if (bevel == Bevel::None || r.width() < 2 || r.height() < 2)
        return;
    const QColor light = palette.color(QPalette::Light);
    const QColor dark = palette.color(QPalette::Dark);
    const QColor &topLeft = bevel == Bevel::Raised ? light : dark;
    const QColor &bottomRight = bevel == Bevel::Raised ? dark : light;
    painter.setPen(topLeft);
    painter.drawLine(r.left(), r.top(), r.right() - 1, r.top());
    painter.drawLine(r.left(), r.top(), r.left(), r.bottom() - 1);
    painter.setPen(bottomRight);
    painter.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    painter.drawLine(r.right(), r.top(), r.right(), r.bottom());
}

} // namespace

BevelPanel::BevelPanel(QWidget *parent, Bevel outer, Bevel inner)
    : QWidget(parent), outer_(outer), inner_(inner)
{
    setAutoFillBackground(true);
}

void BevelPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QRect r = rect();
    drawEdge(painter, r, outer_, palette());
    if (outer_ != Bevel::None)
        r.adjust(1, 1, -1, -1);
    drawEdge(painter, r, inner_, palette());
}

} // namespace tavo
