#pragma once
// The chart's own legend `paSeries`: three colour swatches with their captions.

#include <QColor>
#include <QFrame>

namespace tavo {

// A filled rectangle with a thin black outline, like a legend key.
class ColourSwatch : public QWidget {
public:
    ColourSwatch(const QColor &colour, QWidget *parent);
    QColor colour() const { return colour_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor colour_;
};

// White panel, 80 × 54, with a raised outer and a lowered inner bevel.
class LegendPanel : public QFrame {
public:
    explicit LegendPanel(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace tavo
