// Catches the X errors of a few requests instead of letting Xlib's default
// handler end the process. Main thread only: the handler is process-wide.
#pragma once
#include <X11/Xlib.h>

namespace native {

class XErrorTrap {
public:
    explicit XErrorTrap(Display* display);
    ~XErrorTrap();
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

    // Waits for the server to answer everything sent so far; true when any
    // of it raised an error since the trap was set.
    bool Caught();

private:
    static int OnError(Display* display, XErrorEvent* event);
    Display* display_;
    XErrorHandler previous_;
    XErrorTrap* outer_;
    bool caught_ = false;
};

}  // namespace native
