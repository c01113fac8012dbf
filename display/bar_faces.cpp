#include "display/bar_faces.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPalette>
#include <QPolygonF>
#include <QRegion>
#include <qdrawutil.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace tavo {

namespace {

bool whole(double v) { return std::floor(v) == v && std::abs(v) < 1e6; }

enum class FaceShape { Other, Front, Side, Top };

// A front face: corners top left, top right, bottom right, bottom left, wider
// and taller than nothing.
bool isFrontFace(const QPolygonF &face)
{
    const QPointF a = face[0], b = face[1], c = face[2], d = face[3];
    return a.y() == b.y() && b.x() == c.x() && c.y() == d.y() && d.x() == a.x() && b.x() > a.x() && c.y() > b.y();
}

// A side face: its front edge upright, from top to bottom, and the back edge
// as long, up and to the right by as much as it lies back.
bool isSideFace(const QPolygonF &face)
{
    const QPointF a = face[0], b = face[1], c = face[2], d = face[3];
    return b.x() - a.x() == a.y() - b.y() && b.x() > a.x() && c.x() == b.x() && d.x() == a.x() &&
        c.y() - b.y() == d.y() - a.y() && d.y() >= a.y();
}

// A top face: corners front left, front right, back right, back left; its
// front edge level, left to right, and the back edge as long, up and to the
// right by as much as it lies back.
bool isTopFace(const QPolygonF &face)
{
    const QPointF a = face[0], b = face[1], c = face[2], d = face[3];
    return a.y() == b.y() && b.x() > a.x() && c.x() - b.x() == b.y() - c.y() && c.x() > b.x() &&
        d.x() - a.x() == c.x() - b.x() && d.y() == c.y();
}

FaceShape shapeOf(const QPolygonF &face)
{
    if (face.size() != 4)
        return FaceShape::Other;
    for (const QPointF &corner : face)
        if (!whole(corner.x()) || !whole(corner.y()))
            return FaceShape::Other;
    if (isFrontFace(face))
        return FaceShape::Front;
    if (isSideFace(face))
        return FaceShape::Side;
    if (isTopFace(face))
        return FaceShape::Top;
    return FaceShape::Other;
}

// The pixels a face's corners enclose, ends included.
QRect boundsOf(const QPolygonF &face)
{
    const QRectF bounds = face.boundingRect();
    return QRect(QPoint(int(bounds.left()), int(bounds.top())), QPoint(int(bounds.right()), int(bounds.bottom())));
}

// Whether the painter paints a face of those bounds as the shortcuts below
// assume: opaque colours painted over what is there, fully, without
// antialiasing, moved by whole pixels only, and the face all inside the
// device.
bool paintsOnWholePixels(const QPainter &painter, const QRect &bounds, std::initializer_list<QColor> colours)
{
    if (!movesByWholePixels(painter) || painter.testRenderHint(QPainter::Antialiasing) ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver || painter.opacity() != 1 ||
        !painter.device())
        return false;
    for (const QColor &colour : colours)
        if (colour.alpha() != 255)
            return false;
    const QTransform device = painter.deviceTransform();
    return QRect(0, 0, painter.device()->width(), painter.device()->height())
        .contains(bounds.translated(int(device.dx()), int(device.dy())));
}

// The pixels of the image a raster painter paints into, where it would put
// a colour unchanged: fully opaque, one image pixel to one painted pixel, and
// nothing clipped.
class ImagePixels {
public:
    // The pixels under bounds (in the painter's coordinates), or nothing when
    // the painter would change or leave out any of them.
    static std::optional<ImagePixels> under(QPainter &painter, const QRect &bounds)
    {
        const QImage *image = imagePaintedOneToOne(painter);
        if (!image || painter.opacity() != 1)
            return std::nullopt;
        const QTransform transform = painter.deviceTransform();
        const QPoint offset(int(transform.dx()), int(transform.dy()));
        const QRect onImage = bounds.translated(offset);
        if (!image->rect().contains(onImage))
            return std::nullopt;
        if (painter.hasClipping() && !QRegion(bounds).subtracted(painter.clipRegion()).isEmpty())
            return std::nullopt;
        const QRegion systemClip = painter.paintEngine()->systemClip();
        if (!systemClip.isEmpty() && !QRegion(onImage).subtracted(systemClip).isEmpty())
            return std::nullopt;
        // The painter holds the image's bits already; reading them through
        // constBits does not copy them away from under it.
        return ImagePixels(const_cast<uchar *>(image->constBits()), image->bytesPerLine(), offset);
    }

