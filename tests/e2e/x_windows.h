// The test's own connection to the X server: finding the program's windows
// by title, their content geometry, and closing them as a window manager does.
#pragma once
#include <X11/Xlib.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
};

struct TopLevel {
    ::Window id = 0;
    std::string title;
    bool overrideRedirect = false;  // menus and other popups
    Rect geometry;                  // on the root window
};

class XWindows {
public:
    explicit XWindows(const std::string& displayName);
    ~XWindows();
    XWindows(const XWindows&) = delete;
    XWindows& operator=(const XWindows&) = delete;

    Display* display() const { return display_; }
    ::Window root() const;

    // Every mapped application window (the program's, its dialogs and
    // popups), its geometry that of the client window in root coordinates,
    // whether a window manager frames it or not.
    std::vector<TopLevel> Mapped();
    std::optional<TopLevel> FindByTitle(const std::string& title);
    std::optional<TopLevel> WaitForTitle(const std::string& title,
                                         std::chrono::milliseconds timeout = std::chrono::seconds(10));
    bool WaitUntilGone(::Window id, std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // A mapped window that is not among `known` (a message box, a dialog, a popup).
    std::optional<TopLevel> WaitForNew(const std::vector<TopLevel>& known, bool popup,
                                       std::chrono::milliseconds timeout = std::chrono::seconds(10));
    bool IsMapped(::Window id);
    std::optional<Rect> Geometry(::Window id);
    // The client window with the window manager's frame around it, as the
    // manager reports it (_NET_FRAME_EXTENTS); the client alone without one.
    std::optional<Rect> Frame(::Window id);
    // A window property of 32-bit CARDINALs (held in longs, as Xlib gives
    // them), at most `most` of them; empty when the window has none.
    std::vector<unsigned long> Cardinals(::Window id, const char* property, long most);
    // The size hints pin the window to one size (it cannot be resized).
    bool HasFixedSize(::Window id);

    void SendDeleteWindow(::Window id);
    void Focus(::Window id);

private:
    std::string Title(::Window id);
    bool IsApplicationWindow(::Window id);
    Display* display_ = nullptr;
};

}  // namespace e2e
