// Held keys and buttons followed from raw events. The events wait in the
// socket between reads; a read drains them without blocking, so an idle poll
// is one non-blocking read of the socket and no round trip. Raw events carry
// physical key codes and buttons: the modifier map and the pointer mapping,
// fetched at open and again on MappingNotify, give them their meaning.
#include "platform/desktop/native/x11_raw_event_input.h"

#include <X11/XKBlib.h>
#include <X11/extensions/XInput2.h>

#include <bitset>

namespace native {

namespace {

constexpr int kCodes = 256;  // key codes and button numbers both fit in a byte
using CodeSet = std::bitset<kCodes>;

class RawEventInput : public X11Input {
public:
    RawEventInput(Display* display, int opcode)
        : display_(display), root_(DefaultRootWindow(display)), opcode_(opcode) {
        SelectRawEvents();
        SelectKeyboardMapChanges();
        // Selected first, asked second: an event that raced the snapshot is
        // replayed after it in order, and the last word for each key wins.
        LoadModifierMap();
        LoadPointerMapping();
        TakeSnapshot();
    }
    ~RawEventInput() override { XCloseDisplay(display_); }

    Source InputSource() const override { return Source::RawEvents; }

    HeldState Held() override {
        Drain();
        HeldState state;
        state.alt = (keys_ & alt_).any();
        state.super = (keys_ & super_).any();
        state.button1 = (buttons_ & button1_).any();
        state.superPressSeen = superPressSeen_;
        state.lastSuperPress = lastSuperPress_;
        return state;
    }

    PointerPosition Position() override {
        Window rootReturn = 0, child = 0;
        int rootX = 0, rootY = 0, winX = 0, winY = 0;
        unsigned int mask = 0;
        const bool onScreen = XQueryPointer(display_, root_, &rootReturn, &child, &rootX, &rootY, &winX, &winY, &mask);
        return PointerPosition{rootX, rootY, onScreen};
    }

private:
    void SelectRawEvents() {
        unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
        XISetMask(bits, XI_RawKeyPress);
        XISetMask(bits, XI_RawKeyRelease);
        XISetMask(bits, XI_RawButtonPress);
        XISetMask(bits, XI_RawButtonRelease);
        XIEventMask mask;
        mask.deviceid = XIAllMasterDevices;
        mask.mask_len = sizeof bits;
        mask.mask = bits;
        XISelectEvents(display_, root_, &mask, 1);
    }

    // Xlib speaks XKB on every connection, and the server then tells of a new
    // modifier map through XKB events rather than MappingNotify.
    void SelectKeyboardMapChanges() {
        int opcode = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
        if (!XkbQueryExtension(display_, &opcode, &xkbEvent_, &error, &major, &minor)) {
            xkbEvent_ = -1;
            return;
        }
        XkbSelectEventDetails(display_, XkbUseCoreKbd, XkbMapNotify, XkbModifierMapMask, XkbModifierMapMask);
        XkbSelectEvents(display_, XkbUseCoreKbd, XkbNewKeyboardNotifyMask, XkbNewKeyboardNotifyMask);
    }

    void LoadModifierMap() {
        alt_.reset();
        super_.reset();
        XModifierKeymap* map = XGetModifierMapping(display_);
        if (!map) return;
        const int perModifier = map->max_keypermod;
        for (int k = 0; k < perModifier; ++k) {
            if (const KeyCode code = map->modifiermap[Mod1MapIndex * perModifier + k]) alt_.set(code);
            if (const KeyCode code = map->modifiermap[Mod4MapIndex * perModifier + k]) super_.set(code);
        }
        XFreeModifiermap(map);
    }

    void LoadPointerMapping() {
        button1_.reset();
        unsigned char map[kCodes] = {};
        const int count = XGetPointerMapping(display_, map, kCodes);
        for (int physical = 1; physical <= count && physical < kCodes; ++physical)
            if (map[physical - 1] == 1) button1_.set(physical);
    }

    void TakeSnapshot() {
        char down[32] = {};
        XQueryKeymap(display_, down);
        keys_.reset();
        for (int code = 0; code < kCodes; ++code)
            if (down[code / 8] & (1 << (code % 8))) keys_.set(code);

        Window rootReturn = 0, child = 0;
        int rootX = 0, rootY = 0, winX = 0, winY = 0;
        unsigned int mask = 0;
        XQueryPointer(display_, root_, &rootReturn, &child, &rootX, &rootY, &winX, &winY, &mask);
        buttons_.reset();
        // The core state says only that logical button 1 is down: hold the
        // first physical button that gives it.
        if (mask & Button1Mask) {
            for (int physical = 1; physical < kCodes; ++physical) {
                if (button1_.test(physical)) {
                    buttons_.set(physical);
                    break;
                }
            }
        }
    }

    void Drain() {
        // Reads what the socket holds without waiting; zero means the idle case.
        if (XEventsQueued(display_, QueuedAfterReading) == 0) return;
        while (XEventsQueued(display_, QueuedAlready) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
            Handle(event);
        }
    }

    void Handle(XEvent& event) {
        if (event.type == MappingNotify) {
            if (event.xmapping.request == MappingPointer) LoadPointerMapping();
            else LoadModifierMap();  // a new keyboard map may move the modifiers too
            return;
        }
        if (xkbEvent_ >= 0 && event.type == xkbEvent_) {
            const int kind = reinterpret_cast<const XkbAnyEvent&>(event).xkb_type;
            if (kind == XkbMapNotify || kind == XkbNewKeyboardNotify) LoadModifierMap();
            return;
        }
        if (event.type != GenericEvent || event.xcookie.extension != opcode_) return;
        if (!XGetEventData(display_, &event.xcookie)) return;
        const auto* raw = static_cast<const XIRawEvent*>(event.xcookie.data);
        const int code = raw->detail;
        if (code > 0 && code < kCodes) {
            switch (event.xcookie.evtype) {
                case XI_RawKeyPress:
                    keys_.set(code);
                    if (super_.test(static_cast<size_t>(code))) {
                        superPressSeen_ = true;
                        lastSuperPress_ = static_cast<uint32_t>(raw->time);
                    }
                    break;
                case XI_RawKeyRelease: keys_.reset(code); break;
                case XI_RawButtonPress: buttons_.set(code); break;
                case XI_RawButtonRelease: buttons_.reset(code); break;
                default: break;
            }
        }
        XFreeEventData(display_, &event.xcookie);
    }

    Display* display_;
    Window root_;
    int opcode_;
    int xkbEvent_ = -1;  // the first XKB event code; -1 without XKB
    CodeSet keys_;       // key codes held
    CodeSet buttons_;    // physical buttons held
    CodeSet alt_;        // key codes of Mod1
    CodeSet super_;      // key codes of Mod4
    CodeSet button1_;    // physical buttons that give logical button 1
    bool superPressSeen_ = false;
    uint32_t lastSuperPress_ = 0;  // X server time, ms
};

}  // namespace

std::unique_ptr<X11Input> OpenRawEventInput(Display* display) {
    int opcode = 0, firstEvent = 0, firstError = 0;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &firstEvent, &firstError)) return nullptr;
    // 2.1 is where raw events reach root-window listeners while another
    // client holds a grab; before it a menu open elsewhere would hide a release.
    int major = 2, minor = 2;
    if (XIQueryVersion(display, &major, &minor) != Success) return nullptr;
    if (major < 2 || (major == 2 && minor < 1)) return nullptr;
    return std::make_unique<RawEventInput>(display, opcode);
}

}  // namespace native
