#include "display/bar_chart.h"

#include "display/legend_panel.h"
#include "display/threshold_field.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QMenu>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace tavo {

namespace {

// Margins are percent of the chart's size, as chart components count them.
constexpr double kMarginTop = 2, kMarginLeft = 1, kMarginRight = 2, kMarginBottom = 2;
constexpr double kDepthPercent = 13;  // of the plot's height, shared by the three rows
constexpr double kBarWidthPercent = 60; // of a slot
constexpr double kBarDepthPercent = 80; // of a row
constexpr double kTickLength = 4;
constexpr double kConnectorLength = 5;
constexpr double kMarkPadX = 3, kMarkPadY = 1;

const QColor kTitleColour(0, 0, 255);
const QColor kAxisTitleColour(0, 0, 128);
const QColor kGridColour(214, 214, 214);
const QColor kWallEdgeColour(150, 150, 150);
const QColor kMarkColour(255, 255, 128);

QFont arial(int pixelSize)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QFont titleFont() { return arial(16); }
QFont axisTitleFont() { return arial(16); }
QFont labelFont() { return arial(12); }
QFont markFont() { return arial(11); }

QColor toQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

std::size_t seriesIndex(ProfileSeries series) { return static_cast<std::size_t>(series); }

// Series3, the last of the list, stands in the front row.
int depthRow(ProfileSeries series) { return kSeriesCount - 1 - static_cast<int>(series); }

QColor shade(const QColor &colour, double factor)
{
    return QColor::fromRgbF(float(colour.redF() * factor), float(colour.greenF() * factor),
                            float(colour.blueF() * factor));
}

QColor tint(const QColor &colour, double towardsWhite)
{
    auto mix = [towardsWhite](float c) { return float(c + (1.0 - c) * towardsWhite); };
    return QColor::fromRgbF(mix(colour.redF()), mix(colour.greenF()), mix(colour.blueF()));
}

QString axisLabel(double value)
{
    return QString::number(static_cast<long long>(std::llround(value)));
}

} // namespace

BarChart::BarChart(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Chart"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_seriesColours = {toQColor(tavo::seriesColour(ProfileSeries::Series1)),
                       toQColor(tavo::seriesColour(ProfileSeries::Series2)),
                       toQColor(tavo::seriesColour(ProfileSeries::Series3))};
    m_title = {QStringLiteral("График")};

    m_legend = new LegendPanel(this);
    m_legend->installEventFilter(this); // the title makes room for it

    m_meanLabel = new QLabel(QStringLiteral("Mean = +/-"), this);
    m_meanLabel->setObjectName(QStringLiteral("Label2"));
    m_meanLabel->setGeometry(885, 394, 62, 16);
    QFont meanFont;
    // The narrow sans faces first where "MS Sans Serif" itself is missing.
    meanFont.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    meanFont.setPixelSize(13);
    m_meanLabel->setFont(meanFont);
    QPalette meanPalette = m_meanLabel->palette();
    meanPalette.setColor(QPalette::WindowText, QColor(128, 0, 0));
    m_meanLabel->setPalette(meanPalette);
    m_meanLabel->setAttribute(Qt::WA_NoMousePropagation);

    m_threshold = new ThresholdField(this);

    // Never shown; the loading may still write the label's caption.
    m_cryLabel = new QLabel(this);
    m_cryLabel->setObjectName(QStringLiteral("LabelCry"));
    m_cryLabel->setGeometry(104, 400, 39, 13);
    m_cryLabel->hide();
    m_gifHolder = new QLabel(this);
    m_gifHolder->setObjectName(QStringLiteral("RxGIF"));
    m_gifHolder->setGeometry(48, 383, 49, 41);
    m_gifHolder->hide();

    resize(1020, 424);
}

void BarChart::invalidate()
{
    m_layout.reset();
    update();
}

void BarChart::clearSeries(ProfileSeries series)
{
    m_points[seriesIndex(series)].clear();
    invalidate();
}

