// Global key and mouse state from the X server, whatever application is in
// front: one XQueryPointer round trip gives pointer, button 1 and modifiers.
#pragma once
#include <cstdint>
#include <memory>

namespace native {

struct PointerState {
    int32_t x = 0, y = 0;  // device pixels on the root window
    bool button1 = false;
    bool alt = false;      // Mod1
    bool super = false;    // Mod4
};

class X11Input {
public:
    // Opens its own connection; nullptr when there is no display.
    static std::unique_ptr<X11Input> Open(const char* displayName = nullptr);
    virtual ~X11Input() = default;
    // One round trip. Cheap enough for a 10 ms poll.
    virtual PointerState Query() = 0;
};

}  // namespace native
