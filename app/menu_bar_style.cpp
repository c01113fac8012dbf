#include "app/menu_bar_style.h"

#include <QPainter>
#include <QStyleOptionMenuItem>

namespace tavo {

namespace {

constexpr int kIconSize = 16;
constexpr int kIconGap = 4;

const QStyleOptionMenuItem *itemWithIcon(const QStyleOption *option)
{
    const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
    return item && !item->icon.isNull() ? item : nullptr;
}

} // namespace

void MenuBarStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                               const QWidget *widget) const
{
    const QStyleOptionMenuItem *item = element == CE_MenuBarItem ? itemWithIcon(option) : nullptr;
    if (!item) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    // The base style draws the item's background; picture and caption follow.
    // An item selected by the mouse or the keyboard is drawn like an open
    // one, so moving along the bar with the arrow keys shows where one is.
    const bool selected = item->state & State_Selected;
    QStyleOptionMenuItem background(*item);
    background.icon = QIcon();
    background.text.clear();
    if (selected)
        background.state |= State_Sunken;
    QProxyStyle::drawControl(element, &background, painter, widget);

    const int textWidth = item->fontMetrics.horizontalAdvance(QString(item->text).remove(QLatin1Char('&')));
    const int contentWidth = kIconSize + kIconGap + textWidth;
    const QRect r = item->rect;
    const int left = r.left() + (r.width() - contentWidth) / 2;
    const QRect iconRect(left, r.top() + (r.height() - kIconSize) / 2, kIconSize, kIconSize);
    const bool enabled = item->state & State_Enabled;
    item->icon.paint(painter, iconRect, Qt::AlignCenter, enabled ? QIcon::Normal : QIcon::Disabled);

    const QRect textRect(left + kIconSize + kIconGap, r.top(), textWidth + 1, r.height());
    drawItemText(painter, textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, item->palette, enabled,
                 item->text, selected ? QPalette::HighlightedText : QPalette::ButtonText);
}

int MenuBarStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                            QStyleHintReturn *returnData) const
{
    // Alt alone enters the bar, and mnemonics are always underlined.
    if (hint == SH_MenuBar_AltKeyNavigation || hint == SH_UnderlineShortcut)
        return 1;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

QSize MenuBarStyle::sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &contentsSize,
                                     const QWidget *widget) const
{
    const QStyleOptionMenuItem *item = type == CT_MenuBarItem ? itemWithIcon(option) : nullptr;
    if (!item)
        return QProxyStyle::sizeFromContents(type, option, contentsSize, widget);
    const QSize text = item->fontMetrics.size(Qt::TextShowMnemonic, item->text);
    const QSize content(kIconSize + kIconGap + text.width(), qMax(kIconSize, text.height()));
    return QProxyStyle::sizeFromContents(type, option, content, widget);
}

} // namespace tavo
