// Opening the input, and the fallback without XInput2: XQueryPointer on the
// root window gives pointer, button 1 and modifiers in one round trip.
#include "platform/desktop/native/x11_input.h"

#include <X11/Xlib.h>

#include <chrono>

#include "platform/desktop/native/x11_raw_event_input.h"

namespace native {

namespace {

class PointerQueryInput : public X11Input {
public:
    explicit PointerQueryInput(Display* display) : display_(display), root_(DefaultRootWindow(display)) {}
    ~PointerQueryInput() override { XCloseDisplay(display_); }

    Source InputSource() const override { return Source::PointerQueries; }

    HeldState Held() override {
        // A tick reads Alt, then Super: one round trip serves both.
        if (!valid_ || std::chrono::steady_clock::now() - at_ >= std::chrono::milliseconds(1)) Ask();
        return HeldState{last_.button1, last_.alt, last_.super};
    }

    PointerPosition Position() override {
        Ask();
        return PointerPosition{last_.x, last_.y, onScreen_};
    }

private:
    void Ask() {
        Window rootReturn = 0, child = 0;
        int rootX = 0, rootY = 0, winX = 0, winY = 0;
        unsigned int mask = 0;
        // False only means the pointer is on another screen; the root
        // coordinates (that screen's) and the mask are still filled in.
        onScreen_ = XQueryPointer(display_, root_, &rootReturn, &child, &rootX, &rootY, &winX, &winY, &mask);
        last_.x = rootX;
        last_.y = rootY;
        last_.button1 = (mask & Button1Mask) != 0;
        last_.alt = (mask & Mod1Mask) != 0;
        last_.super = (mask & Mod4Mask) != 0;
        at_ = std::chrono::steady_clock::now();
        valid_ = true;
    }

    Display* display_;
    Window root_;
    PointerState last_;
    bool onScreen_ = true;
    std::chrono::steady_clock::time_point at_{};
    bool valid_ = false;
};

}  // namespace

std::unique_ptr<X11Input> X11Input::Open(const char* displayName, Source preferred) {
    Display* display = XOpenDisplay(displayName);
    if (!display) return nullptr;
    if (preferred == Source::RawEvents) {
        if (auto input = OpenRawEventInput(display)) return input;
    }
    return std::make_unique<PointerQueryInput>(display);
}

PointerState X11Input::Query() {
    // The round trip first: the events sent before its reply are read with
    // it, so the held state is the one at that same moment.
    const PointerPosition position = Position();
    const HeldState held = Held();
    PointerState state;
    state.x = position.x;
    state.y = position.y;
    state.button1 = held.button1;
    state.alt = held.alt;
    state.super = held.super;
    return state;
}

}  // namespace native
