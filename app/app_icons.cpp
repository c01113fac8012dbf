#include "app/app_icons.h"

#include "app/deferred_icon.h"
#include "display/look.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QStyle>

namespace tavo {

namespace {

const QColor kIdeal = toQColor(kFuchsia);
const QColor kReal = toQColor(kBlue);
const QColor kDelta = toQColor(kLime);

} // namespace

std::vector<IconShape> profileIconShapes()
{
    // A white card with a navy border, and three bars standing on its lower
    // edge: Ideal, Real, and their difference (heights out of 16).
    std::vector<IconShape> shapes{{QRectF(0.5, 0.5, 15, 15), 2, toQColor(kWhite), toQColor(kNavy), 1}};
    const struct {
        QColor colour;
        qreal x;
        qreal height;
    } bars[] = {{kIdeal, 3, 10}, {kReal, 7, 7}, {kDelta, 11, 4}};
    for (const auto &bar : bars)
        shapes.push_back({QRectF(bar.x, 14 - bar.height, 3, bar.height), 0, bar.colour, std::nullopt, 0});
    return shapes;
}

QPixmap profilePicture(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 16.0;
    for (const IconShape &shape : profileIconShapes()) {
        painter.setPen(shape.outline ? QPen(*shape.outline, shape.outlineWidth * unit) : QPen(Qt::NoPen));
        painter.setBrush(shape.fill);
        const QRectF r(shape.rect.x() * unit, shape.rect.y() * unit, shape.rect.width() * unit,
                       shape.rect.height() * unit);
        if (shape.radius > 0)
            painter.drawRoundedRect(r, shape.radius * unit, shape.radius * unit);
        else
            painter.drawRect(r);
    }
    return pixmap;
}

QByteArray profileIconSvg()
{
    QByteArray svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                     "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"16\" height=\"16\" "
                     "viewBox=\"0 0 16 16\">\n";
    const auto number = [](qreal value) { return QByteArray::number(value, 'g', 6); };
    for (const IconShape &shape : profileIconShapes()) {
        svg += "  <rect x=\"" + number(shape.rect.x()) + "\" y=\"" + number(shape.rect.y()) + "\" width=\"" +
            number(shape.rect.width()) + "\" height=\"" + number(shape.rect.height()) + "\"";
        if (shape.radius > 0)
            svg += " rx=\"" + number(shape.radius) + "\" ry=\"" + number(shape.radius) + "\"";
        svg += " fill=\"" + shape.fill.name().toLatin1() + "\"";
        if (shape.outline)
            svg += " stroke=\"" + shape.outline->name().toLatin1() + "\" stroke-width=\"" + number(shape.outlineWidth) +
                "\"";
        svg += "/>\n";
    }
    return svg + "</svg>\n";
}

QIcon applicationIcon()
{
    // Drawn when the desktop asks for it; Qt's offscreen platform never does.
    return deferredIcon([] {
        QIcon icon;
        for (int size : {16, 24, 32, 48, 64})
            icon.addPixmap(profilePicture(size));
        return icon;
    });
}

namespace {

// A 16-pixel menu icon drawn by `draw` on a transparent ground, with the
// outline pen and the white brush set.
template <typename Draw>
QIcon drawnIcon(Draw draw)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(toQColor(kMarkBorder));
    painter.setBrush(toQColor(kWhite));
    draw(painter);
    return QIcon(pixmap);
}

// A sheet of paper with lines of text, for the saved report.
QIcon reportIcon()
{
    return drawnIcon([](QPainter &painter) {
        painter.drawRect(2, 0, 11, 15);
        painter.setPen(toQColor(kNavy));
        for (int y = 3; y <= 12; y += 3)
            painter.drawLine(4, y, 11, y);
    });
}

// A page with a small chart over lines of text, for the result sheet.
QIcon sheetIcon()
{
    return drawnIcon([](QPainter &painter) {
        painter.drawRect(2, 0, 11, 15);
        painter.fillRect(4, 3, 2, 5, toQColor(kFuchsia));
        painter.fillRect(7, 5, 2, 3, toQColor(kBlue));
        painter.fillRect(10, 4, 2, 4, toQColor(kLime));
        painter.setPen(toQColor(kNavy));
        painter.drawLine(4, 10, 11, 10);
        painter.drawLine(4, 12, 11, 12);
    });
}

// A printer with a sheet coming out of it.
QIcon printIcon()
{
    return drawnIcon([](QPainter &painter) {
        painter.drawRect(4, 1, 7, 5);
        painter.setBrush(toQColor(kGray));
        painter.drawRect(1, 6, 13, 6);
        painter.setBrush(toQColor(kWhite));
        painter.drawRect(4, 10, 7, 5);
    });
}

// The style's icon, whose small picture (the size of a menu item's) is all a
// menu bar shows at start: that one is read alone until more is asked for.
QIcon standardIcon(const QStyle &style, QStyle::StandardPixmap which)
{
    const QPointer<const QStyle> from(&style);
    const auto source = [from] { return from ? from.get() : QApplication::style(); };
    return deferredIcon([source, which] { return source()->standardIcon(which); },
                        [source, which] { return source()->standardPixmap(which); });
}

} // namespace

MenuIcons menuIcons(const QStyle &style)
{
    // The drawn ones belong to the Save menu and are drawn when it opens.
    return {
        standardIcon(style, QStyle::SP_DialogOpenButton),
        standardIcon(style, QStyle::SP_DialogSaveButton),
        deferredIcon(reportIcon),
        deferredIcon([] { return QIcon(profilePicture(16)); }),
        deferredIcon(sheetIcon),
        deferredIcon(printIcon),
        standardIcon(style, QStyle::SP_DialogHelpButton),
    };
}

} // namespace tavo
