#include "app/app_icons.h"

#include "display/look.h"

#include <QPainter>
#include <QStyle>

namespace tavo {

namespace {

const QColor kIdeal = toQColor(kFuchsia);
const QColor kReal = toQColor(kBlue);
const QColor kDelta = toQColor(kLime);

} // namespace

QPixmap profilePicture(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 16.0;
    painter.setPen(QPen(toQColor(kNavy), unit));
    painter.setBrush(toQColor(kWhite));
    painter.drawRoundedRect(QRectF(0.5 * unit, 0.5 * unit, 15 * unit, 15 * unit), 2 * unit, 2 * unit);
    painter.setPen(Qt::NoPen);
    // Bar heights out of 16: Ideal, Real, and their difference.
    const struct {
        QColor colour;
        qreal x;
        qreal height;
    } bars[] = {{kIdeal, 3, 10}, {kReal, 7, 7}, {kDelta, 11, 4}};
    for (const auto &bar : bars) {
        painter.setBrush(bar.colour);
        painter.drawRect(QRectF(bar.x * unit, (14 - bar.height) * unit, 3 * unit, bar.height * unit));
    }
    return pixmap;
}

QIcon applicationIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64})
        icon.addPixmap(profilePicture(size));
    return icon;
}

namespace {

// A sheet of paper with lines of text, for the saved report.
QIcon reportIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(toQColor(kMarkBorder));
    painter.setBrush(toQColor(kWhite));
    painter.drawRect(2, 0, 11, 15);
    painter.setPen(toQColor(kNavy));
    for (int y = 3; y <= 12; y += 3)
        painter.drawLine(4, y, 11, y);
    return QIcon(pixmap);
}

} // namespace

MenuIcons menuIcons(const QStyle &style)
{
    return {
        style.standardIcon(QStyle::SP_DialogOpenButton),
        style.standardIcon(QStyle::SP_DialogSaveButton),
        reportIcon(),
        QIcon(profilePicture(16)),
        style.standardIcon(QStyle::SP_DialogHelpButton),
    };
}

} // namespace tavo
