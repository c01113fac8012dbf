#include "display/circular_diagram.h"

#include "display/look.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QLineF>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <utility>

namespace tavo {

namespace {

// Segments are cut to this margin around the picture before they reach the
// rasteriser, whose fixed-point arithmetic cannot take the coordinates of
// huge totals. The margin keeps the cut ends and their caps well off-picture.
constexpr long double kClipMargin = 1024;

// Liang–Barsky: cuts the segment a–b to the rectangle; false when nothing of
// it lies inside.
bool clipSegment(long double &x0, long double &y0, long double &x1, long double &y1, long double left, long double top,
                 long double right, long double bottom)
{
    const long double dx = x1 - x0;
    const long double dy = y1 - y0;
    long double t0 = 0;
    long double t1 = 1;
    const std::pair<long double, long double> edges[] = {
        {-dx, x0 - left}, {dx, right - x0}, {-dy, y0 - top}, {dy, bottom - y0}};
    for (const auto &[p, q] : edges) {
        if (p == 0) {
            if (q < 0)
                return false;
            continue;
        }
        const long double t = q / p;
        if (p < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const long double ax = x0 + t0 * dx, ay = y0 + t0 * dy;
    const long double bx = x0 + t1 * dx, by = y0 + t1 * dy;
    x0 = ax, y0 = ay, x1 = bx, y1 = by;
    return true;
}

void drawSegment(QPainter &painter, const CircularDiagramLayout &layout, DiagramPoint a, DiagramPoint b)
{
    const long double left = -kClipMargin, top = -kClipMargin;
    const long double right = layout.width + kClipMargin, bottom = layout.height + kClipMargin;
    const auto inside = [&](DiagramPoint p) { return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom; };
    if (inside(a) && inside(b)) {
        // The common case: whole pixels, exactly as computed.
        painter.drawLine(
            QLine(static_cast<int>(a.x), static_cast<int>(a.y), static_cast<int>(b.x), static_cast<int>(b.y)));
        return;
    }
    long double x0 = a.x, y0 = a.y, x1 = b.x, y1 = b.y;
    if (clipSegment(x0, y0, x1, y1, left, top, right, bottom))
        painter.drawLine(
            QLineF(static_cast<double>(x0), static_cast<double>(y0), static_cast<double>(x1), static_cast<double>(y1)));
}

void drawClosedPolygon(QPainter &painter, const CircularDiagramLayout &layout, const SpokePoints &points)
{
    for (std::size_t i = 0; i < points.size(); ++i)
        drawSegment(painter, layout, points[i], points[(i + 1) % points.size()]);
}

} // namespace

void paintCircularDiagram(QPainter &painter, const CircularDiagramLayout &layout)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setClipRect(0, 0, layout.width, layout.height);

    painter.fillRect(0, 0, layout.width, layout.height, toQColor(kWhite));

    // Square caps make one-pixel lines include both end pixels, so every
    // vertex is drawn whichever way the rasteriser walks a segment.
    QPen pen(toQColor(kBlack), 1, Qt::DashLine);
    pen.setCapStyle(Qt::SquareCap);
    painter.setPen(pen);
    drawClosedPolygon(painter, layout, layout.meanRing);

    pen.setStyle(Qt::SolidLine);
    painter.setPen(pen);
    drawClosedPolygon(painter, layout, layout.outerRing);

    // The labels use the picture's default font: the program's 11-pixel face.
    const QFont font = fontFor(FontRole::DiagramLabel);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    for (std::size_t i = 0; i < layout.labels.size(); ++i) {
        drawSegment(painter, layout, layout.centre, layout.outerRing[i]);
        const DiagramLabel &label = layout.labels[i];
        // drawText at a point takes the baseline; a rectangle puts the text's
        // top-left corner at the label's corner.
        const QString text = QString::fromStdString(label.text);
        const QRect box(static_cast<int>(label.corner.x), static_cast<int>(label.corner.y),
                        metrics.horizontalAdvance(text) + 1, metrics.height());
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
    }

    // Two-pixel lines get round ends so the separately drawn sides meet cleanly.
    pen.setWidth(2);
    pen.setCapStyle(Qt::RoundCap);
    pen.setColor(toQColor(kFuchsia));
    painter.setPen(pen);
    drawClosedPolygon(painter, layout, layout.ideal);

    pen.setColor(toQColor(kBlue));
    painter.setPen(pen);
    drawClosedPolygon(painter, layout, layout.real);

    painter.restore();
}

void DrawCircularDiagram(QImage &picture, const ProfileRecord &profile)
{
    if (picture.isNull())
        return;
    const CircularDiagramLayout layout =
        circularDiagramLayout(picture.width(), picture.height(), profile.ideal, profile.real);
    QPainter painter(&picture);
    paintCircularDiagram(painter, layout);
}

} // namespace tavo
