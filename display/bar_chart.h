#pragma once
// The profile bar chart `Chart`: three series of bars in a pseudo-3D view,
// painted from the series' points alone, with its own legend panel and the
// difference threshold field as children.

#include "geometry/bar_series.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QPointer>
#include <QPolygonF>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <QMenu>

#include <array>
#include <optional>

class QLabel;

namespace tavo {

class LegendPanel;
class ThresholdField;

class BarChart : public QWidget {
    Q_OBJECT
public:
    struct Point {
        double x = 0;
        double y = 0;
        QString label;
        std::optional<QColor> colour; // empty: the series colour
    };

    // The visible faces of one bar, in widget coordinates.
    struct BarFaces {
        QPolygonF front;
        QPolygonF top;
        QPolygonF side;
    };

    struct BarHit {
        ProfileSeries series;
        int index; // 0-based position in the series' point list
        bool operator==(const BarHit &) const = default;
    };

    explicit BarChart(QWidget *parent = nullptr);

    // Series content. Every change repaints.
    void clearSeries(ProfileSeries series);
    void addPoint(ProfileSeries series, double x, double y, const QString &label,
                  std::optional<QColor> colour = std::nullopt);
    void addPoint(ProfileSeries series, const BarPoint &point);
    const QList<Point> &points(ProfileSeries series) const;
    QColor seriesColour(ProfileSeries series) const;
    // The colour a point is drawn in: its own, or the series colour.
    QColor pointColour(ProfileSeries series, int index) const;

    // Marks: a light-yellow box with the point's label above each bar.
    void setMarksVisible(ProfileSeries series, bool visible);
    bool marksVisible(ProfileSeries series) const;

    // Lines shown above the plot; "График" at first.
    void setTitle(const QStringList &lines);
    QStringList title() const { return m_title; }

    // Opened at the mouse on a right press, or by the menu key; owned by the caller.
    void setPopupMenu(QMenu *menu);
    QMenu *popupMenu() const { return m_popupMenu; }

    LegendPanel *legendPanel() const { return m_legend; }
    ThresholdField *thresholdField() const { return m_threshold; }
    QLabel *meanLabel() const { return m_meanLabel; }
    // Hidden children kept for the layout: `LabelCry` and `RxGIF`.
    QLabel *cryLabel() const { return m_cryLabel; }
    QLabel *gifHolder() const { return m_gifHolder; }

    // Geometry as the next paint will draw it, in widget coordinates.
    std::optional<BarFaces> barFaces(ProfileSeries series, int index) const;
    std::optional<QRectF> markRect(ProfileSeries series, int index) const; // only while marks are shown
    std::optional<BarHit> barAt(QPointF position) const;
    // A pixel where the given face of the bar shows and a click lands on the
    // bar, nearest the face's middle; none when the face is hidden or flat.
    enum class Face { Front, Top, Side };
    std::optional<QPoint> visiblePoint(ProfileSeries series, int index, Face face = Face::Front) const;
    AxisScale valueAxis() const;
    QRectF plotRect() const; // the front plane of the plot, floor to top

    // The chart with its children as shown, one image pixel per widget pixel.
    QImage picture();

    QSize sizeHint() const override { return {1020, 424}; }

signals:
    // A press on a bar, any button. No background click follows it.
    void seriesClicked(tavo::ProfileSeries series, int index, Qt::MouseButton button,
                       Qt::KeyboardModifiers modifiers, QPoint position);
    // A press on the chart away from every bar, any button.
    void backgroundClicked(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Bar {
        BarFaces faces;
        QColor colour;
        QPointF markAnchor; // where the connector starts
        bool downwards = false; // a bar below 0 carries its mark underneath
        QRectF mark;
    };
    struct Layout {
        QRectF plot;        // front plane
        double depth = 0;   // total depth offset of the back wall, both ways
        AxisScale scale;
        double xMin = 0.5;  // value at the plot's left edge
        double slot = 1;    // pixels per x unit
        double labelWidth = 0;
        std::array<QList<Bar>, kSeriesCount> bars;
    };

    const Layout &layout() const;
    void invalidate();
    Layout computeLayout() const;
    double yOf(const Layout &l, double value) const;

    void paintWalls(QPainter &painter, const Layout &l) const;
    void paintAxes(QPainter &painter, const Layout &l) const;
    void paintBars(QPainter &painter, const Layout &l) const;
    void paintMarks(QPainter &painter, const Layout &l) const;
    void paintTitle(QPainter &painter) const;
    void paintFrame(QPainter &painter) const;

    std::array<QList<Point>, kSeriesCount> m_points;
    std::array<bool, kSeriesCount> m_marks{};
    std::array<QColor, kSeriesCount> m_seriesColours;
    QStringList m_title;
    QPointer<QMenu> m_popupMenu;
    LegendPanel *m_legend = nullptr;
    ThresholdField *m_threshold = nullptr;
    QLabel *m_meanLabel = nullptr;
    QLabel *m_cryLabel = nullptr;
    QLabel *m_gifHolder = nullptr;

    mutable std::optional<Layout> m_layout;
};

} // namespace tavo
