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

// A page with a small chart over lines of text, for the result sheet.
QIcon sheetIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(toQColor(kMarkBorder));
    painter.setBrush(toQColor(kWhite));
    painter.drawRect(2, 0, 11, 15);
    painter.fillRect(4, 3, 2, 5, toQColor(kFuchsia));
    painter.fillRect(7, 5, 2, 3, toQColor(kBlue));
    painter.fillRect(10, 4, 2, 4, toQColor(kLime));
    painter.setPen(toQColor(kNavy));
    painter.drawLine(4, 10, 11, 10);
    painter.drawLine(4, 12, 11, 12);
    return QIcon(pixmap);
}

// A printer with a sheet coming out of it.
QIcon printIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(toQColor(kMarkBorder));
    painter.setBrush(toQColor(kWhite));
    painter.drawRect(4, 1, 7, 5);
    painter.setBrush(toQColor(kGray));
    painter.drawRect(1, 6, 13, 6);
    painter.setBrush(toQColor(kWhite));
    painter.drawRect(4, 10, 7, 5);
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
        sheetIcon(),
        printIcon(),
        style.standardIcon(QStyle::SP_DialogHelpButton),
    };
}

} // namespace tavo