void BarChart::addPoint(ProfileSeries series, double x, double y, const QString &label, std::optional<QColor> colour)
{
    m_points[seriesIndex(series)].append(Point{x, y, label, colour});
    invalidate();
}

void BarChart::addPoint(ProfileSeries series, const BarPoint &point)
{
    std::optional<QColor> colour;
    if (point.colour)
        colour = toQColor(*point.colour);
    // Labels are numbers: ASCII, the same in cp1251 and Latin-1.
    addPoint(series, point.x, point.y, QString::fromLatin1(point.label.data(), qsizetype(point.label.size())), colour);
}

const QList<BarChart::Point> &BarChart::points(ProfileSeries series) const
{
    return m_points[seriesIndex(series)];
}

QColor BarChart::seriesColour(ProfileSeries series) const
{
    return m_seriesColours[seriesIndex(series)];
}

QColor BarChart::pointColour(ProfileSeries series, int index) const
{
    const Point &point = m_points[seriesIndex(series)].at(index);
    return point.colour.value_or(seriesColour(series));
}

void BarChart::setMarksVisible(ProfileSeries series, bool visible)
{
    m_marks[seriesIndex(series)] = visible;
    invalidate();
}

bool BarChart::marksVisible(ProfileSeries series) const
{
    return m_marks[seriesIndex(series)];
}

void BarChart::setTitle(const QStringList &lines)
{
    m_title = lines;
    invalidate();
}

void BarChart::setPopupMenu(QMenu *menu)
{
    m_popupMenu = menu;
}

bool BarChart::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_legend && (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent))
        update();
    return QWidget::eventFilter(watched, event);
}

void BarChart::resizeEvent(QResizeEvent *)
{
    m_layout.reset();
}

const BarChart::Layout &BarChart::layout() const
{
    if (!m_layout)
        m_layout = computeLayout();
    return *m_layout;
}

double BarChart::yOf(const Layout &l, double value) const
{
    const double span = l.scale.maximum - l.scale.minimum;
    return l.plot.bottom() - (value - l.scale.minimum) / span * l.plot.height();
}

