// The event-driven X11Input: Alt, Super and button 1 kept from XInput2 raw
// events on the root window, which arrive whichever client has the focus or
// a grab, and for XTest input too.
#pragma once
#include <X11/Xlib.h>

#include <memory>

#include "platform/desktop/native/x11_input.h"

namespace native {

// Takes the display on success; nullptr (the display left open and still the
// caller's) when the server has no XInput2 of at least 2.1.
std::unique_ptr<X11Input> OpenRawEventInput(Display* display);

}  // namespace native
