// Global pointer and modifier state from one XQueryPointer on the root window.
#include "platform/desktop/native/x11_input.h"

#include <X11/Xlib.h>

namespace native {

namespace {

class XlibInput : public X11Input {
public:
    explicit XlibInput(Display* display) : display_(display), root_(DefaultRootWindow(display)) {}
    ~XlibInput() override { XCloseDisplay(display_); }

    PointerState Query() override {
        Window rootReturn = 0, child = 0;
        int rootX = 0, rootY = 0, winX = 0, winY = 0;
        unsigned int mask = 0;
        // False only means the pointer is on another screen; the root
        // coordinates and the mask are still filled in.
        XQueryPointer(display_, root_, &rootReturn, &child, &rootX, &rootY, &winX, &winY, &mask);
        PointerState state;
        state.x = rootX;
        state.y = rootY;
        state.button1 = (mask & Button1Mask) != 0;
        state.alt = (mask & Mod1Mask) != 0;
        state.super = (mask & Mod4Mask) != 0;
        return state;
    }

private:
    Display* display_;
    Window root_;
};

}  // namespace

std::unique_ptr<X11Input> X11Input::Open(const char* displayName) {
    Display* display = XOpenDisplay(displayName);
    if (!display) return nullptr;
    return std::make_unique<XlibInput>(display);
}

}  // namespace native
