// Monitors made up on a test's X server through RandR 1.5: the server's own
// output is switched off, so that RandR reports the given monitors alone, or
// none at all.
#pragma once
#include <X11/Xlib.h>

#include <string>
#include <vector>

namespace e2e {

struct Monitor {
    std::string name;
    int x = 0, y = 0, width = 0, height = 0;
    bool primary = false;
};

// Throws when the server has no RandR 1.5.
void ReplaceMonitors(Display* display, const std::vector<Monitor>& monitors);

}  // namespace e2e
