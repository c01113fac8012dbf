#include "display/bar_chart.h"

#include "display/bar_faces.h"
#include "display/legend_panel.h"
#include "display/look.h"
#include "display/threshold_field.h"
#include "display/title_line.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QMenu>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <vector>

namespace tavo {

namespace {

std::size_t seriesIndex(ProfileSeries series) { return static_cast<std::size_t>(series); }

QPointF toQPoint(ChartPoint p) { return {p.x, p.y}; }
QRectF toQRect(const ChartRect &r) { return {r.left, r.top, r.width, r.height}; }
QPolygonF toQPolygon(const ChartQuad &quad)
{
    return QPolygonF({toQPoint(quad[0]), toQPoint(quad[1]), toQPoint(quad[2]), toQPoint(quad[3])});
}

Rgb toRgb(const QColor &colour)
{
    return {std::uint8_t(colour.red()), std::uint8_t(colour.green()), std::uint8_t(colour.blue())};
}

QString axisLabel(double value) { return QString::number(static_cast<long long>(std::llround(value))); }

} // namespace

BarChart::BarChart(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Chart"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The chart takes the focus by Tab or a click, so its popup menu and its
    // toggles work from the keyboard too.
    setFocusPolicy(Qt::StrongFocus);
    seriesColours_ = {toQColor(tavo::seriesColour(ProfileSeries::Series1)),
                      toQColor(tavo::seriesColour(ProfileSeries::Series2)),
                      toQColor(tavo::seriesColour(ProfileSeries::Series3))};
    title_ = {QStringLiteral("График")};
    // Looked up once: finding the installed face takes longer than a title's text.
    fonts_ = {fontFor(FontRole::ChartTitle), fontFor(FontRole::ChartTitle), fontFor(FontRole::ChartLabel),
              fontFor(FontRole::ChartMark)};

    legend_ = new LegendPanel(this);
    legend_->installEventFilter(this); // the title makes room for it

    meanLabel_ = new QLabel(QStringLiteral("Mean = +/-"), this);
    meanLabel_->setObjectName(QStringLiteral("Label2"));
    meanLabel_->setFont(fontFor(FontRole::MeanCaption));
    // 62 pixels hold the caption where the face's advances are fractional;
    // a face hinted to whole pixels (GDI's) needs a few more, or the "-" is
    // cut off. The field beside it starts at 952.
    const int meanWidth = QFontMetrics(meanLabel_->font()).horizontalAdvance(meanLabel_->text());
    meanLabel_->setGeometry(885, 394, std::max(62, meanWidth), 16);
    QPalette meanPalette = meanLabel_->palette();
    meanPalette.setColor(QPalette::WindowText, toQColor(kMaroon));
    meanLabel_->setPalette(meanPalette);
    meanLabel_->setAttribute(Qt::WA_NoMousePropagation);

    threshold_ = new ThresholdField(this);

    resize(1020, 424);
}

void BarChart::invalidate()
{
    layout_.reset();
    update();
}

void BarChart::clearSeries(ProfileSeries series)
{
    points_[seriesIndex(series)].clear();
    invalidate();
}

void BarChart::addPoint(ProfileSeries series, double x, double y, const QString &label, std::optional<QColor> colour)
{
    points_[seriesIndex(series)].append(Point{x, y, label, colour});
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

const QList<BarChart::Point> &BarChart::points(ProfileSeries series) const { return points_[seriesIndex(series)]; }

QColor BarChart::seriesColour(ProfileSeries series) const { return seriesColours_[seriesIndex(series)]; }

QColor BarChart::pointColour(ProfileSeries series, int index) const
{
    const Point &point = points_[seriesIndex(series)].at(index);
    return point.colour.value_or(seriesColour(series));
}

void BarChart::setMarksVisible(ProfileSeries series, bool visible)
{
    marks_[seriesIndex(series)] = visible;
    invalidate();
}

bool BarChart::marksVisible(ProfileSeries series) const { return marks_[seriesIndex(series)]; }

void BarChart::setTitle(const QStringList &lines)
{
    title_ = lines;
    invalidate();
}

void BarChart::setPopupMenu(QMenu *menu) { popupMenu_ = menu; }

bool BarChart::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == legend_ && (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent))
        update();
    return QWidget::eventFilter(watched, event);
}

