#include "display/result_sheet.h"

#include "display/bar_chart.h"
#include "display/cp1251_qstring.h"
#include "display/circular_diagram.h"
#include "display/diagram_image.h"
#include "display/look.h"
#include "display/result_panel.h"
#include "display/results_grid.h"

#include <QBuffer>
#include <QImage>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <qdrawutil.h>

#include <functional>

namespace tavo {

namespace {

// A4 in points, and the margins of every page.
constexpr double kPageWidth = 595.28, kPageHeight = 841.89;
constexpr double kMargin = 40;
constexpr double kContentWidth = kPageWidth - 2 * kMargin;
constexpr double kGap = 12;
// The grid and the diagram at the size a 96-dpi screen shows them.
constexpr double kScreenToPoints = 72.0 / 96.0;
constexpr double kFooterHeight = 14;
// Text sizes in points: the painter draws in points, so a font's pixel is one.
constexpr int kHeadingPoints = 11, kReportPoints = 10, kFooterPoints = 8;

ResultSheetLayout computeLayout()
{
    ResultSheetLayout l;
    l.heading = QRectF(kMargin, kMargin, kContentWidth, 44);
    const QSize chart = ResultPanel::kChartSize;
    l.chart =
        QRectF(kMargin, l.heading.bottom() + kGap / 2, kContentWidth, kContentWidth * chart.height() / chart.width());
    const QSizeF grid = QSizeF(ResultPanel::kGridSize) * kScreenToPoints;
    const QSizeF diagram = QSizeF(ResultPanel::kPlotSize) * kScreenToPoints;
    const double pairLeft = kMargin + (kContentWidth - grid.width() - kGap - diagram.width()) / 2;
    l.grid = QRectF(QPointF(pairLeft, l.chart.bottom() + kGap), grid);
    l.diagram = QRectF(QPointF(l.grid.right() + kGap, l.grid.top()), diagram);
    l.footer = QRectF(kMargin, kPageHeight - kMargin / 2 - kFooterHeight, kContentWidth, kFooterHeight);
    l.reportStart =
        QRectF(QPointF(kMargin, l.grid.bottom() + kGap), QPointF(kMargin + kContentWidth, l.footer.top() - kGap / 2));
    return l;
}

// The report block in paragraphs: runs of lines up to an empty line, which
// stay on one page together.
std::vector<QStringList> paragraphsOf(const QStringList &block)
{
    std::vector<QStringList> paragraphs;
    QStringList current;
    for (const QString &line : block) {
        if (line.trimmed().isEmpty()) {
            if (!current.isEmpty())
                paragraphs.push_back(current);
            current.clear();
        } else {
            current.append(line);
        }
    }
    if (!current.isEmpty())
        paragraphs.push_back(current);
    return paragraphs;
}

// Draws a widget with its children, scaled into the target rectangle.
void drawWidget(QPainter &painter, QWidget &widget, const QRectF &target)
{
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / widget.width(), target.height() / widget.height());
    widget.render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    painter.restore();
}

// Every page is drawn in points, whatever the device's resolution.
void preparePage(QPainter &painter, double pixelsPerPoint)
{
    painter.resetTransform();
    painter.scale(pixelsPerPoint, pixelsPerPoint);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing);
}

