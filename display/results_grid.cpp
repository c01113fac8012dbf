#include "display/results_grid.h"

#include "display/look.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <QStringList>
#include <qdrawutil.h>

#include <algorithm>

namespace tavo {

namespace {

const QColor kLineColour = toQColor(kSilver);     // between ordinary cells
const QColor kFixedLineColour = toQColor(kBlack); // after fixed cells

QColor textColour(CellTextColour colour, const QColor &asReset)
{
    switch (colour) {
    case CellTextColour::Red: return toQColor(kRed);
    case CellTextColour::Green: return toQColor(kGreen);
    case CellTextColour::Black: return toQColor(kBlack);
    case CellTextColour::AsReset: break;
    }
    return asReset;
}

} // namespace

ResultsGrid::ResultsGrid(QWidget *parent) : QWidget(parent)
{
    setFixedSize(kGridWidth, kGridHeight);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    font_ = fontFor(FontRole::Grid);
    setFont(font_);
    setToolTip(QStringList{QStringLiteral("Ideal - Выбор новой работы"), QStringLiteral("Real - Текущая работа"),
                           QStringLiteral("Re-Id = Real - Ideal")}
                   .join(QLatin1Char('\n')));
}

void ResultsGrid::FillResultsGrid(const ProfileRecord &profile)
{
    profile_ = profile;
    cells_.FillResultsGrid(profile);
    update();
}

void ResultsGrid::setThreshold(std::int32_t threshold)
{
    threshold_ = threshold;
    repaint();
}

QString ResultsGrid::cellText(int column, int row) const { return QString::fromLatin1(cells_.text(column, row)); }

QRect ResultsGrid::cellRect(int column, int row)
{
    const CellRect r = gridCellRect(column, row);
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

QSize ResultsGrid::sizeHint() const { return {kGridWidth, kGridHeight}; }

void ResultsGrid::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), true);

    // The line after each cell: black after fixed cells, silver elsewhere.
    for (int column = 0; column < kGridColumns; ++column) {
        for (int row = 0; row < kGridRows; ++row) {
            const CellRect r = gridCellRect(column, row);
            const QColor &line = isFixedCell(column, row) ? kFixedLineColour : kLineColour;
            painter.fillRect(r.right, r.top, kGridLineWidth, r.bottom - r.top + kGridLineWidth, line);
            painter.fillRect(r.left, r.bottom, r.right - r.left + kGridLineWidth, kGridLineWidth, line);
        }
    }

    const bool focused = hasFocus();
    for (int column = 0; column < kGridColumns; ++column)
        for (int row = 0; row < kGridRows; ++row)
            sgResFDrawCell(painter, column, row, current_ == QPoint(column, row), focused);
}

void ResultsGrid::sgResFDrawCell(QPainter &painter, int column, int row, bool selected, bool focused)
{
    const QRect rect = cellRect(column, row);
    const bool fixed = isFixedCell(column, row);
    const QPalette &colours = palette();

    painter.save();
    // A text too wide for its cell is cut at the cell's edge rather than
    // spilling over its neighbour.
    painter.setClipRect(rect);
    QColor background = colours.color(QPalette::Base);
    if (selected)
        background = colours.color(QPalette::Highlight);
    else if (fixed)
        background = colours.color(QPalette::Button);
    painter.fillRect(rect, background);

    // Each cell starts from the grid's font; the unfocused current cell's text
    // starts in the highlight-text colour.
    QFont font = font_;
    const QColor reset = selected && !focused ? colours.color(QPalette::HighlightedText) : toQColor(kBlack);
    const CellDrawRule rule = cellDrawRule(column, row, profile_, threshold_);
    font.setBold(rule.bold);
    painter.setFont(font);
    painter.setPen(textColour(rule.colour, reset));

    // Right-aligned at the rule's point: it is the text's top-right corner.
    // A number too wide for that place is never cut: it moves right up to the
    // cell's edge, and if it is still too wide it is drawn narrower.
    const CellRect r = gridCellRect(column, row);
    const QString text = cellText(column, row);
    const CellTextPlace place = cellTextPlace(column, row);
    painter.translate(place.right, r.top + rule.topInset);
    painter.scale(place.scale, 1.0);
    painter.drawText(QRect(-1000, 0, 1000, 1000), Qt::AlignRight | Qt::AlignTop | Qt::TextDontClip, text);
    painter.restore();

    if (fixed)
        qDrawShadeRect(&painter, rect, colours, false, 1, 0);
    if (selected && focused) {
        painter.save();
        QPen pen(colours.color(QPalette::HighlightedText), 1, Qt::DotLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
        painter.restore();
    }
}

ResultsGrid::CellTextPlace ResultsGrid::cellTextPlace(int column, int row) const
{
    const CellDrawRule rule = cellDrawRule(column, row, profile_, threshold_);
    QFont font = font_;
    font.setBold(rule.bold);
    const double width = QFontMetricsF(font).horizontalAdvance(cellText(column, row));
    const CellRect r = gridCellRect(column, row);
    const int left = r.left + 1;
    CellTextPlace place{r.right - rule.rightInset, 1.0, true};
    if (width <= place.right - left)
        return place;
    place.fits = false;
    place.right = r.right - 1;
    if (width > place.right - left)
        place.scale = (place.right - left) / width;
    return place;
}

bool ResultsGrid::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        // Over a number that does not fit its place, the tip shows it first.
        const auto *help = static_cast<QHelpEvent *>(event);
        int column = 0;
        int row = 0;
        QString tip = toolTip();
        if (gridCellAt(help->pos().x(), help->pos().y(), column, row) && !cellTextPlace(column, row).fits)
            tip = cellText(column, row) + QLatin1Char('\n') + tip;
        QToolTip::showText(help->globalPos(), tip, this, cellRect(column, row));
        return true;
    }
    return QWidget::event(event);
}

void ResultsGrid::setCurrentCell(int column, int row)
{
    // Fixed cells never become current.
    column = std::clamp(column, 1, kGridColumns - 1);
    row = std::clamp(row, 1, kGridRows - 1);
    if (current_ == QPoint(column, row))
        return;
    current_ = QPoint(column, row);
    update();
}

void ResultsGrid::mousePressEvent(QMouseEvent *event)
{
    int column = 0;
    int row = 0;
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && gridCellAt(at.x(), at.y(), column, row) && !isFixedCell(column, row))
        setCurrentCell(column, row);
    QWidget::mousePressEvent(event);
}

void ResultsGrid::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left: setCurrentCell(current_.x() - 1, current_.y()); break;
    case Qt::Key_Right: setCurrentCell(current_.x() + 1, current_.y()); break;
    case Qt::Key_Up: setCurrentCell(current_.x(), current_.y() - 1); break;
    case Qt::Key_Down: setCurrentCell(current_.x(), current_.y() + 1); break;
    default: QWidget::keyPressEvent(event);
    }
}

void ResultsGrid::focusInEvent(QFocusEvent *event)
{
    update();
    QWidget::focusInEvent(event);
}

void ResultsGrid::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
}

} // namespace tavo