    // Pixels left to right of row y, both ends included.
    void span(int left, int right, int y, QRgb colour) const
    {
        QRgb *out = reinterpret_cast<QRgb *>(bits_ + qsizetype(y + offset_.y()) * stride_) + offset_.x() + left;
        QRgb *const end = out + (right - left + 1);
#ifdef __SSE2__
        // Four pixels a store: a bar's front is rows of some forty.
        const __m128i four = _mm_set1_epi32(int(colour));
        for (; end - out >= 4; out += 4)
            _mm_storeu_si128(reinterpret_cast<__m128i *>(out), four);
#endif
        for (; out < end; ++out)
            *out = colour;
    }
    void column(int x, int top, int bottom, QRgb colour) const
    {
        for (int y = top; y <= bottom; ++y)
            span(x, x, y, colour);
    }
    // The 45° line from (x, y) over `run` pixels to the right and as many up.
    void risingLine(int x, int y, int run, QRgb colour) const
    {
        for (int j = 0; j <= run; ++j)
            span(x + j, x + j, y - j, colour);
    }

private:
    ImagePixels(uchar *bits, qsizetype stride, QPoint offset) : bits_(bits), stride_(stride), offset_(offset) {}

    uchar *bits_;
    qsizetype stride_;
    QPoint offset_;
};

// The edges of a face: bit i stands for the one from corner i to the next.
constexpr unsigned kAllEdges = 0xF;
constexpr unsigned edgeFrom(int corner) { return 1u << corner; }

// The face's pixels as drawPolygon sets them: pixels whose centres lie inside
// in the fill, the edges' pixels (a 45° edge's from end to end) over it.
void setFacePixels(const ImagePixels &pixels, FaceShape shape, const QPolygonF &face, unsigned edges, QRgb edge,
                   QRgb fill)
{
    const QPoint a = face[0].toPoint(), b = face[1].toPoint(), c = face[2].toPoint();
    switch (shape) {
    case FaceShape::Front:
        for (int y = a.y(); y <= c.y(); ++y) {
            if (y == a.y() || y == c.y() || c.x() - a.x() < 2) {
                pixels.span(a.x(), c.x(), y, edge);
            } else {
                pixels.span(a.x(), a.x(), y, edge);
                pixels.span(a.x() + 1, c.x() - 1, y, fill);
                pixels.span(c.x(), c.x(), y, edge);
            }
        }
        return;
    case FaceShape::Side: {
        // Front edge at x from top to bottom, lying back by depth.
        const int x = a.x(), top = a.y(), bottom = face[3].toPoint().y(), depth = b.x() - a.x();
        for (int y = top - depth + 1; y < bottom; ++y) {
            const int first = std::max(0, top - y), last = std::min(depth - 1, bottom - 1 - y);
            if (first <= last)
                pixels.span(x + first, x + last, y, fill);
        }
        if (edges & edgeFrom(0))
            pixels.risingLine(x, top, depth, edge);
        if (edges & edgeFrom(1))
            pixels.column(x + depth, top - depth, bottom - depth, edge);
        if (edges & edgeFrom(2))
            pixels.risingLine(x, bottom, depth, edge);
        if (edges & edgeFrom(3))
            pixels.column(x, top, bottom, edge);
        return;
    }
    case FaceShape::Top: {
        // Front edge from left to right at y, lying back by depth.
        const int left = a.x(), right = b.x(), y = a.y(), depth = c.x() - b.x();
        for (int j = depth; j >= 1; --j)
            pixels.span(left + j, right + j - 1, y - j, fill);
        if (edges & edgeFrom(0))
            pixels.span(left, right, y, edge);
        if (edges & edgeFrom(1))
            pixels.risingLine(right, y, depth, edge);
        if (edges & edgeFrom(2))
            pixels.span(left + depth, right + depth, y - depth, edge);
        if (edges & edgeFrom(3))
            pixels.risingLine(left, y, depth, edge);
        return;
    }
    case FaceShape::Other: break;
    }
}

// The same through the painter: the fill as drawPolygon fills it, slanting
// edges drawn as lines, upright and level ones filled.
void paintFaceThroughPainter(QPainter &painter, FaceShape shape, const QPolygonF &face, unsigned edges,
                             const QColor &edge, const QColor &fill)
{
    if (shape == FaceShape::Front) {
        const QPoint a = face[0].toPoint(), c = face[2].toPoint();
        // The edge's colour all over, then the inside within the edges.
        painter.fillRect(QRect(a, c), edge);
        if (c.x() - a.x() >= 2 && c.y() - a.y() >= 2)
            painter.fillRect(QRect(a + QPoint(1, 1), c - QPoint(1, 1)), fill);
        return;
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawPolygon(face);
    painter.setPen(QPen(edge, 1));
    for (int corner = 0; corner < 4; ++corner) {
        if (!(edges & edgeFrom(corner)))
            continue;
        const QPointF from = face[corner], to = face[(corner + 1) % 4];
        if (from.x() == to.x() || from.y() == to.y())
            painter.fillRect(QRect(QPoint(int(std::min(from.x(), to.x())), int(std::min(from.y(), to.y()))),
                                   QPoint(int(std::max(from.x(), to.x())), int(std::max(from.y(), to.y())))),
                             edge);
        else
            painter.drawLine(from, to);
    }
}

// One face in its fill colour, edged in the edge colour, leaving out the
// edges not asked for; barPixels, when there, are those under its whole bar.
void paintFace(QPainter &painter, const QPolygonF &face, const QColor &edge, const QColor &fill, unsigned edges,
               const std::optional<ImagePixels> &barPixels)
{
    const FaceShape shape = shapeOf(face);
    if (shape == FaceShape::Other || !paintsOnWholePixels(painter, boundsOf(face), {edge, fill})) {
        painter.setPen(QPen(edge, 1));
        painter.setBrush(fill);
        painter.drawPolygon(face);
        return;
    }
    const std::optional<ImagePixels> pixels = barPixels ? barPixels : ImagePixels::under(painter, boundsOf(face));
    if (pixels)
        setFacePixels(*pixels, shape, face, edges, edge.rgba(), fill.rgba());
    else
        paintFaceThroughPainter(painter, shape, face, edges, edge, fill);
}

} // namespace

bool movesByWholePixels(const QPainter &painter)
{
    const QTransform device = painter.deviceTransform();
    return device.type() <= QTransform::TxTranslate && whole(device.dx()) && whole(device.dy());
}

const QImage *imagePaintedOneToOne(const QPainter &painter)
{
    const QPaintEngine *engine = painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster || !movesByWholePixels(painter))
        return nullptr;
    const QPaintDevice *device = engine->paintDevice();
    if (!device || device->devType() != QInternal::Image)
        return nullptr;
    const auto *image = static_cast<const QImage *>(device);
    if ((image->format() != QImage::Format_RGB32 && image->format() != QImage::Format_ARGB32_Premultiplied) ||
        image->devicePixelRatio() != 1)
        return nullptr;
    return image;
}