// Draws the panel's sheet from the top of the page the painter is on;
// nextPage() moves the painter to a fresh page.
void paintSheet(QPainter &painter, ResultPanel &panel, const std::function<void()> &nextPage)
{
    const ResultSheetLayout &l = ResultSheet::layout();
    QFont headingFont = fontFor(FontRole::ChartTitle);
    headingFont.setPixelSize(kHeadingPoints);
    headingFont.setBold(true);
    painter.setFont(headingFont);
    painter.setPen(toQColor(kBlue));
    painter.drawText(l.heading, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     panel.Chart->title().join(QLatin1Char(' ')));

    drawWidget(painter, *panel.Chart, l.chart);
    drawWidget(painter, *panel.sgResF, l.grid);
    // The diagram drawn anew as lines and text rather than its picture.
    painter.save();
    painter.translate(l.diagram.topLeft());
    painter.scale(kScreenToPoints, kScreenToPoints);
    const QSize plot = ResultPanel::kPlotSize;
    qDrawShadePanel(&painter, QRect(QPoint(0, 0), plot), panel.paPlot->palette(), true, 1);
    painter.translate(1, 1);
    const ProfileRecord &profile = panel.profile();
    paintCircularDiagram(
        painter, circularDiagramLayout(panel.imPlot->width(), panel.imPlot->height(), profile.ideal, profile.real));
    painter.restore();

    QFont reportFont = fontFor(FontRole::Report);
    reportFont.setPixelSize(kReportPoints);
    QFont footerFont = fontFor(FontRole::Form);
    footerFont.setPixelSize(kFooterPoints);
    const QFontMetricsF metrics(reportFont);
    const double lineHeight = metrics.lineSpacing();
    const QRectF measureBox(0, 0, l.reportStart.width(), 1e6);
    auto heightOf = [&](const QString &line) {
        return metrics.boundingRect(measureBox, Qt::TextWordWrap, line).height();
    };

    // Pages of paragraphs: a paragraph that does not fit below the last one
    // starts the next page.
    struct Placed {
        int page;
        double top;
        const QStringList *lines;
    };
    const std::vector<QStringList> paragraphs = paragraphsOf(panel.reportBlock());
    std::vector<Placed> placed;
    int page = 0;
    double y = l.reportStart.top();
    for (const QStringList &paragraph : paragraphs) {
        double height = 0;
        for (const QString &line : paragraph)
            height += heightOf(line);
        // A paragraph taller than a whole page stays where it starts.
        if (y + height > l.reportStart.bottom() && y > (page == 0 ? l.reportStart.top() : kMargin)) {
            ++page;
            y = kMargin;
        }
        placed.push_back({page, y, &paragraph});
        y += height + lineHeight / 2;
    }
    const int pages = page + 1;

    const QString subject = fromCp1251(profile.subjectName);
    auto drawFooter = [&](int number) {
        painter.setFont(footerFont);
        painter.setPen(toQColor(kBlack));
        painter.drawText(l.footer, Qt::AlignLeft | Qt::AlignVCenter, subject);
        painter.drawText(l.footer, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("%1 / %2").arg(number).arg(pages));
    };
    int current = 0;
    drawFooter(1);
    painter.setPen(toQColor(kBlack));
    for (const Placed &p : placed) {
        if (p.page != current) {
            nextPage();
            current = p.page;
            drawFooter(current + 1);
        }
        painter.setFont(reportFont);
        painter.setPen(toQColor(kBlack));
        double top = p.top;
        for (const QString &line : *p.lines) {
            const double height = heightOf(line);
            painter.drawText(QRectF(l.reportStart.left(), top, l.reportStart.width(), height),
                             Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, line);
            top += height;
        }
    }
}

} // namespace

const ResultSheetLayout &ResultSheet::layout()
{
    static const ResultSheetLayout l = computeLayout();
    return l;
}

ResultSheet::ResultSheet(QPagedPaintDevice &device) : device_(device)
{
    device_.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
}

ResultSheet::~ResultSheet()
{
    if (painter_)
        painter_->end();
    delete painter_;
}

void ResultSheet::add(ResultPanel &panel)
{
    if (!painter_) {
        painter_ = new QPainter(&device_);
    } else {
        device_.newPage();
    }
    preparePage(*painter_, device_.logicalDpiX() / 72.0);
    paintSheet(*painter_, panel, [this] { device_.newPage(); });
}

std::vector<QImage> resultSheetPages(ResultPanel &panel, double pixelsPerPoint)
{
    const QSize size(qRound(kPageWidth * pixelsPerPoint), qRound(kPageHeight * pixelsPerPoint));
    std::vector<QImage> pages;
    QPainter painter;
    auto startPage = [&] {
        if (painter.isActive())
            painter.end();
        pages.emplace_back(size, QImage::Format_RGB32);
        pages.back().fill(Qt::white);
        painter.begin(&pages.back());
        preparePage(painter, pixelsPerPoint);
    };
    startPage();
    paintSheet(painter, panel, startPage);
    painter.end();
    return pages;
}

QByteArray resultSheetPdf(const std::vector<ResultPanel *> &panels)
{
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(300);
        writer.setCreator(QStringLiteral("TAVO.12Fmod.An"));
        ResultSheet sheet(writer);
        for (ResultPanel *panel : panels)
            sheet.add(*panel);
    }
    return bytes;
}

} // namespace tavo
