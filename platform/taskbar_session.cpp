#include "platform/taskbar_session.h"

namespace tavo {

void TaskbarSession::begin()
{
    const auto taskbar = platform_.findTaskbar();
    if (!taskbar)
        return;
    // Read before anything changes, so closing can put it back.
    const auto found = platform_.workArea();
    platform_.setTaskbarVisible(*taskbar, false);
    const ScreenSize screen = platform_.screenSize();
    platform_.setWorkArea({0, 0, screen.width, screen.height});
    savedWorkArea_ = found;
}

void TaskbarSession::end()
{
    if (ended_)
        return;
    ended_ = true;
    if (const auto taskbar = platform_.findTaskbar())
        platform_.setTaskbarVisible(*taskbar, true);
    // The work area is restored even if the taskbar has gone meanwhile: it was
    // this program that widened it.
    if (savedWorkArea_) {
        platform_.setWorkArea(*savedWorkArea_);
        savedWorkArea_.reset();
    }
}

} // namespace tavo
