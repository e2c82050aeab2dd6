// Real input through XTest: keys and chords, pointer moves and clicks, as the
// X server delivers them to whichever client looks.
#pragma once
#include <X11/Xlib.h>

#include <chrono>
#include <initializer_list>

namespace e2e {

class XInput {
public:
    explicit XInput(Display* display);

    void Press(KeySym key);
    void Release(KeySym key);
    // Press the keys in order, release them in reverse.
    void Tap(std::initializer_list<KeySym> keys);

    // On the display's default screen, or on the X screen numbered `screen`.
    void MoveTo(int x, int y, int screen = -1);
    void ButtonDown();
    void ButtonUp();
    void ClickAt(int x, int y);

private:
    void Key(KeySym key, bool down);
    Display* display_;
};

}  // namespace e2e
