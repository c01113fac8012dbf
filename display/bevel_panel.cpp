#include "display/bevel_panel.h"

#include <QPainter>
#include <qdrawutil.h>

namespace tavo {

namespace {

// One-pixel edge: light on the top and left of a raised edge, dark on its
// bottom and right; the other way round for a lowered one.
void drawEdge(QPainter &painter, const QRect &r, Bevel bevel, const QPalette &palette)
{
    if (bevel == Bevel::None || r.width() < 2 || r.height() < 2)
        return;
    qDrawShadePanel(&painter, r, palette, bevel == Bevel::Lowered, 1);
}

} // namespace

BevelPanel::BevelPanel(QWidget *parent, Bevel outer, Bevel inner) : QWidget(parent), outer_(outer), inner_(inner)
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
