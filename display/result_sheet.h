#pragma once
// The result sheet: everything the result panel shows, laid out for paper
// (A4 portrait) and drawn as vector graphics with real text. A heading with
// the chart title; the bar chart as the panel shows it (its series, marks,
// legend and threshold colours); the results grid and the circular diagram
// side by side; then the report block of the profile on show, in the
// report's font, whose paragraphs (the heading lines, each factor's lines)
// are never cut apart by a page break. Every page's footer has the subject's
// name and the page number.

#include <QByteArray>
#include <QImage>
#include <QRectF>

#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace tavo {

class ResultPanel;

// Where the parts of the first page go, in points (1/72 inch) from the
// page's top-left corner.
struct ResultSheetLayout {
    QRectF heading;
    QRectF chart;
    QRectF grid;
    QRectF diagram;
    QRectF reportStart; // the part of the first page the report may fill
    QRectF footer;
};

class ResultSheet {
public:
    // The device's page is set to A4 portrait with the sheet's margins.
    explicit ResultSheet(QPagedPaintDevice &device);
    ~ResultSheet();
    ResultSheet(const ResultSheet &) = delete;
    ResultSheet &operator=(const ResultSheet &) = delete;

    // Draws the sheet of the panel; a second sheet starts on a new page and
    // counts its pages from 1 again.
    void add(ResultPanel &panel);

    static const ResultSheetLayout &layout();

private:
    QPagedPaintDevice &device_;
    QPainter *painter_ = nullptr;
    bool first_ = true;
};

// The PDF of the panels' sheets, one after another.
QByteArray resultSheetPdf(const std::vector<ResultPanel *> &panels);

// The panel's sheet as pictures, a page each, white, at the given number of
// pixels per point (1 is 72 dpi): for the help pages and previews.
std::vector<QImage> resultSheetPages(ResultPanel &panel, double pixelsPerPoint);

} // namespace tavo
