// A real window manager (openbox, or xfwm4 in a D-Bus session of its own for
// its settings) on the test's X server, so that windows get frames, title
// bars, placement and key handling as users see them.
#pragma once
#include <X11/Xlib.h>

#include <memory>
#include <string>

#include "tests/e2e/child_process.h"

namespace e2e {

class WindowManager {
public:
    enum class Kind { Openbox, Xfwm4 };
    // Starts the window manager on the display and returns once it manages
    // windows; throws when it does not.
    WindowManager(const std::string& displayName, const std::string& home, Kind kind = Kind::Openbox);
    ~WindowManager();  // the child process ends the window manager

    // Returns once the window manager has handled every event that reached
    // it before the call (a frame redrawn on a change of focus, say): it
    // answers a request for frame extents only after those. False when it
    // does not answer.
    static bool CaughtUp(Display* display);

private:
    std::unique_ptr<ChildProcess> process_;
};

}  // namespace e2e
