#pragma once
// Ends the process as soon as a window has painted for the first time: the
// end point of a start-up measurement, so that closing down is not counted.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

class ExitAfterFirstPaint final : public QObject {
public:
    explicit ExitAfterFirstPaint(QObject *window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        // After the paint event has been handled, not before.
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, [] {
                std::fflush(nullptr);
                std::_Exit(0);
            });
        return false;
    }
};
