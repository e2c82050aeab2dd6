// Global key and mouse state from the X server, whatever application is in
// front. Alt, Super and button 1 are followed from XInput2 raw events, so a
// 10 ms poll of them costs no round trip; the pointer position is asked for
// when it is wanted. Without XInput2 every read asks the server instead.
#pragma once
#include <cstdint>
#include <memory>

namespace native {

// What is held down now.
struct HeldState {
    bool button1 = false;  // the logical button 1, after the pointer mapping
    bool alt = false;      // any key of Mod1
    bool super = false;    // any key of Mod4
    // When a key of Mod4 last went down, wherever the focus was: X server
    // time in milliseconds, the clock of the key events. Unknown without
    // XInput2.
    bool superPressSeen = false;
    uint32_t lastSuperPress = 0;
};

struct PointerPosition {
    int32_t x = 0, y = 0;  // device pixels on the root window
    // On the screen of this connection's root window; the position is then
    // that screen's. Elsewhere it is another screen's, of no use here.
    bool onScreen = true;
};

struct PointerState {
    int32_t x = 0, y = 0;  // device pixels on the root window
    bool button1 = false;
    bool alt = false;    // Mod1
    bool super = false;  // Mod4
};

class X11Input {
public:
    enum class Source {
        RawEvents,       // XInput2 raw events: held state without round trips
        PointerQueries,  // one XQueryPointer per read (shared within 1 ms)
    };

    // Opens its own connection; nullptr when there is no display. Asking for
    // raw events gives pointer queries when the server lacks XInput2 2.1.
    static std::unique_ptr<X11Input> Open(const char* displayName = nullptr, Source preferred = Source::RawEvents);
    virtual ~X11Input() = default;

    virtual Source InputSource() const = 0;
    // Without a round trip when the source is raw events: reads what the
    // server has already sent, never waits.
    virtual HeldState Held() = 0;
    // One round trip.
    virtual PointerPosition Position() = 0;

    // Everything at once: the position, then the held state as of that
    // round trip.
    PointerState Query();
};

}  // namespace native
