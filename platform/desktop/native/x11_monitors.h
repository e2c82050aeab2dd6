// The monitors of an X screen, as the capture and the window placement both
// see them: RandR 1.5 monitors, the primary one first; where RandR names
// none (or is missing), the active Xinerama screens; else the root window.
// The first one is the main display, from whose top-left corner the
// program's screen positions count.
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

struct _XDisplay;  // Xlib's Display, left out here for its macros

namespace native {

struct MonitorRect {
    int32_t x = 0, y = 0, width = 0, height = 0;
};

class X11Monitors {
public:
    explicit X11Monitors(_XDisplay* display);

    // Asked anew each time, as the desktop may change them; never empty.
    std::vector<MonitorRect> List();
    MonitorRect Main() { return List().front(); }
    // The root window, in pixels.
    MonitorRect Root();
    // What the window manager leaves free of panels (_NET_WORKAREA of the
    // first desktop), when it says.
    std::optional<MonitorRect> WorkArea();
    // RandR's monitors alone, the primary one first; empty without RandR 1.5.
    std::vector<MonitorRect> RandrMonitors();

private:
    std::vector<MonitorRect> XineramaScreens();

    _XDisplay* display_;
    unsigned long root_;  // Xlib's Window
    bool haveMonitors_ = false;
    bool haveXinerama_ = false;
};

// Whether RandR names a monitor on that display (nullptr: $DISPLAY); Qt,
// which reads RandR alone when it has it, otherwise takes the screen for
// an empty one.
bool RandrNamesMonitors(const char* displayName = nullptr);

}  // namespace native
