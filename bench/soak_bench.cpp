// Memory in a long run: the real quorrel binary on the bench's display, its
// Help window opened and closed and its chord pressed again and again, its
// anonymous resident memory (RssAnon: the heap and the other private
// mappings) sampled as it goes; then the same with the About box and the
// Self Test window. After a warm-up (the first windows, fonts and caches),
// the growth per operation is the slope of a line fitted through the
// samples; the figure per hour is the one for the rates of a busy hour of
// use (90 Help openings, 150 chords, 30 About boxes, 30 Self Tests).
//
//   bench_soak_bench <quorrel binary> [operations per phase] [warm-up operations] [help|chord|about|selftest]
// DISPLAY must name a running X server without a window manager
// (run_soak_bench.sh starts Xvfb). Exits 1 when the goal is missed: at most
// 0.5 KiB an operation (below what the samples can tell apart).
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "bench/program_launch.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int kContentHeight = 137;  // the Control Panel's content; its menu bar is above it
constexpr double kGoalKiBPerOperation = 0.5;

bool PollUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (!condition()) {
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

// RssAnon of /proc/<pid>/status in KiB; negative when the process is gone.
double ReadRssAnonKiB(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("RssAnon:", 0) == 0) return std::stod(line.substr(8));
    return -1;
}

// What stays: the least of a few readings over a tenth of a second, so that
// the buffers of a capture still under way (the chord held past its file)
// are not counted as kept.
double RssAnonKiB(pid_t pid) {
    double least = ReadRssAnonKiB(pid);
    for (int i = 0; i < 4; ++i) {
        std::this_thread::sleep_for(25ms);
        least = std::min(least, ReadRssAnonKiB(pid));
    }
    return least;
}

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
};

class XScreen {
public:
    explicit XScreen(Display* display) : display_(display), root_(DefaultRootWindow(display)) {}

    // The viewable top-level window with that title (no window manager: the
    // root's children).
    std::optional<Window> Find(const std::string& title) {
        Window rootReturn = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        std::optional<Window> found;
        if (!XQueryTree(display_, root_, &rootReturn, &parent, &children, &count)) return found;
        for (unsigned i = 0; i < count && !found; ++i) {
            XWindowAttributes attributes{};
            attributes.map_state = IsUnmapped;
            if (!XGetWindowAttributes(display_, children[i], &attributes) || attributes.map_state != IsViewable)
                continue;
            char* name = nullptr;
            if (XFetchName(display_, children[i], &name) && name) {
                if (title == name) found = children[i];
                XFree(name);
            }
        }
        if (children) XFree(children);
        return found;
    }
    // Any viewable override-redirect window: an open menu.
    bool PopupOpen() {
        Window rootReturn = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        bool open = false;
        if (!XQueryTree(display_, root_, &rootReturn, &parent, &children, &count)) return false;
        for (unsigned i = 0; i < count && !open; ++i) {
            XWindowAttributes attributes{};
            open = XGetWindowAttributes(display_, children[i], &attributes) && attributes.map_state == IsViewable &&
                   attributes.override_redirect;
        }
        if (children) XFree(children);
        return open;
    }
    Rect Geometry(Window window) {
        XWindowAttributes attributes{};
        XGetWindowAttributes(display_, window, &attributes);
        int x = 0, y = 0;
        Window child = 0;
        XTranslateCoordinates(display_, window, root_, 0, 0, &x, &y, &child);
        return {x, y, attributes.width, attributes.height};
    }
    void Click(int x, int y) {
        XTestFakeMotionEvent(display_, -1, x, y, 0);
        XTestFakeButtonEvent(display_, 1, True, 0);
        XTestFakeButtonEvent(display_, 1, False, 0);
        XSync(display_, False);
    }
    void Key(KeySym key, bool down) {
        XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, key), down, 0);
        XSync(display_, False);
    }
    void Tap(KeySym key) {
        Key(key, true);
        Key(key, false);
    }
    // As a window manager closes a window.
    void Close(Window window) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display_, window, False, NoEventMask, &event);
        XSync(display_, False);
    }

private:
    Display* display_;
    Window root_;
};

class Program {
public:
    Program(const std::string& binary, const fs::path& home) : shots_(home / "Documents" / "QuorrelScreenshots") {
        fs::create_directories(shots_);
        fs::create_directories(home / ".config");
        pid_ = bench::LaunchProgram(binary, home);
    }
    ~Program() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    pid_t Pid() const { return pid_; }
    bool Running() { return pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) == 0; }
    bool HasScreenshot() const { return !fs::is_empty(shots_); }
    void RemoveScreenshots() const {
        for (const auto& entry : fs::directory_iterator(shots_)) fs::remove(entry.path());
    }

private:
    fs::path shots_;
    pid_t pid_ = -1;
};

// A window opened from the Control Panel's menu bar (the first menu opened,
// then `rights` to the menu, `downs` to the item), then closed as a window
// manager closes it.
bool OpenAndClose(XScreen& screen, Window panel, int rights, int downs, const std::string& title) {
    const Rect g = screen.Geometry(panel);
    screen.Click(g.x + 15, g.y + (g.height - kContentHeight) / 2);
    if (!PollUntil([&] { return screen.PopupOpen(); }, 5s)) return false;
    for (int i = 0; i < rights; ++i) screen.Tap(XK_Right);
    for (int i = 0; i < downs; ++i) screen.Tap(XK_Down);
    screen.Tap(XK_Return);
    std::optional<Window> window;
    if (!PollUntil([&] { return (window = screen.Find(title)).has_value(); }, 5s)) return false;
    screen.Close(*window);
    return PollUntil([&] { return !screen.Find(title) && !screen.PopupOpen(); }, 5s);
}

