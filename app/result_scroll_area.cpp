#include "app/result_scroll_area.h"

#include <QCoreApplication>
#include <QEvent>

namespace tavo {

ResultScrollArea::ResultScrollArea(QWidget *parent) : QScrollArea(parent)
{
    setObjectName(QStringLiteral("paTestScroll"));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void ResultScrollArea::setPanel(QWidget *panel, QSize contentSize)
{
    panel->setMinimumSize(contentSize);
    // The panel arrives hidden and stays so, never shown in between, even in
    // a window on the screen: the scroll area shows what it takes, so the
    // panel goes in while the viewport is hidden. Its controls then first
    // learn their sizes when a load shows it, as they would have had the
    // panel been there from the start.
    const bool viewportShown = !viewport()->isHidden();
    viewport()->hide();
    setWidget(panel);
    panel->hide();
    viewport()->setVisible(viewportShown);
    panel->installEventFilter(this);
    followPanelVisibility();
}

QSize ResultScrollArea::sizeHint() const
{
    // Measuring the font for an empty area would load the form's face, which
    // nothing else needs before the first load.
    return widget() ? QScrollArea::sizeHint() : QSize(-1, -1);
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
