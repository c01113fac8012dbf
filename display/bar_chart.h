#pragma once
// The profile bar chart `Chart`: three series of bars in a pseudo-3D view,
// painted from the series' points alone, with its own legend panel and the
// difference threshold field as children.

#include "geometry/bar_series.h"
#include "geometry/chart_layout.h"

#include <QColor>
#include <QFont>
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
#include <string>
#include <unordered_map>
#include <vector>

class QLabel;
class QPainter;

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
    QStringList title() const { return title_; }

    // Opened at the mouse on a right press, or by the Menu key or Shift+F10
    // while the chart has the focus; owned by the caller.
    void setPopupMenu(QMenu *menu);
    QMenu *popupMenu() const { return popupMenu_; }
    // The band of the title lines, over which a tooltip shows the whole title.
    QRectF titleArea() const;

    LegendPanel *legendPanel() const { return legend_; }
    ThresholdField *thresholdField() const { return threshold_; }
    QLabel *meanLabel() const { return meanLabel_; }

    // Geometry as the next paint will draw it, in widget coordinates.
    std::optional<BarFaces> barFaces(ProfileSeries series, int index) const;
    std::optional<QRectF> markRect(ProfileSeries series, int index) const; // only while marks are shown
    std::optional<BarHit> barAt(QPointF position) const;
    AxisScale valueAxis() const;
    QRectF plotRect() const; // the front plane of the plot, floor to top

    // The chart with its children as shown, one image pixel per widget pixel.
    QImage picture();

    // The background (the white, the walls and the axes with their labels)
    // depends on the size and the scales only, which the files of a batch
    // and the repaints of a window mostly share: the pictures of the last few
    // are kept and copied under the bars where they land on whole pixels.
    // 0 paints every background anew.
    void setBackgroundCacheCapacity(int entries);
    // How many paints have copied a kept background so far.
    int backgroundCacheHits() const { return backgroundHits_; }

    QSize sizeHint() const override { return {1020, 424}; }

signals:
    // A press on a bar, any button. No background click follows it.
    void seriesClicked(tavo::ProfileSeries series, int index, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                       QPoint position);
    // A press on the chart away from every bar, any button.
    void backgroundClicked(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    // With the focus: Menu and Shift+F10 open the popup menu; 1, 2 and 3 are a
    // left click on a bar of Series1..Series3, Space one away from the bars.
    void keyPressEvent(QKeyEvent *event) override;
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The geometry of the next paint, with the bars' faces as polygons for
    // painting and hit-testing.
    struct Layout {
        ChartLayout geometry;
        std::array<QList<BarFaces>, kSeriesCount> faces;
    };

    void openPopupMenuFromKeyboard();
    const Layout &layout() const;
    void invalidate();
    Layout computeLayout() const;

    // Everything a background's pixels depend on.
    struct BackgroundKey {
        QSize size;
        ChartRect plot;
        double depth = 0;
        AxisScale scale;
        double xMin = 0;
        double slot = 0;
        double labelWidth = 0;
        QFont labelFont;
        QFont axisTitleFont;
        Qt::LayoutDirection direction = Qt::LeftToRight;
        int renderHints = 0;
        QImage::Format format = QImage::Format_Invalid;
        int dotsPerMeterX = 0;
        int dotsPerMeterY = 0;
        bool operator==(const BackgroundKey &) const = default;
    };
    struct KeptBackground {
        BackgroundKey key;
        QImage image;
    };

    // Draws a kept background, painting and keeping it first if need be;
    // false where a copy would not land on whole pixels of an image.
    bool drawKeptBackground(QPainter &painter, const Layout &l) const;
    void paintBackground(QPainter &painter, const Layout &l) const;
    void paintWalls(QPainter &painter, const Layout &l) const;
    void paintAxes(QPainter &painter, const Layout &l) const;
    void paintBars(QPainter &painter, const Layout &l) const;
    void paintMarks(QPainter &painter, const Layout &l) const;
    void paintTitle(QPainter &painter) const;
    void paintFrame(QPainter &painter) const;

    std::array<QList<Point>, kSeriesCount> points_;
    std::array<bool, kSeriesCount> marks_{};
    std::array<QColor, kSeriesCount> seriesColours_;
    QStringList title_;
    QPointer<QMenu> popupMenu_;
    LegendPanel *legend_ = nullptr;
    ThresholdField *threshold_ = nullptr;
    QLabel *meanLabel_ = nullptr;

    struct Fonts {
        QFont title, axisTitle, label, mark;
    } fonts_;
    mutable std::optional<Layout> layout_;
    using TextWidths = std::unordered_map<std::string, double>;
    static constexpr std::size_t kMeasuredTextsKept = 512;
    mutable TextWidths labelWidths_, markWidths_;
    mutable std::vector<KeptBackground> backgrounds_; // the most recently used first
    int backgroundCapacity_ = 4;
    mutable int backgroundHits_ = 0;
    mutable int paints_ = 0;
};

} // namespace tavo
