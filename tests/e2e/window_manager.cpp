#include "tests/e2e/window_manager.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <filesystem>
#include <stdexcept>
#include <vector>

#include "platform/desktop/native/x11_frame_extents.h"
#include "tests/e2e/poll.h"

namespace e2e {

namespace {

::Window WindowProperty(Display* display, ::Window window, const char* name) {
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    ::Window found = 0;
    if (XGetWindowProperty(display,
                           window,
                           XInternAtom(display, name, False),
                           0,
                           1,
                           False,
                           XA_WINDOW,
                           &type,
                           &format,
                           &count,
                           &after,
                           &data) == Success &&
        data && count == 1)
        found = static_cast<::Window>(*reinterpret_cast<unsigned long*>(data));
    if (data) XFree(data);
    return found;
}

// A window manager that follows the desktop conventions names a window of its
// own on the root once it has taken over the screen.
bool Manages(const std::string& displayName) {
    Display* d = XOpenDisplay(displayName.c_str());
    if (!d) return false;
    auto previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    const ::Window check = WindowProperty(d, DefaultRootWindow(d), "_NET_SUPPORTING_WM_CHECK");
    const bool confirmed = check && WindowProperty(d, check, "_NET_SUPPORTING_WM_CHECK") == check;
    XSync(d, False);
    XSetErrorHandler(previous);
    XCloseDisplay(d);
    return confirmed;
}

}  // namespace

WindowManager::WindowManager(const std::string& displayName, const std::string& home, Kind kind) {
    // Its own HOME: the tester's configuration and session play no part.
    const std::string dir = home + "/window-manager";
    std::filesystem::create_directories(dir);
    const std::string name = kind == Kind::Openbox ? "openbox" : "xfwm4";
    const std::vector<std::string> argv =
        kind == Kind::Openbox
            ? std::vector<std::string>{"/usr/bin/openbox", "--sm-disable"}
            : std::vector<std::string>{
                  "/usr/bin/dbus-run-session", "--", "/usr/bin/xfwm4", "--sm-client-disable", "--compositor=off"};
    process_ = std::make_unique<ChildProcess>(argv,
                                              ChildProcess::Environment{{"DISPLAY", displayName},
                                                                        {"HOME", dir},
                                                                        {"XDG_CONFIG_HOME", dir + "/.config"},
                                                                        {"XDG_CACHE_HOME", dir + "/.cache"}},
                                              dir + "/" + name + ".out",
                                              dir + "/" + name + ".err");
    if (!PollUntil([&] { return Manages(displayName); }, std::chrono::seconds(10)))
        throw std::runtime_error(name + " did not take over " + displayName + ": " +
                                 ReadFile(dir + "/" + name + ".err"));
}

WindowManager::~WindowManager() = default;

bool WindowManager::CaughtUp(Display* display) {
    // A window of the test's own that is never mapped: only the answer shows on it.
    const ::Window probe = XCreateWindow(
        display, DefaultRootWindow(display), 0, 0, 1, 1, 0, CopyFromParent, InputOnly, CopyFromParent, 0, nullptr);
    const bool answered = native::AskFrameExtents(display, probe, std::chrono::seconds(10)).has_value();
    XDestroyWindow(display, probe);
    XSync(display, False);
    return answered;
}

}  // namespace e2e
