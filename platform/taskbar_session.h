#pragma once
// Gives the whole screen to the program while it runs: hides the taskbar and
// widens the work area at start-up; shows the taskbar and puts the work area
// back as it was found when the program closes.

#include "platform/platform.h"

#include <optional>

namespace tavo {

class TaskbarSession {
public:
    explicit TaskbarSession(Platform &platform) : platform_(platform) {}

    // Without a taskbar nothing is hidden and the work area is left alone.
    void begin();
    // Runs once; later calls (the close and the application's end both
    // ask) do nothing.
    void end();

    bool workAreaChanged() const { return savedWorkArea_.has_value(); }

private:
    Platform &platform_;
    std::optional<ScreenRect> savedWorkArea_;
    bool ended_ = false;
};

} // namespace tavo