BarChart::Layout BarChart::computeLayout() const
{
    Layout l;
    const double w = width(), h = height();
    const QFontMetricsF titleMetrics(titleFont());
    const QFontMetricsF axisTitleMetrics(axisTitleFont());
    const QFontMetricsF labelMetrics(labelFont());
    const QFontMetricsF markMetrics(markFont());

    const double left = 1 + w * kMarginLeft / 100;
    const double right = w - 1 - w * kMarginRight / 100;
    const double top = 1 + h * kMarginTop / 100;
    const double bottom = h - 1 - h * kMarginBottom / 100;

    const double titleBottom = top + titleMetrics.height() * double(m_title.size());

    // Vertical extent first: the value scale depends on the plot's height only.
    // Whole pixels throughout, so that every edge is crisp without smoothing.
    const double floorY = std::round(bottom - axisTitleMetrics.height() - 2 - labelMetrics.height() - kTickLength - 2);
    const double roughHeight = floorY - titleBottom - 6;
    l.depth = kSeriesCount * std::max(1.0, std::round(roughHeight * kDepthPercent / 100 / kSeriesCount));
    const double plotTop = std::round(titleBottom + 6 + l.depth);
    const double plotHeight = std::max(1.0, floorY - plotTop);

    double low = 0, high = 0;
    bool any = false;
    double xLow = 1, xHigh = kFactorCount;
    bool anyMarks = false;
    for (std::size_t s = 0; s < m_points.size(); ++s) {
        anyMarks = anyMarks || (m_marks[s] && !m_points[s].isEmpty());
        for (const Point &p : m_points[s]) {
            if (!std::isfinite(p.y) || !std::isfinite(p.x))
                continue;
            if (!any) {
                low = high = p.y;
                xLow = xHigh = p.x;
                any = true;
            }
            low = std::min(low, p.y);
            high = std::max(high, p.y);
            xLow = std::min(xLow, p.x);
            xHigh = std::max(xHigh, p.x);
        }
    }
    if (anyMarks) {
        // Room for the marks above the highest bar and below the lowest one.
        const double markPixels = kConnectorLength + markMetrics.height() + 2 * kMarkPadY + 2;
        const double span = std::max(high, 0.0) - std::min(low, 0.0);
        const double extra = span * markPixels / std::max(1.0, plotHeight - 2 * markPixels);
        if (high > 0)
            high += extra;
        if (low < 0)
            low -= extra;
    }
    const int maxIntervals = std::max(1, int(plotHeight / (labelMetrics.height() * 1.6)));
    l.scale = any ? niceAxisScale(low, high, maxIntervals) : AxisScale{};

    double labelWidth = 0;
    for (double v = l.scale.minimum; v <= l.scale.maximum + l.scale.step / 2; v += l.scale.step)
        labelWidth = std::max(labelWidth, labelMetrics.horizontalAdvance(axisLabel(v)));
    l.labelWidth = labelWidth;

    const double plotLeft = std::round(left + axisTitleMetrics.height() + 4 + labelWidth + 3 + kTickLength);
    const double plotRight = std::round(right - l.depth);
    l.plot = QRectF(QPointF(plotLeft, plotTop), QPointF(std::max(plotLeft + 1, plotRight), plotTop + plotHeight));

    l.xMin = xLow - 0.5;
    l.slot = l.plot.width() / (xHigh - xLow + 1);

    const double rowDepth = l.depth / kSeriesCount;
    const double barDepth = std::round(rowDepth * kBarDepthPercent / 100);
    const double barWidth = l.slot * kBarWidthPercent / 100;
    const double zeroY = yOf(l, 0);
    for (std::size_t s = 0; s < m_points.size(); ++s) {
        const auto series = static_cast<ProfileSeries>(s);
        const double z0 = depthRow(series) * rowDepth + std::floor((rowDepth - barDepth) / 2);
        const double z1 = z0 + barDepth;
        auto at = [](double x, double y, double z) { return QPointF(x + z, y - z); };
        for (int i = 0; i < m_points[s].size(); ++i) {
            const Point &p = m_points[s][i];
            const double value = std::isfinite(p.y) ? p.y : 0;
            const double centre = l.plot.left() + ((std::isfinite(p.x) ? p.x : 0) - l.xMin) * l.slot;
            const double x0 = std::round(centre - barWidth / 2), x1 = x0 + std::round(barWidth);
            const double yTop = std::round(std::min(zeroY, yOf(l, value)));
            const double yBottom = std::round(std::max(zeroY, yOf(l, value)));
            Bar bar;
            bar.colour = p.colour.value_or(m_seriesColours[s]);
            bar.faces.front = QPolygonF({at(x0, yTop, z0), at(x1, yTop, z0), at(x1, yBottom, z0), at(x0, yBottom, z0)});
            bar.faces.top = QPolygonF({at(x0, yTop, z0), at(x1, yTop, z0), at(x1, yTop, z1), at(x0, yTop, z1)});
            bar.faces.side = QPolygonF({at(x1, yTop, z0), at(x1, yTop, z1), at(x1, yBottom, z1), at(x1, yBottom, z0)});
            bar.downwards = value < 0;
            const double midZ = (z0 + z1) / 2;
            bar.markAnchor = bar.downwards ? at(centre, yBottom, z0) : at(centre, yTop, midZ);
            if (m_marks[s]) {
                const QSizeF text = markMetrics.size(Qt::TextSingleLine, p.label);
                const QSizeF box(std::ceil(text.width() + 2 * kMarkPadX), std::ceil(text.height() + 2 * kMarkPadY));
                const double boxTop = bar.downwards ? bar.markAnchor.y() + kConnectorLength
                                                    : bar.markAnchor.y() - kConnectorLength - box.height();
                bar.mark = QRectF(QPointF(std::round(bar.markAnchor.x() - box.width() / 2), std::round(boxTop)), box);
            }
            l.bars[s].append(bar);
        }
    }
    return l;
}

