#include "tests/e2e/x_clipboard.h"

#include <X11/Xatom.h>

#include <thread>

namespace e2e {
namespace {

using Clock = std::chrono::steady_clock;

// Waits for an event of `type` on `window`, polling the connection.
bool WaitForEvent(Display* d, ::Window window, int type, Clock::time_point deadline, XEvent& out) {
    for (;;) {
        if (XCheckTypedWindowEvent(d, window, type, &out)) return true;
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

// Takes the whole property off the window (and deletes it, which tells an
// owner that sends in pieces to send the next one).
std::string TakeProperty(Display* d, ::Window window, Atom property, Atom& type) {
    std::string bytes;
    long offset = 0;
    for (;;) {
        int format;
        unsigned long count, after;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(
                d, window, property, offset, 1 << 16, False, AnyPropertyType, &type, &format, &count, &after, &data) !=
            Success) {
            break;
        }
        if (data) {
            bytes.append(reinterpret_cast<char*>(data), count * static_cast<unsigned long>(format / 8));
            XFree(data);
        }
        offset += static_cast<long>(count * static_cast<unsigned long>(format / 8) / 4);
        if (after == 0) break;
    }
    XDeleteProperty(d, window, property);
    XFlush(d);
    return bytes;
}

}  // namespace

std::optional<std::string> ReadClipboard(Display* d, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    const Atom clipboard = XInternAtom(d, "CLIPBOARD", False);
    const Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    const Atom incr = XInternAtom(d, "INCR", False);
    const Atom property = XInternAtom(d, "E2E_CLIPBOARD", False);
    ::Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(d, w, PropertyChangeMask);
    XConvertSelection(d, clipboard, utf8, property, w, CurrentTime);
    XFlush(d);

    std::optional<std::string> text;
    XEvent e;
    if (WaitForEvent(d, w, SelectionNotify, deadline, e) && e.xselection.property != None) {
        // The owner's first write of the property is no piece: forget it.
        XSync(d, False);
        while (XCheckTypedWindowEvent(d, w, PropertyNotify, &e)) {
        }
        Atom type = None;
        std::string bytes = TakeProperty(d, w, property, type);
        if (type != incr) {
            text = bytes;
        } else {
            // Sent in pieces: each new value of the property is the next
            // piece, and an empty one ends the text.
            std::string whole;
            for (;;) {
                if (!WaitForEvent(d, w, PropertyNotify, deadline, e)) break;
                if (e.xproperty.atom != property || e.xproperty.state != PropertyNewValue) continue;
                std::string piece = TakeProperty(d, w, property, type);
                if (piece.empty()) {
                    text = whole;
                    break;
                }
                whole += piece;
            }
        }
    }
    XDestroyWindow(d, w);
    XFlush(d);
    return text;
}

}  // namespace e2e