// The chord held until its file is there.
bool Chord(XScreen& screen, Program& program) {
    screen.Key(XK_Alt_L, true);
    screen.Key(XK_Super_L, true);
    const bool written = PollUntil([&] { return program.HasScreenshot(); }, 5s);
    screen.Key(XK_Super_L, false);
    screen.Key(XK_Alt_L, false);
    // A capture started on the last tick lands before the folder is emptied.
    std::this_thread::sleep_for(50ms);
    program.RemoveScreenshots();
    return written;
}

struct Phase {
    const char* name;  // to run it alone
    const char* what;
    int perHour;  // in a busy hour of use
    std::function<bool()> operation;
    bool run = false;
    double slopeKiB = 0;  // per operation
    double seconds = 0;
};

// Least-squares slope of the samples against their operation counts.
double Slope(const std::vector<std::pair<double, double>>& samples) {
    double n = static_cast<double>(samples.size()), sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (const auto& [x, y] : samples) {
        sx += x;
        sy += y;
        sxx += x * x;
        sxy += x * y;
    }
    const double d = n * sxx - sx * sx;
    return d == 0 ? 0 : (n * sxy - sx * sy) / d;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <quorrel binary> [operations per phase] [warm-up operations]\n", argv[0]);
        return 2;
    }
    const std::string quorrel = argv[1];
    const int operations = argc > 2 ? std::max(20, std::atoi(argv[2])) : 200;
    const int warmUp = argc > 3 ? std::max(0, std::atoi(argv[3])) : 40;
    const std::string only = argc > 4 ? argv[4] : "";  // one phase alone
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display (set DISPLAY)\n");
        return 2;
    }
    // Windows come and go between a look at the tree and a look at one of them.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    XScreen screen(display);
    char pattern[] = "/tmp/quorrel-soak-bench-XXXXXX";
    if (!mkdtemp(pattern)) return 2;
    const fs::path folder = pattern;
    int status = 2;
    {
        Program program(quorrel, folder / "home");
        std::optional<Window> panel;
        if (!PollUntil([&] { return (panel = screen.Find("Quorrel Control Panel")).has_value(); }, 20s)) {
            std::fprintf(stderr, "no Control Panel appeared\n");
            fs::remove_all(folder);
            return 2;
        }
        // "Show Help" in the fourth menu; "About..." the third item of the
        // second; "Check Now" the first of the third (a menu opened by the
        // keys has its first item active).
        std::vector<Phase> phases = {
            {"help", "Help opened and closed", 90, [&] { return OpenAndClose(screen, *panel, 3, 0, "Help"); }},
            {"chord", "chord to file", 150, [&] { return Chord(screen, program); }},
            {"about", "About box", 30, [&] { return OpenAndClose(screen, *panel, 1, 2, "About..."); }},
            {"selftest", "Self Test", 30, [&] { return OpenAndClose(screen, *panel, 2, 0, "Self Test"); }},
        };
        bool ok = true;
        for (Phase& phase : phases) {
            if (!only.empty() && only != phase.name) continue;
            phase.run = true;
            for (int i = 0; i < warmUp && ok; ++i) ok = phase.operation();
            std::vector<std::pair<double, double>> samples;
            const auto start = Clock::now();
            const double before = RssAnonKiB(program.Pid());
            for (int i = 0; i < operations && ok; ++i) {
                ok = phase.operation();
                if (i % 10 == 9) samples.emplace_back(i + 1, RssAnonKiB(program.Pid()));
            }
            if (!ok || !program.Running()) {
                std::fprintf(stderr, "%s failed\n", phase.what);
                break;
            }
            phase.seconds = std::chrono::duration<double>(Clock::now() - start).count();
            phase.slopeKiB = Slope(samples);
            std::printf("  RssAnon KiB:");
            for (size_t i = 0; i < samples.size(); i += std::max<size_t>(1, samples.size() / 8))
                std::printf(" %.0f", samples[i].second);
            std::printf("\n");
            std::printf("%-24s %d after %d warm-up: RssAnon %.0f -> %.0f KiB, slope %+.3f KiB each (%.1f s)\n",
                        phase.what,
                        operations,
                        warmUp,
                        before,
                        samples.back().second,
                        phase.slopeKiB,
                        phase.seconds);
        }
        if (ok) {
            double perHour = 0;
            bool met = true;
            std::string rates;
            for (const Phase& phase : phases) {
                if (!phase.run) continue;
                perHour += phase.slopeKiB * phase.perHour;
                met = met && phase.slopeKiB <= kGoalKiBPerOperation;
                rates += (rates.empty() ? "" : ", ") + std::to_string(phase.perHour) + " " + phase.name;
            }
            std::printf("per busy hour (%s): %+.1f KiB\n", rates.c_str(), perHour);
            std::printf("%s (at most %.1f KiB an operation)\n", met ? "goal met" : "GOAL MISSED", kGoalKiBPerOperation);
            status = met ? 0 : 1;
        }
    }
    fs::remove_all(folder);
    XCloseDisplay(display);
    return status;
}
