#pragma once
// Where a test can click a bar: a pixel where the given face shows and a
// click lands on that bar, nearest the face's middle, found from the chart's
// geometry alone.

#include "display/bar_chart.h"

#include <QLineF>

#include <optional>
#include <vector>

namespace tavo::test {

enum class BarFace { Front, Top, Side };

inline std::optional<QPoint> visibleBarPixel(const BarChart &chart, ProfileSeries series, int index,
                                             BarFace face = BarFace::Front)
{
    const auto faces = chart.barFaces(series, index);
    if (!faces)
        return std::nullopt;
    const QPolygonF &polygon = face == BarFace::Front ? faces->front : face == BarFace::Top ? faces->top : faces->side;
    const BarChart::BarHit self{series, index};
    std::vector<QRectF> marks;
    for (const ProfileSeries s : {ProfileSeries::Series1, ProfileSeries::Series2, ProfileSeries::Series3})
        for (int i = 0; chart.barFaces(s, i); ++i)
            if (const auto mark = chart.markRect(s, i))
                marks.push_back(mark->adjusted(-1, -1, 1, 1));
    auto shows = [&](QPointF p) {
        if (!polygon.containsPoint(p, Qt::OddEvenFill) || chart.barAt(p) != self || chart.childAt(p.toPoint()))
            return false;
        for (const QRectF &mark : marks)
            if (mark.contains(p))
                return false;
        return true;
    };
    const QRect box = polygon.boundingRect().toAlignedRect().adjusted(-2, -2, 2, 2);
    std::vector<char> showing(std::size_t(box.width()) * std::size_t(box.height()));
    auto cell = [&](int x, int y) -> char & {
        return showing[std::size_t(y - box.top()) * std::size_t(box.width()) + std::size_t(x - box.left())];
    };
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            cell(x, y) = shows(QPointF(x + 0.5, y + 0.5));
    auto at = [&](int x, int y) { return box.contains(x, y) && cell(x, y); };

    const QPointF middle = polygon.boundingRect().center();
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

} // namespace tavo::test