std::optional<BarChart::BarFaces> BarChart::barFaces(ProfileSeries series, int index) const
{
    const auto &bars = layout().bars[seriesIndex(series)];
    if (index < 0 || index >= bars.size())
        return std::nullopt;
    return bars[index].faces;
}

std::optional<QRectF> BarChart::markRect(ProfileSeries series, int index) const
{
    const auto &bars = layout().bars[seriesIndex(series)];
    if (!m_marks[seriesIndex(series)] || index < 0 || index >= bars.size())
        return std::nullopt;
    return bars[index].mark;
}

std::optional<BarChart::BarHit> BarChart::barAt(QPointF position) const
{
    const Layout &l = layout();
    // The reverse of the painting order: what is painted last lies on top.
    for (int row = 0; row < kSeriesCount; ++row) {
        const auto series = static_cast<ProfileSeries>(kSeriesCount - 1 - row);
        const auto &bars = l.bars[seriesIndex(series)];
        for (int i = int(bars.size()) - 1; i >= 0; --i) {
            const BarFaces &f = bars[i].faces;
            if (f.front.containsPoint(position, Qt::OddEvenFill) || f.side.containsPoint(position, Qt::OddEvenFill)
                || f.top.containsPoint(position, Qt::OddEvenFill))
                return BarHit{series, i};
        }
    }
    return std::nullopt;
}

std::optional<QPoint> BarChart::visiblePoint(ProfileSeries series, int index, Face face) const
{
    const auto faces = barFaces(series, index);
    if (!faces)
        return std::nullopt;
    const QPolygonF &polygon = face == Face::Front ? faces->front : face == Face::Top ? faces->top : faces->side;
    const BarHit self{series, index};
    const auto &bars = layout().bars;
    auto shows = [&](QPointF p) {
        if (!polygon.containsPoint(p, Qt::OddEvenFill) || barAt(p) != self || childAt(p.toPoint()))
            return false;
        for (std::size_t s = 0; s < bars.size(); ++s)
            if (m_marks[s])
                for (const Bar &bar : bars[s])
                    if (bar.mark.adjusted(-1, -1, 1, 1).contains(p))
                        return false;
        return true;
    };
    const QPointF middle = polygon.boundingRect().center();
    const QRect box = polygon.boundingRect().toAlignedRect().adjusted(-2, -2, 2, 2);
    std::vector<char> showing(std::size_t(box.width()) * std::size_t(box.height()));
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            showing[std::size_t(y - box.top()) * std::size_t(box.width()) + std::size_t(x - box.left())] =
                shows(QPointF(x + 0.5, y + 0.5));
    auto at = [&](int x, int y) {
        return box.contains(x, y)
            && showing[std::size_t(y - box.top()) * std::size_t(box.width()) + std::size_t(x - box.left())];
    };
    std::optional<QPoint> best;
    double bestDistance = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x) {
            // Two pixels clear of any edge, so that the pixel is painted in
            // the face's own colour.
            if (!at(x, y) || !at(x + 2, y) || !at(x - 2, y) || !at(x, y + 2) || !at(x, y - 2))
                continue;
            const double distance = QLineF(QPointF(x + 0.5, y + 0.5), middle).length();
            if (!best || distance < bestDistance) {
                best = QPoint(x, y);
                bestDistance = distance;
            }
        }
    return best;
}

AxisScale BarChart::valueAxis() const
{
    return layout().scale;
}

QRectF BarChart::plotRect() const
{
    return layout().plot;
}

void BarChart::mousePressEvent(QMouseEvent *event)
{
    const QPoint position = event->position().toPoint();
    if (const auto hit = barAt(event->position()))
        emit seriesClicked(hit->series, hit->index, event->button(), event->modifiers(), position);
    else
        emit backgroundClicked(event->button(), event->modifiers(), position);
    if (event->button() == Qt::RightButton && m_popupMenu)
        m_popupMenu->popup(event->globalPosition().toPoint());
    event->accept();
}

