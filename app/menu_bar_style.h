#pragma once
// Menu-bar items with both their picture and their caption (Qt's styles draw
// only the icon of a menu-bar item that has one), highlighted while selected,
// and a bar that Alt enters.

#include <QProxyStyle>

namespace tavo {

class MenuBarStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override;
    int styleHint(StyleHint hint, const QStyleOption *option = nullptr, const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &contentsSize,
                           const QWidget *widget) const override;
};

} // namespace tavo