void BarChart::resizeEvent(QResizeEvent *) { layout_.reset(); }

const BarChart::Layout &BarChart::layout() const
{
    if (!layout_)
        layout_ = computeLayout();
    return *layout_;
}

BarChart::Layout BarChart::computeLayout() const
{
    const QFontMetricsF labelMetrics(fonts_.label);
    const QFontMetricsF markMetrics(fonts_.mark);
    ChartTextMetrics metrics;
    metrics.titleHeight = QFontMetricsF(fonts_.title).height();
    metrics.axisTitleHeight = QFontMetricsF(fonts_.axisTitle).height();
    metrics.labelHeight = labelMetrics.height();
    // Labels and marks are numbers, the same few from file to file: each is
    // measured once in the chart's fonts.
    const auto measured = [](TextWidths &widths, const std::string &text, auto measure) {
        if (const auto known = widths.find(text); known != widths.end())
            return known->second;
        if (widths.size() >= kMeasuredTextsKept)
            widths.clear();
        return widths.emplace(text, measure(QString::fromStdString(text))).first->second;
    };
    metrics.labelWidth = [&](const std::string &text) {
        return measured(labelWidths_, text, [&](const QString &t) { return labelMetrics.horizontalAdvance(t); });
    };
    metrics.markHeight = markMetrics.height();
    metrics.markWidth = [&](const std::string &text) {
        return measured(markWidths_, text,
                        [&](const QString &t) { return markMetrics.size(Qt::TextSingleLine, t).width(); });
    };

    ChartLayoutInput input;
    input.width = width();
    input.height = height();
    input.titleLines = int(title_.size());
    for (std::size_t s = 0; s < points_.size(); ++s) {
        ChartSeriesPoints &series = input.series[s];
        series.marks = marks_[s];
        for (const Point &p : points_[s]) {
            series.points.push_back({p.x, p.y});
            series.labels.push_back(p.label.toStdString());
        }
    }

    Layout l{computeChartLayout(input, metrics), {}};
    for (std::size_t s = 0; s < l.geometry.bars.size(); ++s)
        for (const ChartBar &bar : l.geometry.bars[s])
            l.faces[s].append(BarFaces{toQPolygon(bar.front), toQPolygon(bar.top), toQPolygon(bar.side)});
    return l;
}

std::optional<BarChart::BarFaces> BarChart::barFaces(ProfileSeries series, int index) const
{
    const auto &faces = layout().faces[seriesIndex(series)];
    if (index < 0 || index >= faces.size())
        return std::nullopt;
    return faces[index];
}

std::optional<QRectF> BarChart::markRect(ProfileSeries series, int index) const
{
    const auto &bars = layout().geometry.bars[seriesIndex(series)];
    if (index < 0 || std::size_t(index) >= bars.size() || !bars[std::size_t(index)].mark)
        return std::nullopt;
    return toQRect(*bars[std::size_t(index)].mark);
}

std::optional<BarChart::BarHit> BarChart::barAt(QPointF position) const
{
    const Layout &l = layout();
    // The reverse of the painting order: what is painted last lies on top.
    for (int row = 0; row < kSeriesCount; ++row) {
        const auto series = static_cast<ProfileSeries>(kSeriesCount - 1 - row);
        const auto &faces = l.faces[seriesIndex(series)];
        for (int i = int(faces.size()) - 1; i >= 0; --i) {
            const BarFaces &f = faces[i];
            if (f.front.containsPoint(position, Qt::OddEvenFill) || f.side.containsPoint(position, Qt::OddEvenFill) ||
                f.top.containsPoint(position, Qt::OddEvenFill))
                return BarHit{series, i};
        }
    }
    return std::nullopt;
}

AxisScale BarChart::valueAxis() const { return layout().geometry.scale; }

QRectF BarChart::plotRect() const { return toQRect(layout().geometry.plot); }

