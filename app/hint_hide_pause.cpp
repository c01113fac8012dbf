#include "app/hint_hide_pause.h"

#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

namespace tavo {

bool HintHidePause::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ToolTip || !watched->isWidgetType())
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    // Widgets that answer tooltip events themselves keep their own way.
    if (widget->toolTip().isEmpty() || widget->toolTipDuration() >= 0)
        return false;
    const auto *help = static_cast<QHelpEvent *>(event);
    QToolTip::showText(help->globalPos(), widget->toolTip(), widget, {}, milliseconds_);
    return true;
}

} // namespace tavo
