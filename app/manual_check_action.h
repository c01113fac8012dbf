#pragma once
// A checkable menu item whose tick a click does not change: the handler
// connected to triggered() sets it. QAction flips a checkable item before it
// emits triggered(); this class flips it back in a connection made before any
// other, so handlers see the tick as it was.

#include <QAction>

namespace tavo {

class ManualCheckAction : public QAction {
public:
    ManualCheckAction(const QString &text, QObject *parent) : QAction(text, parent)
    {
        setCheckable(true);
        connect(this, &QAction::triggered, this, [this](bool checked) { setChecked(!checked); });
    }
};

} // namespace tavo