void BarChart::mousePressEvent(QMouseEvent *event)
{
    const QPoint position = event->position().toPoint();
    if (const auto hit = barAt(event->position()))
        emit seriesClicked(hit->series, hit->index, event->button(), event->modifiers(), position);
    else
        emit backgroundClicked(event->button(), event->modifiers(), position);
    if (event->button() == Qt::RightButton && popupMenu_)
        popupMenu_->popup(event->globalPosition().toPoint());
    event->accept();
}

void BarChart::contextMenuEvent(QContextMenuEvent *event)
{
    // The right button has opened the menu on its press already; this is for
    // the menu key where the platform turns it into a context-menu request.
    if (event->reason() != QContextMenuEvent::Mouse)
        openPopupMenuFromKeyboard();
    event->accept();
}

void BarChart::openPopupMenuFromKeyboard()
{
    if (!popupMenu_ || popupMenu_->isVisible())
        return;
    // Opened at the top left of the plot, with its first item selected so the
    // arrow keys and Enter work at once.
    const QPoint at = mapToGlobal(plotRect().topLeft().toPoint() + QPoint(8, 8));
    popupMenu_->popup(at);
    popupMenu_->setActiveAction(popupMenu_->actions().value(0));
}

void BarChart::keyPressEvent(QKeyEvent *event)
{
    const bool plain = !(event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier));
    const QPoint centre = rect().center();
    if (event->key() == Qt::Key_Menu || (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        openPopupMenuFromKeyboard();
    } else if (plain && event->key() >= Qt::Key_1 && event->key() < Qt::Key_1 + kSeriesCount) {
        // 1, 2, 3: what a left click on a bar of that series does.
        const auto series = static_cast<ProfileSeries>(event->key() - Qt::Key_1);
        emit seriesClicked(series, 0, Qt::LeftButton, Qt::NoModifier, centre);
    } else if (plain && event->key() == Qt::Key_Space) {
        // What a left click away from the bars does.
        emit backgroundClicked(Qt::LeftButton, Qt::NoModifier, centre);
    } else {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

bool BarChart::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        // The title may be too long for the chart; hovering over it shows it whole.
        const auto *help = static_cast<QHelpEvent *>(event);
        if (titleArea().contains(help->pos()))
            QToolTip::showText(help->globalPos(), title_.join(QLatin1Char('\n')), this, titleArea().toRect());
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

QRectF BarChart::titleArea() const
{
    const QFontMetricsF metrics(fonts_.title);
    const double top = 1 + height() * kChartMarginTop / 100;
    return QRectF(0, top, width(), metrics.height() * double(title_.size()));
}

void BarChart::paintEvent(QPaintEvent *)
{
    const Layout &l = layout();
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    if (!drawKeptBackground(painter, l))
        paintBackground(painter, l);
    paintBars(painter, l);
    paintMarks(painter, l);
    paintTitle(painter);
    paintFrame(painter);
}

void BarChart::setBackgroundCacheCapacity(int entries)
{
    backgroundCapacity_ = std::max(0, entries);
    if (backgrounds_.size() > std::size_t(backgroundCapacity_))
        backgrounds_.resize(std::size_t(backgroundCapacity_));
    update();
}

bool BarChart::drawKeptBackground(QPainter &painter, const Layout &l) const
{
    // Painted into an image of the device's own kind and copied pixel for
    // pixel, the background comes out as painting it there would: the
    // painter moves it by whole pixels only and scales nothing.
    // A chart painted once (a single picture) does not pay for keeping its
    // background: that starts with its second paint.
    const QImage *target = imagePaintedOneToOne(painter);
    if (paints_++ == 0 || backgroundCapacity_ == 0 || !target)
        return false;

    const ChartLayout &g = l.geometry;
    const BackgroundKey key{size(),
                            g.plot,
                            g.depth,
                            g.scale,
                            g.xMin,
                            g.slot,
                            g.labelWidth,
                            fonts_.label,
                            fonts_.axisTitle,
                            painter.layoutDirection(),
                            int(painter.renderHints()),
                            target->format(),
                            target->dotsPerMeterX(),
                            target->dotsPerMeterY()};
    auto kept = std::find_if(backgrounds_.begin(), backgrounds_.end(),
                             [&key](const KeptBackground &b) { return b.key == key; });
    if (kept != backgrounds_.end()) {
        ++backgroundHits_;
        std::rotate(backgrounds_.begin(), kept, kept + 1);
    } else {
        QImage image(size(), key.format);
        image.setDotsPerMeterX(key.dotsPerMeterX);
        image.setDotsPerMeterY(key.dotsPerMeterY);
        QPainter imagePainter(&image);
        imagePainter.setLayoutDirection(key.direction);
        imagePainter.setRenderHints(imagePainter.renderHints(), false);
        imagePainter.setRenderHints(painter.renderHints(), true);
        paintBackground(imagePainter, l);
        imagePainter.end();
        if (backgrounds_.size() >= std::size_t(backgroundCapacity_))
            backgrounds_.pop_back();
        backgrounds_.insert(backgrounds_.begin(), KeptBackground{key, std::move(image)});
    }
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(0, 0), backgrounds_.front().image);
    painter.restore();
    return true;
}

void BarChart::paintBackground(QPainter &painter, const Layout &l) const
{
    painter.fillRect(rect(), toQColor(kWhite));
    paintWalls(painter, l);
    paintAxes(painter, l);
}

void BarChart::paintWalls(QPainter &painter, const Layout &l) const
{
    const ChartLayout &g = l.geometry;
    const QRectF p = toQRect(g.plot);
    const QPointF back(g.depth, -g.depth);
    painter.save();
    painter.setPen(QPen(toQColor(kWallEdge), 1));
    painter.setBrush(toQColor(kWhite));
    // The back wall and the left one are shaped like a bar's front and side.
    const QRectF backWall = p.translated(back);
    paintBarFace(painter,
                 QPolygonF({backWall.topLeft(), backWall.topRight(), backWall.bottomRight(), backWall.bottomLeft()}));
    paintBarFace(painter, QPolygonF({p.topLeft(), p.topLeft() + back, p.bottomLeft() + back, p.bottomLeft()}));
    painter.setBrush(toQColor(kChartFloor));
    painter.drawPolygon(QPolygonF({p.bottomLeft(), p.bottomRight(), p.bottomRight() + back, p.bottomLeft() + back}));

    // Grid lines across the back wall and the left wall at every label but
    // the lowest and the highest, and a darker line at 0.
    const std::vector<double> ticks = g.valueTicks();
    auto wallLine = [&](double value) {
        const double y = g.yOf(value);
        painter.drawLine(QPointF(p.left(), y), QPointF(p.left(), y) + back);
        painter.drawLine(QPointF(p.left(), y) + back, QPointF(p.right(), y) + back);
    };
    painter.setPen(QPen(toQColor(kChartGrid), 1));
    for (std::size_t i = 1; i + 1 < ticks.size(); ++i)
        wallLine(ticks[i]);
    if (g.scale.minimum < 0) {
        painter.setPen(QPen(toQColor(kWallEdge), 1));
        wallLine(0);
    }
    painter.restore();
}

void BarChart::paintAxes(QPainter &painter, const Layout &l) const
{
    const ChartLayout &g = l.geometry;
    const QRectF p = toQRect(g.plot);
    painter.save();
    painter.setPen(QPen(toQColor(kBlack), 1));
    painter.drawLine(p.topLeft(), p.bottomLeft());
    painter.drawLine(p.bottomLeft(), p.bottomRight());

    painter.setFont(fonts_.label);
    const QFontMetricsF labelMetrics(fonts_.label);
    for (const double v : g.valueTicks()) {
        const double y = g.yOf(v);
        painter.drawLine(QPointF(p.left() - kChartTickLength, y), QPointF(p.left(), y));
        const QRectF box(p.left() - kChartTickLength - 3 - g.labelWidth, y - labelMetrics.height() / 2, g.labelWidth,
                         labelMetrics.height());
        painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, axisLabel(v));
    }
    for (const double x : g.factorTicks()) {
        const double cx = p.left() + (x - g.xMin) * g.slot;
        painter.drawLine(QPointF(cx, p.bottom()), QPointF(cx, p.bottom() + kChartTickLength));
        const QRectF box(cx - g.slot / 2, p.bottom() + kChartTickLength + 1, g.slot, labelMetrics.height());
        painter.drawText(box, Qt::AlignHCenter | Qt::AlignTop, axisLabel(x));
    }

    painter.setFont(fonts_.axisTitle);
    painter.setPen(toQColor(kNavy));
    const QFontMetricsF titleMetrics(fonts_.axisTitle);
    const QRectF bottomTitle(p.left(), p.bottom() + kChartTickLength + 2 + labelMetrics.height(), p.width(),
                             titleMetrics.height());
    painter.drawText(bottomTitle, Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("Мотивационный профиль"));

    // The left title reads upwards, centred on the plot's height.
    painter.translate(1 + width() * kChartMarginLeft / 100, p.center().y());
    painter.rotate(-90);
    const double span =
        std::max(p.height(), titleMetrics.horizontalAdvance(QStringLiteral("Относительные набранные баллы, %")));
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
        const auto &faces = l.faces[seriesIndex(series)];
        for (int i = 0; i < faces.size(); ++i) {
            const Rgb colour = toRgb(pointColour(series, i));
            const BarFaces &f = faces[i];
            paintBar(painter, f.side, f.top, f.front,
                     {toQColor(shaded(colour, kBarEdgeShade)), toQColor(shaded(colour, kBarSideShade)),
                      toQColor(tinted(colour, kBarTopTint)), toQColor(colour)});
        }
    }
    painter.restore();
}

