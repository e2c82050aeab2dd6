#include "tests/e2e/x_input.h"

#include <X11/extensions/XTest.h>

#include <stdexcept>
#include <vector>

#include "tests/e2e/poll.h"

namespace e2e {

XInput::XInput(Display* display) : display_(display) {
    int event, error, major, minor;
    if (!XTestQueryExtension(display_, &event, &error, &major, &minor))
        throw std::runtime_error("the X server has no XTest");
}

void XInput::Key(KeySym key, bool down) {
    KeyCode code = XKeysymToKeycode(display_, key);
    if (!code) throw std::runtime_error("no key code for a key sym");
    XTestFakeKeyEvent(display_, code, down ? True : False, CurrentTime);
    XSync(display_, False);
}

void XInput::Press(KeySym key) { Key(key, true); }
void XInput::Release(KeySym key) { Key(key, false); }

void XInput::Tap(std::initializer_list<KeySym> keys) {
    for (KeySym k : keys) Press(k);
    Pause(30ms);
    std::vector<KeySym> reversed(keys.begin(), keys.end());
    for (auto it = reversed.rbegin(); it != reversed.rend(); ++it) Release(*it);
    Pause(30ms);
}

void XInput::MoveTo(int x, int y, int screen) {
    // XTest moves the pointer within the screen it is on; a warp takes it
    // from one screen to another.
    if (screen >= 0)
        XWarpPointer(display_, None, RootWindow(display_, screen), 0, 0, 0, 0, x, y);
    else
        XTestFakeMotionEvent(display_, DefaultScreen(display_), x, y, CurrentTime);
    XSync(display_, False);
}

void XInput::ButtonDown() {
    XTestFakeButtonEvent(display_, 1, True, CurrentTime);
    XSync(display_, False);
}

void XInput::ButtonUp() {
    XTestFakeButtonEvent(display_, 1, False, CurrentTime);
    XSync(display_, False);
}

void XInput::ClickAt(int x, int y) {
    MoveTo(x, y);
    Pause(20ms);
    ButtonDown();
    Pause(40ms);
    ButtonUp();
}

}  // namespace e2e
