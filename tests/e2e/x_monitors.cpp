#include "tests/e2e/x_monitors.h"

#include <X11/extensions/Xrandr.h>

#include <stdexcept>

namespace e2e {

void ReplaceMonitors(Display* display, const std::vector<Monitor>& monitors) {
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XRRQueryExtension(display, &eventBase, &errorBase) || !XRRQueryVersion(display, &major, &minor) ||
        (major == 1 && minor < 5))
        throw std::runtime_error("the X server has no RandR 1.5");
    const ::Window root = DefaultRootWindow(display);
    // An output that shows something is a monitor of its own.
    XRRScreenResources* resources = XRRGetScreenResources(display, root);
    if (!resources) throw std::runtime_error("no RandR screen resources");
    for (int i = 0; i < resources->ncrtc; ++i)
        XRRSetCrtcConfig(display, resources, resources->crtcs[i], CurrentTime, 0, 0, None, RR_Rotate_0, nullptr, 0);
    XRRFreeScreenResources(resources);
    for (const Monitor& m : monitors) {
        XRRMonitorInfo* info = XRRAllocateMonitor(display, 0);
        info->name = XInternAtom(display, m.name.c_str(), False);
        info->primary = m.primary ? True : False;
        info->x = m.x;
        info->y = m.y;
        info->width = m.width;
        info->height = m.height;
        // 96 dots an inch.
        info->mwidth = m.width * 254 / 960;
        info->mheight = m.height * 254 / 960;
        XRRSetMonitor(display, root, info);
        XRRFreeMonitors(info);
    }
    XSync(display, False);
}

}  // namespace e2e
