#include "app/result_scroll_area.h"

#include <QCoreApplication>
#include <QEvent>

namespace tavo {

ResultScrollArea::ResultScrollArea(QWidget *panel, QSize contentSize, QWidget *parent) : QScrollArea(parent)
{
    setObjectName(QStringLiteral("paTestScroll"));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    panel->setMinimumSize(contentSize);
    setWidget(panel);
    panel->installEventFilter(this);
    followPanelVisibility();
}

bool ResultScrollArea::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == widget() && (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent))
        followPanelVisibility();
    return QScrollArea::eventFilter(watched, event);
}

void ResultScrollArea::followPanelVisibility()
{
    const Qt::ScrollBarPolicy policy = widget()->isHidden() ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
    setHorizontalScrollBarPolicy(policy);
    setVerticalScrollBarPolicy(policy);
    // The scroll bars are laid out anew once the panel's change has settled.
    QCoreApplication::postEvent(this, new QEvent(QEvent::LayoutRequest));
}

} // namespace tavo