void paintBarFace(QPainter &painter, const QPolygonF &face)
{
    const QPen pen = painter.pen();
    const QBrush brush = painter.brush();
    if (pen.style() != Qt::SolidLine || pen.widthF() != 1 || pen.brush().style() != Qt::SolidPattern ||
        brush.style() != Qt::SolidPattern) {
        painter.drawPolygon(face);
        return;
    }
    paintFace(painter, face, pen.color(), brush.color(), kAllEdges, std::nullopt);
    painter.setPen(pen);
    painter.setBrush(brush);
}

void paintBar(QPainter &painter, const QPolygonF &side, const QPolygonF &top, const QPolygonF &front,
              const BarColours &colours)
{
    // Edges that the faces painted next cover in the same colour are left
    // out: the side's front edge and the top's are the front face's, and the
    // side's top edge is the top face's.
    const bool hasFront = front.size() == 4 && isFrontFace(front);
    unsigned sideEdges = kAllEdges, topEdges = kAllEdges;
    if (side.size() == 4 && hasFront && front[1] == side[0] && front[2] == side[3])
        sideEdges &= ~edgeFrom(3);
    if (side.size() == 4 && top.size() == 4 && top[1] == side[0] && top[2] == side[1])
        sideEdges &= ~edgeFrom(0);
    if (top.size() == 4 && hasFront && front[0] == top[0] && front[1] == top[1])
        topEdges &= ~edgeFrom(0);
    // The pixels under the whole bar, looked up once for its three faces.
    std::optional<ImagePixels> pixels;
    const QRect bounds = boundsOf(side).united(boundsOf(top)).united(boundsOf(front));
    if (paintsOnWholePixels(painter, bounds, {colours.edge, colours.side, colours.top, colours.front}))
        pixels = ImagePixels::under(painter, bounds);
    paintFace(painter, side, colours.edge, colours.side, sideEdges, pixels);
    paintFace(painter, top, colours.edge, colours.top, topEdges, pixels);
    paintFace(painter, front, colours.edge, colours.front, kAllEdges, pixels);
}

void paintShadePanel(QPainter &painter, const QRect &r, const QPalette &colours, bool sunken)
{
    const QColor topLeft = (sunken ? colours.dark() : colours.light()).color();
    const QColor bottomRight = (sunken ? colours.light() : colours.dark()).color();
    if (r.width() < 2 || r.height() < 2 || !paintsOnWholePixels(painter, r, {topLeft, bottomRight}) ||
        painter.device()->devicePixelRatio() != 1) {
        qDrawShadePanel(&painter, r, colours, sunken, 1);
        return;
    }
    const int left = r.left(), top = r.top(), right = r.right(), bottom = r.bottom();
    painter.fillRect(QRect(QPoint(left, top), QPoint(right - 1, top)), topLeft);
    painter.fillRect(QRect(QPoint(left, top), QPoint(left, bottom - 1)), topLeft);
    painter.fillRect(QRect(QPoint(left, bottom), QPoint(right, bottom)), bottomRight);
    painter.fillRect(QRect(QPoint(right, top), QPoint(right, bottom - 1)), bottomRight);
}

} // namespace tavo
