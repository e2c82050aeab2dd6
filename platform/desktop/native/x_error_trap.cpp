#include "platform/desktop/native/x_error_trap.h"

namespace native {

namespace {
XErrorTrap* activeTrap = nullptr;
}

XErrorTrap::XErrorTrap(Display* display) : display_(display) {
    // Errors of earlier requests belong to whoever made them.
    XSync(display_, False);
    outer_ = activeTrap;
    activeTrap = this;
    previous_ = XSetErrorHandler(&XErrorTrap::OnError);
}

XErrorTrap::~XErrorTrap() {
    XSync(display_, False);
    XSetErrorHandler(previous_);
    activeTrap = outer_;
}

bool XErrorTrap::Caught() {
    XSync(display_, False);
    return caught_;
}

int XErrorTrap::OnError(Display* display, XErrorEvent* event) {
    for (XErrorTrap* trap = activeTrap; trap; trap = trap->outer_)
        if (trap->display_ == display) {
            trap->caught_ = true;
            return 0;
        }
    // Not one of ours: what would have happened without the trap.
    return activeTrap && activeTrap->previous_ ? activeTrap->previous_(display, event) : 0;
}

}  // namespace native