void BarChart::contextMenuEvent(QContextMenuEvent *event)
{
    // The right button has opened the menu on its press already; this is for
    // the menu key.
    if (event->reason() != QContextMenuEvent::Mouse && m_popupMenu)
        m_popupMenu->popup(event->globalPos());
    event->accept();
}

void BarChart::paintEvent(QPaintEvent *)
{
    const Layout &l = layout();
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintWalls(painter, l);
    paintAxes(painter, l);
    paintBars(painter, l);
    paintMarks(painter, l);
    paintTitle(painter);
    paintFrame(painter);
}

void BarChart::paintWalls(QPainter &painter, const Layout &l) const
{
    const QRectF &p = l.plot;
    const QPointF back(l.depth, -l.depth);
    painter.save();
    painter.setPen(QPen(kWallEdgeColour, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(p.translated(back));
    painter.drawPolygon(QPolygonF({p.topLeft(), p.topLeft() + back, p.bottomLeft() + back, p.bottomLeft()}));
    painter.setBrush(QColor(246, 246, 246)); // a faint floor sets the bars on the ground
    painter.drawPolygon(QPolygonF({p.bottomLeft(), p.bottomRight(), p.bottomRight() + back, p.bottomLeft() + back}));

    // Grid lines across the back wall and the left wall at every label.
    painter.setPen(QPen(kGridColour, 1));
    const AxisScale &s = l.scale;
    for (double v = s.minimum + s.step; v < s.maximum - s.step / 2; v += s.step) {
        const double y = yOf(l, v);
        painter.drawLine(QPointF(p.left(), y), QPointF(p.left(), y) + back);
        painter.drawLine(QPointF(p.left(), y) + back, QPointF(p.right(), y) + back);
    }
    if (s.minimum < 0) {
        const double y = yOf(l, 0);
        painter.setPen(QPen(kWallEdgeColour, 1));
        painter.drawLine(QPointF(p.left(), y), QPointF(p.left(), y) + back);
        painter.drawLine(QPointF(p.left(), y) + back, QPointF(p.right(), y) + back);
    }
    painter.restore();
}

void BarChart::paintAxes(QPainter &painter, const Layout &l) const
{
    const QRectF &p = l.plot;
    painter.save();
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(p.topLeft(), p.bottomLeft());
    painter.drawLine(p.bottomLeft(), p.bottomRight());

    painter.setFont(labelFont());
    const QFontMetricsF labelMetrics(labelFont());
    const AxisScale &s = l.scale;
    for (double v = s.minimum; v <= s.maximum + s.step / 2; v += s.step) {
        const double y = yOf(l, v);
        painter.drawLine(QPointF(p.left() - kTickLength, y), QPointF(p.left(), y));
        const QRectF box(p.left() - kTickLength - 3 - l.labelWidth, y - labelMetrics.height() / 2, l.labelWidth,
                         labelMetrics.height());
        painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, axisLabel(v));
    }
    // Every whole x value, thinned out should there be more than fit.
    const double firstX = std::ceil(l.xMin);
    const double lastX = std::floor(l.xMin + p.width() / l.slot);
    const double every = std::max(1.0, std::ceil((lastX - firstX + 1) / std::max(1.0, p.width() / 24)));
    const double count = std::min(1000.0, std::floor((lastX - firstX) / every) + 1);
    for (int n = 0; n < count; ++n) {
        const double x = firstX + n * every;
        const double cx = p.left() + (x - l.xMin) * l.slot;
        painter.drawLine(QPointF(cx, p.bottom()), QPointF(cx, p.bottom() + kTickLength));
        const QRectF box(cx - l.slot / 2, p.bottom() + kTickLength + 1, l.slot, labelMetrics.height());
        painter.drawText(box, Qt::AlignHCenter | Qt::AlignTop, axisLabel(x));
    }

    painter.setFont(axisTitleFont());
    painter.setPen(kAxisTitleColour);
    const QFontMetricsF titleMetrics(axisTitleFont());
    const QRectF bottomTitle(p.left(), p.bottom() + kTickLength + 2 + labelMetrics.height(), p.width(),
                             titleMetrics.height());
    painter.drawText(bottomTitle, Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("Мотивационный профиль"));

    // The left title reads upwards, centred on the plot's height.
    painter.translate(1 + width() * kMarginLeft / 100, p.center().y());
    painter.rotate(-90);
    const double span = std::max(p.height(), titleMetrics.horizontalAdvance(QStringLiteral("Относительные набранные баллы, %")));
    painter.drawText(QRectF(-span / 2, 0, span, titleMetrics.height()), Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("Относительные набранные баллы, %"));
    painter.restore();
}

void BarChart::paintBars(QPainter &painter, const Layout &l) const
{
    painter.save();
    // Back row first; within a row left to right, so that each bar covers the
    // side face of its left neighbour.
    for (int row = kSeriesCount - 1; row >= 0; --row) {
        const auto series = static_cast<ProfileSeries>(kSeriesCount - 1 - row);
        for (const Bar &bar : l.bars[seriesIndex(series)]) {
            painter.setPen(QPen(shade(bar.colour, 0.45), 1));
            painter.setBrush(shade(bar.colour, 0.7));
            painter.drawPolygon(bar.faces.side);
            painter.setBrush(tint(bar.colour, 0.3));
            painter.drawPolygon(bar.faces.top);
            painter.setBrush(bar.colour);
            painter.drawPolygon(bar.faces.front);
        }
    }
    painter.restore();
}

void BarChart::paintMarks(QPainter &painter, const Layout &l) const
{
    painter.save();
    painter.setFont(markFont());
    for (std::size_t s = 0; s < m_points.size(); ++s) {
        if (!m_marks[s])
            continue;
        for (int i = 0; i < l.bars[s].size(); ++i) {
            const Bar &bar = l.bars[s][i];
            const double tip = bar.downwards ? bar.mark.top() : bar.mark.bottom();
            painter.setPen(QPen(Qt::black, 1));
            painter.drawLine(bar.markAnchor, QPointF(bar.markAnchor.x(), tip));
            painter.setBrush(kMarkColour);
            painter.setPen(QPen(QColor(64, 64, 64), 1));
            painter.drawRect(bar.mark.adjusted(0.5, 0.5, -0.5, -0.5));
            painter.setPen(Qt::black);
            painter.drawText(bar.mark, Qt::AlignCenter, m_points[s][i].label);
        }
    }
    painter.restore();
}

void BarChart::paintTitle(QPainter &painter) const
{
    painter.save();
    painter.setFont(titleFont());
    painter.setPen(kTitleColour);
    const QFontMetricsF metrics(titleFont());
    // Centred on the chart; a line too wide for that moves clear of the legend
    // panel, and what still does not fit is elided.
    const QRectF whole(4, 0, width() - 8, metrics.height());
    const double legendRight = !m_legend->isHidden() ? m_legend->geometry().right() + 5 : whole.left();
    const double sideRoom = std::max(0.0, legendRight - whole.left());
    double y = 1 + height() * kMarginTop / 100;
    for (const QString &line : m_title) {
        QRectF box = whole.translated(0, y);
        if (metrics.horizontalAdvance(line) > box.width() - 2 * sideRoom)
            box.setLeft(legendRight);
        const QString shown = metrics.elidedText(line, Qt::ElideRight, box.width());
        painter.drawText(box, Qt::AlignHCenter | Qt::AlignTop, shown);
        y += metrics.height();
    }
    painter.restore();
}

void BarChart::paintFrame(QPainter &painter) const
{
    // Raised inner bevel.
    const QRect r = rect().adjusted(0, 0, -1, -1);
    painter.save();
    painter.setPen(QColor(255, 255, 255));
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(QColor(128, 128, 128));
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
    painter.restore();
}

QImage BarChart::picture()
{
    QImage image(size(), QImage::Format_RGB32);
    image.fill(palette().color(QPalette::Window));
    render(&image);
    return image;
}

} // namespace tavo
