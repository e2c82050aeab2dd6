#include "platform/desktop/native/x11_monitors.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>

#include "platform/desktop/native/x_cardinals.h"

namespace native {

X11Monitors::X11Monitors(_XDisplay* display) : display_(display), root_(DefaultRootWindow(display)) {
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    haveMonitors_ = XRRQueryExtension(display_, &eventBase, &errorBase) && XRRQueryVersion(display_, &major, &minor) &&
                    (major > 1 || (major == 1 && minor >= 5));
    haveXinerama_ = XineramaQueryExtension(display_, &eventBase, &errorBase);
}

std::vector<MonitorRect> X11Monitors::List() {
    std::vector<MonitorRect> monitors = RandrMonitors();
    if (monitors.empty()) monitors = XineramaScreens();
    if (monitors.empty()) monitors.push_back(Root());
    return monitors;
}

std::vector<MonitorRect> X11Monitors::RandrMonitors() {
    std::vector<MonitorRect> list;
    if (!haveMonitors_) return list;
    int count = 0;
    XRRMonitorInfo* monitors = XRRGetMonitors(display_, root_, True, &count);
    if (!monitors) return list;
    for (int i = 0; i < count; ++i) {
        const XRRMonitorInfo& m = monitors[i];
        if (m.width <= 0 || m.height <= 0) continue;
        const MonitorRect rect{m.x, m.y, m.width, m.height};
        if (m.primary) list.insert(list.begin(), rect);
        else list.push_back(rect);
    }
    XRRFreeMonitors(monitors);
    return list;
}

std::vector<MonitorRect> X11Monitors::XineramaScreens() {
    std::vector<MonitorRect> list;
    if (!haveXinerama_ || !XineramaIsActive(display_)) return list;
    int count = 0;
    XineramaScreenInfo* screens = XineramaQueryScreens(display_, &count);
    if (!screens) return list;
    for (int i = 0; i < count; ++i)
        if (screens[i].width > 0 && screens[i].height > 0)
            list.push_back({screens[i].x_org, screens[i].y_org, screens[i].width, screens[i].height});
    XFree(screens);
    return list;
}

// Asked anew each time: a connection that reads no events keeps the size
// Xlib cached when it connected, which goes stale when the desktop changes
// resolution.
MonitorRect X11Monitors::Root() {
    ::Window rootReturn = 0;
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    if (!XGetGeometry(display_, root_, &rootReturn, &x, &y, &width, &height, &border, &depth)) {
        Screen* screen = DefaultScreenOfDisplay(display_);
        return {0, 0, WidthOfScreen(screen), HeightOfScreen(screen)};
    }
    return {0, 0, static_cast<int32_t>(width), static_cast<int32_t>(height)};
}

std::optional<MonitorRect> X11Monitors::WorkArea() {
    const Atom property = XInternAtom(display_, "_NET_WORKAREA", True);
    if (property == None) return std::nullopt;
    const std::optional<std::vector<long>> v = ReadCardinals(display_, root_, property, 4);
    // CARDINALs: a value beyond 31 bits is no work area.
    auto fits = [](long n) { return n >= 0 && n <= 0x7fffffffL; };
    if (!v || !std::all_of(v->begin(), v->end(), fits) || (*v)[2] == 0 || (*v)[3] == 0) return std::nullopt;
    return MonitorRect{static_cast<int32_t>((*v)[0]),
                       static_cast<int32_t>((*v)[1]),
                       static_cast<int32_t>((*v)[2]),
                       static_cast<int32_t>((*v)[3])};
}

bool RandrNamesMonitors(const char* displayName) {
    Display* display = XOpenDisplay(displayName);
    if (!display) return false;
    const bool named = !X11Monitors(display).RandrMonitors().empty();
    XCloseDisplay(display);
    return named;
}

}  // namespace native