void BarChart::paintMarks(QPainter &painter, const Layout &l) const
{
    painter.save();
    painter.setFont(fonts_.mark);
    for (std::size_t s = 0; s < points_.size(); ++s) {
        const auto &bars = l.geometry.bars[s];
        for (std::size_t i = 0; i < bars.size(); ++i) {
            const ChartBar &bar = bars[i];
            if (!bar.mark)
                continue;
            const QRectF mark = toQRect(*bar.mark);
            const QPointF anchor = toQPoint(bar.markAnchor);
            const double tip = bar.downwards ? mark.top() : mark.bottom();
            painter.setPen(QPen(toQColor(kBlack), 1));
            painter.drawLine(anchor, QPointF(anchor.x(), tip));
            painter.setBrush(toQColor(kMarkYellow));
            painter.setPen(QPen(toQColor(kMarkBorder), 1));
            painter.drawRect(mark.adjusted(0.5, 0.5, -0.5, -0.5));
            painter.setPen(toQColor(kBlack));
            painter.drawText(mark, Qt::AlignCenter, points_[s][qsizetype(i)].label);
        }
    }
    painter.restore();
}

void BarChart::paintTitle(QPainter &painter) const
{
    painter.save();
    painter.setFont(fonts_.title);
    painter.setPen(toQColor(kBlue));
    const double lineHeight = QFontMetricsF(fonts_.title).height();
    // Centred on the chart; a line too wide for that moves clear of the legend
    // panel, and what still does not fit is elided.
    const QRectF whole(4, 0, width() - 8, lineHeight);
    const double legendRight = !legend_->isHidden() ? legend_->geometry().right() + 5 : whole.left();
    double y = titleArea().top();
    for (const QString &line : title_) {
        paintTitleLine(painter, fonts_.title, TitleRoom{whole.translated(0, y), legendRight}, line);
        y += lineHeight;
    }
    painter.restore();
}

void BarChart::paintFrame(QPainter &painter) const
{
    // Raised inner bevel.
    painter.save();
    paintShadePanel(painter, rect(), chartBevelColours(), false);
    painter.restore();
}

QImage BarChart::picture()
{
    // Neither filled first nor given a background: painting the chart starts
    // by filling all of it.
    QImage image(size(), QImage::Format_RGB32);
    // The chart whole, then its children over it, in their stacking order.
    // Rendered in one go, the chart's painting would be clipped to leave out
    // its opaque children, and painting through such a clip costs far more
    // than the few pixels it saves; an opaque child covers them all the same.
    render(&image, QPoint(), QRegion(), {});
    for (QObject *object : children()) {
        auto *child = qobject_cast<QWidget *>(object);
        if (child && !child->isHidden() && !child->isWindow())
            child->render(&image, child->pos(), QRegion(), DrawChildren);
    }
    return image;
}

} // namespace tavo
