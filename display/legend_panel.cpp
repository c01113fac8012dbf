#include "display/legend_panel.h"

#include <QLabel>
#include <QPainter>

#include "display/bar_faces.h"
#include "display/look.h"

namespace tavo {

ColourSwatch::ColourSwatch(const QColor &colour, QWidget *parent) : QWidget(parent), colour_(colour) {}

void ColourSwatch::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(toQColor(kBlack));
    painter.setBrush(colour_);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

namespace {

void addSwatch(QWidget *panel, const char *name, const QColor &colour, const QRect &geometry)
{
    auto *swatch = new ColourSwatch(colour, panel);
    swatch->setObjectName(QLatin1String(name));
    swatch->setGeometry(geometry);
}

void addCaption(QWidget *panel, const char *name, const char *text, QPoint at)
{
    auto *label = new QLabel(QLatin1String(text), panel);
    label->setObjectName(QLatin1String(name));
    label->adjustSize();
    label->move(at);
}

} // namespace

LegendPanel::LegendPanel(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("paSeries"));
    setGeometry(0, 0, 80, 54);
    // A click on the legend is not a click on the chart behind it.
    setAttribute(Qt::WA_NoMousePropagation);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, toQColor(kWhite));
    pal.setColor(QPalette::WindowText, toQColor(kBlack));
    setPalette(pal);
    setFont(fontFor(FontRole::Caption));

    addSwatch(this, "Shape1", toQColor(kFuchsia), {5, 5, 13, 13});
    addCaption(this, "Label3", "Ideal", {21, 5});
    addSwatch(this, "Shape2", toQColor(kBlue), {5, 21, 13, 13});
    addCaption(this, "Label4", "Real", {21, 21});
    // The difference key is half red, half lime: the two directions.
    addSwatch(this, "Shape3", toQColor(kRed), {5, 37, 7, 13});
    addSwatch(this, "Shape4", toQColor(kLime), {11, 37, 7, 13});
    addCaption(this, "Label5", "Real - Ideal", {21, 37});
}

void LegendPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPalette colours = chartBevelColours();
    paintShadePanel(painter, rect(), colours, false);                       // raised
    paintShadePanel(painter, rect().adjusted(1, 1, -1, -1), colours, true); // lowered
}

} // namespace tavo
