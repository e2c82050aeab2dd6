#include "tests/e2e/x_windows.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <stdexcept>

#include "tests/e2e/poll.h"

namespace e2e {

namespace {

// Windows come and go while the test looks at them: a BadWindow for one that
// just vanished is expected and must not end the test process.
int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

XWindows::XWindows(const std::string& displayName) {
    display_ = XOpenDisplay(displayName.c_str());
    if (!display_) throw std::runtime_error("cannot open display " + displayName);
    XSetErrorHandler(IgnoreXErrors);
}

XWindows::~XWindows() {
    if (display_) XCloseDisplay(display_);
}

::Window XWindows::root() const { return DefaultRootWindow(display_); }

std::string XWindows::Title(::Window id) {
    Atom netName = XInternAtom(display_, "_NET_WM_NAME", False);
    Atom utf8 = XInternAtom(display_, "UTF8_STRING", False);
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display_, id, netName, 0, 1024, False, utf8, &type, &format, &count, &after, &data) ==
            Success &&
        data && type == utf8) {
        title.assign(reinterpret_cast<char*>(data), count);
    }
    if (data) XFree(data);
    if (!title.empty()) return title;
    char* name = nullptr;
    if (XFetchName(display_, id, &name) && name) {
        title = name;
        XFree(name);
    }
    return title;
}

std::optional<Rect> XWindows::Geometry(::Window id) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(display_, id, &a)) return std::nullopt;
    int x = 0, y = 0;
    ::Window child;
    if (!XTranslateCoordinates(display_, id, root(), 0, 0, &x, &y, &child)) return std::nullopt;
    return Rect{x, y, a.width, a.height};
}

bool XWindows::IsApplicationWindow(::Window id) {
    XClassHint hint{};
    if (!XGetClassHint(display_, id, &hint)) return false;
    if (hint.res_name) XFree(hint.res_name);
    if (hint.res_class) XFree(hint.res_class);
    return true;
}

std::vector<unsigned long> XWindows::Cardinals(::Window id, const char* property, long most) {
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    std::vector<unsigned long> values;
    const Atom atom = XInternAtom(display_, property, False);
    if (XGetWindowProperty(display_, id, atom, 0, most, False, XA_CARDINAL, &type, &format, &count, &after, &data) ==
            Success &&
        data && format == 32) {
        auto* v = reinterpret_cast<unsigned long*>(data);
        values.assign(v, v + count);
    }
    if (data) XFree(data);
    return values;
}

std::optional<Rect> XWindows::Frame(::Window id) {
    auto client = Geometry(id);
    if (!client) return std::nullopt;
    long left = 0, right = 0, top = 0, bottom = 0;
    const auto extents = Cardinals(id, "_NET_FRAME_EXTENTS", 4);
    if (extents.size() == 4) {
        left = static_cast<long>(extents[0]), right = static_cast<long>(extents[1]);
        top = static_cast<long>(extents[2]), bottom = static_cast<long>(extents[3]);
    }
    return Rect{client->x - static_cast<int>(left),
                client->y - static_cast<int>(top),
                client->width + static_cast<int>(left + right),
                client->height + static_cast<int>(top + bottom)};
}

std::vector<TopLevel> XWindows::Mapped() {
    std::vector<TopLevel> out;
    // Without a window manager the program's windows are children of the
    // root; with one, each sits inside the manager's frame, and neither the
    // frame nor its title bar names an application class.
    auto visit = [&](auto&& self, ::Window parent, int depth) -> void {
        ::Window rootReturn, parentReturn, *children = nullptr;
        unsigned int n = 0;
        if (!XQueryTree(display_, parent, &rootReturn, &parentReturn, &children, &n)) return;
        for (unsigned int i = 0; i < n; ++i) {
            XWindowAttributes a;
            if (!XGetWindowAttributes(display_, children[i], &a) || a.map_state != IsViewable) continue;
            if (IsApplicationWindow(children[i])) {
                TopLevel t;
                t.id = children[i];
                t.title = Title(children[i]);
                t.overrideRedirect = a.override_redirect;
                if (auto g = Geometry(children[i])) t.geometry = *g;
                out.push_back(t);
            } else if (depth < 2) {
                self(self, children[i], depth + 1);
            }
        }
        if (children) XFree(children);
    };
    visit(visit, root(), 0);
    return out;
}

std::optional<TopLevel> XWindows::FindByTitle(const std::string& title) {
    for (const auto& t : Mapped())
        if (t.title == title) return t;
    return std::nullopt;
}

std::optional<TopLevel> XWindows::WaitForTitle(const std::string& title, std::chrono::milliseconds timeout) {
    std::optional<TopLevel> found;
    PollUntil([&] { return (found = FindByTitle(title)).has_value(); }, timeout);
    return found;
}

bool XWindows::IsMapped(::Window id) {
    XWindowAttributes a;
    return XGetWindowAttributes(display_, id, &a) && a.map_state == IsViewable;
}

bool XWindows::WaitUntilGone(::Window id, std::chrono::milliseconds timeout) {
    return PollUntil([&] { return !IsMapped(id); }, timeout);
}

std::optional<TopLevel> XWindows::WaitForNew(const std::vector<TopLevel>& known, bool popup,
                                             std::chrono::milliseconds timeout) {
    std::optional<TopLevel> found;
    PollUntil(
        [&] {
            for (const auto& t : Mapped()) {
                if (t.overrideRedirect != popup) continue;
                bool old = std::any_of(known.begin(), known.end(), [&](const TopLevel& k) { return k.id == t.id; });
                if (!old) {
                    found = t;
                    return true;
                }
            }
            return false;
        },
        timeout);
    return found;
}

bool XWindows::HasFixedSize(::Window id) {
    XSizeHints hints{};
    long supplied = 0;
    if (!XGetWMNormalHints(display_, id, &hints, &supplied)) return false;
    if (!(hints.flags & PMinSize) || !(hints.flags & PMaxSize)) return false;
    return hints.min_width == hints.max_width && hints.min_height == hints.max_height;
}

void XWindows::SendDeleteWindow(::Window id) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = id;
    e.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, id, False, NoEventMask, &e);
    XFlush(display_);
}

void XWindows::Focus(::Window id) {
    XSetInputFocus(display_, id, RevertToParent, CurrentTime);
    XSync(display_, False);
}

}  // namespace e2e
