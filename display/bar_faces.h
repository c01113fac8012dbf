#pragma once
// The chart's bar faces and bevels painted as Qt paints them, for a fraction
// of the work: the chart paints dozens of them in every picture.

#include <QColor>

class QImage;
class QPainter;
class QPalette;
class QPolygonF;
class QRect;

namespace tavo {

// Whether the painter moves what it paints by whole device pixels only,
// scaling and turning nothing.
bool movesByWholePixels(const QPainter &painter);

// The image a raster painter paints into pixel for pixel: Format_RGB32 or
// Format_ARGB32_Premultiplied at one device pixel a pixel, the painter moving
// what it paints by whole pixels only. Null for any other painter.
const QImage *imagePaintedOneToOne(const QPainter &painter);

// drawPolygon(face) with the painter's pen and brush. A face on whole pixels
// shaped like a bar's front (a rectangle), side or top (a parallelogram
// slanting back at 45°) is filled rather than traced, and set straight into
// the image's pixels where the painter would put its colours there as they
// are.
void paintBarFace(QPainter &painter, const QPolygonF &face);

struct BarColours {
    QColor edge; // the pen of every face
    QColor side;
    QColor top;
    QColor front;
};

// A bar's side, top and front, each in its colour and edged in the edge
// colour, as drawPolygon paints them one after the other; the painter's pen
// and brush are left changed.
void paintBar(QPainter &painter, const QPolygonF &side, const QPolygonF &top, const QPolygonF &front,
              const BarColours &colours);

// qDrawShadePanel one pixel wide: where the painter puts its opaque colours
// on whole pixels as they are, its four edges are filled rather than traced.
void paintShadePanel(QPainter &painter, const QRect &rect, const QPalette &colours, bool sunken);

} // namespace tavo
