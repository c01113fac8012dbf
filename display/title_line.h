#pragma once
// One line of the chart's title: centred, moved clear of the legend panel
// when too wide for that, and elided when it still does not fit.

#include <QRectF>
#include <QString>

class QFont;
class QPainter;

namespace tavo {

// Where a title line may go: the whole width of the chart less its margins,
// and the room it leaves on either side of the legend panel.
struct TitleRoom {
    QRectF whole;       // the band of the line, across the chart
    double legendRight; // where a line too wide to stay centred starts
};

// Paints the line with the painter's pen and font, measured as QFontMetricsF
// measures with `font`: centred in room.whole, or from room.legendRight on
// where it is wider than the room beside the legend, and elided at the right
// (QFontMetricsF::elidedText) where it is still too wide; painted as
// drawText(box, Qt::AlignHCenter | Qt::AlignTop, shown) paints it.
void paintTitleLine(QPainter &painter, const QFont &font, const TitleRoom &room, const QString &line);

} // namespace tavo
