#include "display/legend_panel.h"

#include <QLabel>
#include <QPainter>

namespace tavo {

ColourSwatch::ColourSwatch(const QColor &colour, QWidget *parent) : QWidget(parent), m_colour(colour) {}

void ColourSwatch::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.setBrush(m_colour);
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

// One bevel ring: `light` along the top and left, `dark` along the bottom and right.
void drawBevel(QPainter &painter, const QRect &r, const QColor &light, const QColor &dark)
{
    painter.setPen(light);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(dark);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
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
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    QFont captionFont;
    captionFont.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    captionFont.setPixelSize(11);
    setFont(captionFont);

    addSwatch(this, "Shape1", QColor(255, 0, 255), {5, 5, 13, 13});
    addCaption(this, "Label3", "Ideal", {21, 5});
    addSwatch(this, "Shape2", QColor(0, 0, 255), {5, 21, 13, 13});
    addCaption(this, "Label4", "Real", {21, 21});
    // The difference key is half red, half lime: the two directions.
    addSwatch(this, "Shape3", QColor(255, 0, 0), {5, 37, 7, 13});
    addSwatch(this, "Shape4", QColor(0, 255, 0), {11, 37, 7, 13});
    addCaption(this, "Label5", "Real - Ideal", {21, 37});
}

void LegendPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QColor light(255, 255, 255);
    const QColor dark(128, 128, 128);
    const QRect outer = rect().adjusted(0, 0, -1, -1);
    drawBevel(painter, outer, light, dark);                          // raised
    drawBevel(painter, outer.adjusted(1, 1, -1, -1), dark, light);   // lowered
}

} // namespace tavo
