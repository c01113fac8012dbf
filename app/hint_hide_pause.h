#pragma once
// How long a control's hint stays up. Qt has no application-wide setting for
// it (a tooltip's time otherwise grows with its length), so this filter shows
// the hint of every widget that has a plain tooltip and no duration of its own
// for the given time.

#include <QObject>

namespace tavo {

// How long the window's hints stay up.
inline constexpr int kHintHidePauseMs = 5000;

class HintHidePause : public QObject {
public:
    HintHidePause(int milliseconds, QObject *parent) : QObject(parent), milliseconds_(milliseconds) {}

    int milliseconds() const { return milliseconds_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int milliseconds_;
};

} // namespace tavo
