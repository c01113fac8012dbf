#pragma once
// The program's pictures, drawn rather than shipped: the window icon (three
// bars in the profile colours on a white card) and the menu pictures.

#include <QIcon>
#include <QPixmap>

class QStyle;

namespace tavo {

QPixmap profilePicture(int size);
QIcon applicationIcon();

struct MenuIcons {
    QIcon open;
    QIcon save;
    QIcon report;
    QIcon plot;
    QIcon sheet; // the result sheet: a page with the chart and the report
    QIcon print;
    QIcon help;
};
MenuIcons menuIcons(const QStyle &style);

} // namespace tavo
