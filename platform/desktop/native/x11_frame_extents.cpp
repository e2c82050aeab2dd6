#include "platform/desktop/native/x11_frame_extents.h"

#include "platform/desktop/native/x_cardinals.h"
#include "platform/desktop/native/x_error_trap.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <thread>

namespace native {
namespace {

// The window named by a root property of type WINDOW, or 0.
::Window WindowProperty(Display* display, ::Window window, Atom property) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    ::Window found = 0;
    if (XGetWindowProperty(display, window, property, 0, 1, False, XA_WINDOW, &type, &format, &count, &after, &data) ==
            Success &&
        data && type == XA_WINDOW && format == 32 && count == 1)
        found = static_cast<::Window>(reinterpret_cast<unsigned long*>(data)[0]);
    if (data) XFree(data);
    return found;
}

// A window manager that follows the desktop conventions names a window of
// its own on the root, and names it again on that window.
bool WindowManagerRuns(Display* display) {
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    XErrorTrap trap(display);
    const ::Window named = WindowProperty(display, DefaultRootWindow(display), check);
    if (!named) return false;
    const bool confirmed = WindowProperty(display, named, check) == named;
    return confirmed && !trap.Caught();
}

std::optional<FrameExtents> ReadExtents(Display* display, ::Window window, Atom property) {
    const std::optional<std::vector<long>> v = ReadCardinals(display, window, property, 4);
    if (!v) return std::nullopt;
    auto sane = [](long n) { return n >= 0 && n < 1000 ? static_cast<int>(n) : 0; };
    return FrameExtents{sane((*v)[0]), sane((*v)[1]), sane((*v)[2]), sane((*v)[3])};
}

}  // namespace

std::optional<FrameExtents> AskFrameExtents(_XDisplay* display, unsigned long window,
                                            std::chrono::milliseconds timeout) {
    if (!display || !window) return std::nullopt;
    if (!WindowManagerRuns(display)) return FrameExtents{};
    const Atom extents = XInternAtom(display, "_NET_FRAME_EXTENTS", False);
    XErrorTrap trap(display);
    if (auto known = ReadExtents(display, window, extents)) return known;
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False);
    e.xclient.format = 32;
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XSync(display, False);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (auto answered = ReadExtents(display, window, extents)) return answered;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return std::nullopt;
}

}  // namespace native
