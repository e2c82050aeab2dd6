// Capture to PNG file on the screen of $DISPLAY, side by side with scrot on
// the same screen in the same run:
//   bench_capture_bench <quorrel binary> [runs] [scrot path]
// Exits 1 when a goal is missed: time, and the real program's chord to file,
// at most 0.3 of scrot's; file at most 1.1 times its size.
// Puts a desktop-like picture on the root window first (wallpaper gradient,
// windows with title bars and text, a photo), then times:
//   ours     X11Capture::CaptureDisplay(0) + fw::png::WriteFile, in process
//   scrot    the whole scrot process (fork, exec, wait), as a user runs it
//   chord    the real quorrel binary, HOME in a temporary folder: an XTest
//            Alt+Super press until its file appears in the folder (inotify),
//            the program's poll, naming, capture, encoding and write included
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "bench/program_launch.h"
#include "platform/core/png_file.h"
#include "platform/desktop/native/x11_capture.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

uint32_t Rgb(int r, int g, int b) {
    auto c = [](int v) { return static_cast<uint32_t>(std::clamp(v, 0, 255)); };
    return c(r) << 16 | c(g) << 8 | c(b);
}

struct Canvas {
    int width, height;
    std::vector<uint32_t> pixels;
    void Fill(int x0, int y0, int w, int h, uint32_t color) {
        for (int y = std::max(0, y0); y < std::min(height, y0 + h); ++y)
            for (int x = std::max(0, x0); x < std::min(width, x0 + w); ++x) pixels[y * width + x] = color;
    }
};

// Lines of "words": dark runs of glyph-like columns on a light page, as a
// text editor or a browser shows them.
void DrawText(Canvas& c, std::mt19937& rng, int x0, int y0, int w, int h, uint32_t ink) {
    std::uniform_int_distribution<int> word(3, 11), glyph(0, 3);
    for (int line = y0 + 6; line + 10 < y0 + h; line += 16) {
        int x = x0 + 8;
        while (x < x0 + w - 20) {
            const int letters = word(rng);
            for (int l = 0; l < letters && x < x0 + w - 12; ++l, x += 7) {
                const int shape = glyph(rng);
                for (int gy = 0; gy < 10; ++gy)
                    for (int gx = 0; gx < 5; ++gx) {
                        const bool on = shape == 0   ? (gx == 0 || gy == 9)
                                        : shape == 1 ? (gx == 2 || gy == 0)
                                        : shape == 2 ? (gy % 4 == 0 || gx == 4)
                                                     : (gx + gy) % 5 == 0;
                        if (on) c.pixels[(line + gy) * c.width + x + gx] = ink;
                    }
            }
            x += 7;
        }
    }
}

Canvas DesktopPicture(int width, int height) {
    Canvas c{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height)};
    std::mt19937 rng(42);
    // Wallpaper: a smooth diagonal gradient.
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            c.pixels[y * width + x] =
                Rgb(30 + x * 60 / width, 60 + y * 90 / height, 120 + (x + y) * 80 / (width + height));
    // A panel along the top.
    c.Fill(0, 0, width, 28, Rgb(40, 40, 44));
    DrawText(c, rng, 0, 4, 600, 24, Rgb(230, 230, 230));
    // Windows: a title bar, a flat body, text.
    struct Win {
        int x, y, w, h;
    };
    const Win wins[] = {{80, 70, 900, 620}, {700, 200, 1000, 700}, {1300, 90, 560, 420}};
    for (const Win& win : wins) {
        c.Fill(win.x + 6, win.y + 6, win.w, win.h, Rgb(20, 20, 20));  // shadow
        c.Fill(win.x, win.y, win.w, 30, Rgb(220, 222, 226));
        c.Fill(win.x, win.y + 30, win.w, win.h - 30, Rgb(252, 252, 252));
        c.Fill(win.x, win.y + 30, 180, win.h - 30, Rgb(238, 240, 244));  // a sidebar
        DrawText(c, rng, win.x + 180, win.y + 36, win.w - 180, win.h - 40, Rgb(30, 30, 30));
        DrawText(c, rng, win.x, win.y + 36, 170, win.h - 40, Rgb(80, 80, 90));
    }
    // A photo: smooth shapes with sensor noise.
    std::normal_distribution<double> noise(0.0, 6.0);
    const int px = 160, py = 720, pw = 520, ph = 330;
    for (int y = py; y < py + ph; ++y)
        for (int x = px; x < px + pw; ++x) {
            const double u = (x - px) / double(pw), v = (y - py) / double(ph);
            const double sky = v < 0.55 ? 1.0 : 0.0;
            c.pixels[y * width + x] = Rgb(int(90 + 100 * u * sky + 60 * (1 - sky) + noise(rng)),
                                          int(140 + 60 * v + noise(rng)),
                                          int(200 * sky + 50 + noise(rng)));
        }
    // A dock at the bottom.
    c.Fill(width / 2 - 300, height - 60, 600, 56, Rgb(60, 60, 70));
    for (int i = 0; i < 10; ++i)
        c.Fill(width / 2 - 290 + i * 60, height - 54, 44, 44, Rgb(40 + 20 * i, 200 - 15 * i, 90 + 16 * i));
    return c;
}

// As a root background, so that it stays however often the screen is read.
void PutOnRoot(Display* display, const Canvas& c) {
    const int screen = DefaultScreen(display);
    Window root = RootWindow(display, screen);
    Pixmap pixmap = XCreatePixmap(display, root, c.width, c.height, DefaultDepth(display, screen));
    XImage* image = XCreateImage(display,
                                 DefaultVisual(display, screen),
                                 DefaultDepth(display, screen),
                                 ZPixmap,
                                 0,
                                 reinterpret_cast<char*>(const_cast<uint32_t*>(c.pixels.data())),
                                 c.width,
                                 c.height,
                                 32,
                                 0);
    GC gc = XCreateGC(display, pixmap, 0, nullptr);
    XPutImage(display, pixmap, gc, image, 0, 0, 0, 0, c.width, c.height);
    image->data = nullptr;
    XDestroyImage(image);
    XFreeGC(display, gc);
    XSetWindowBackgroundPixmap(display, root, pixmap);
    XClearWindow(display, root);
    XFreePixmap(display, pixmap);
    XSync(display, False);
}

int RunProcess(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The real program, started on the bench's display with a home of its own.
class Program {
public:
    Program(const std::string& binary, const fs::path& home) : shots_(home / "Documents" / "QuorrelScreenshots") {
        fs::create_directories(shots_);
        watch_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (watch_ >= 0) inotify_add_watch(watch_, shots_.c_str(), IN_MOVED_TO | IN_CREATE);
        pid_ = bench::LaunchProgram(binary, home);
    }
    ~Program() {
        Stop();
        if (watch_ >= 0) close(watch_);
    }
    void Stop() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        bool ended = false;
        for (int i = 0; i < 50 && !(ended = waitpid(pid_, nullptr, WNOHANG) == pid_); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (!ended) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        pid_ = -1;
    }
    bool Running() {
        if (pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) != 0) pid_ = -1;  // ended, and reaped
        return pid_ > 0 && watch_ >= 0;
    }

    // Holds Alt+Super until a PNG file appears in the screenshots folder
    // or the time is up; milliseconds from the press, or -1. The folder is
    // emptied afterwards: holding the chord captures on every tick.
    double ChordToFile(Display* display, std::chrono::milliseconds timeout) {
        const KeyCode alt = XKeysymToKeycode(display, XK_Alt_L), super = XKeysymToKeycode(display, XK_Super_L);
        Drain();
        const auto start = Clock::now();
        XTestFakeKeyEvent(display, alt, True, 0);
        XTestFakeKeyEvent(display, super, True, 0);
        XFlush(display);
        double ms = -1;
        while (ms < 0 && Clock::now() - start < timeout) {
            pollfd p{watch_, POLLIN, 0};
            if (poll(&p, 1, 5) > 0 && Drain()) ms = Ms(Clock::now() - start);
        }
        XTestFakeKeyEvent(display, super, False, 0);
        XTestFakeKeyEvent(display, alt, False, 0);
        XSync(display, False);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));  // a write under way lands
        for (const auto& entry : fs::directory_iterator(shots_)) fs::remove(entry.path());
        Drain();
        return ms;
    }

private:
    // Reads the pending events; true when a PNG file was among them.
    bool Drain() {
        alignas(inotify_event) char buffer[4096];
        bool png = false;
        for (ssize_t n; (n = read(watch_, buffer, sizeof buffer)) > 0;)
            for (ssize_t at = 0; at < n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                const std::string name = event->len ? event->name : "";
                png = png || (name.size() > 4 && name.compare(name.size() - 4, 4, ".png") == 0);
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        return png;
    }

    fs::path shots_;
    int watch_ = -1;
    pid_t pid_ = -1;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <quorrel binary> [runs] [scrot path]\n", argv[0]);
        return 2;
    }
    const std::string quorrel = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;
    const std::string scrot = argc > 3 ? argv[3] : "/usr/bin/scrot";
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display (set DISPLAY)\n");
        return 2;
    }
    auto capture = native::X11Capture::Open();
    if (!capture) return 2;
    const native::MonitorRect main = capture->MainDisplay();
    PutOnRoot(display, DesktopPicture(main.width, main.height));

    char pattern[] = "/tmp/quorrel-capture-bench-XXXXXX";
    if (!mkdtemp(pattern)) return 2;
    const fs::path folder = pattern;
    const fs::path ours = folder / "ours.png", theirs = folder / "scrot.png";

    // The program is ready once a chord gives a file: start-up and the first
    // capture are not what is measured.
    Program program(quorrel, folder / "home");
    bool ready = false;
    for (int attempt = 0; attempt < 20 && !ready && program.Running(); ++attempt)
        ready = program.ChordToFile(display, std::chrono::seconds(1)) >= 0;
    if (!ready) {
        std::fprintf(stderr, "%s wrote no file on the chord\n", quorrel.c_str());
        program.Stop();
        fs::remove_all(folder);
        return 2;
    }

    std::vector<double> oursMs, scrotMs, chordMs;
    for (int i = 0; i < runs; ++i) {
        auto t0 = Clock::now();
        const native::Image image = capture->CaptureDisplay(0);
        const bool written = fw::png::WriteFile(ours.string(), image.width, image.height, image.pixels);
        auto t1 = Clock::now();
        if (!written) {
            std::fprintf(stderr, "WriteFile failed\n");
            return 1;
        }
        oursMs.push_back(Ms(t1 - t0));

        t0 = Clock::now();
        const int status = RunProcess({scrot, "-o", theirs.string()});
        t1 = Clock::now();
        if (status != 0) {
            std::fprintf(stderr, "%s failed (status %d)\n", scrot.c_str(), status);
            return 1;
        }
        scrotMs.push_back(Ms(t1 - t0));

        const double chord = program.ChordToFile(display, std::chrono::seconds(5));
        if (chord >= 0) chordMs.push_back(chord);
    }
    const double ourMedian = Median(oursMs), scrotMedian = Median(scrotMs);
    const auto ourSize = fs::file_size(ours), scrotSize = fs::file_size(theirs);
    std::printf(
        "screen %dx%d, %d runs, %u cores\n", main.width, main.height, runs, std::thread::hardware_concurrency());
    std::printf("capture+PNG (in process)  median %7.1f ms  (min %.1f, max %.1f)\n",
                ourMedian,
                *std::min_element(oursMs.begin(), oursMs.end()),
                *std::max_element(oursMs.begin(), oursMs.end()));
    std::printf("scrot (whole process)     median %7.1f ms  (min %.1f, max %.1f)\n",
                scrotMedian,
                *std::min_element(scrotMs.begin(), scrotMs.end()),
                *std::max_element(scrotMs.begin(), scrotMs.end()));
    std::printf("time ratio ours/scrot     %.3f  (goal <= 0.3)\n", ourMedian / scrotMedian);
    std::printf("file size ours %ju B, scrot %ju B, ratio %.3f  (goal <= 1.1)\n",
                static_cast<uintmax_t>(ourSize),
                static_cast<uintmax_t>(scrotSize),
                double(ourSize) / double(scrotSize));
    // Every chord must give its file: a missed one is a failure, not a gap.
    const double chordMedian = chordMs.size() == oursMs.size() ? Median(chordMs) : 1e9;
    if (!chordMs.empty())
        std::printf(
            "chord to file (quorrel)   median %7.1f ms  (min %.1f, max %.1f), ratio to scrot %.3f  (goal <= 0.3)\n",
            Median(chordMs),
            *std::min_element(chordMs.begin(), chordMs.end()),
            *std::max_element(chordMs.begin(), chordMs.end()),
            Median(chordMs) / scrotMedian);
    if (chordMs.size() != oursMs.size())
        std::printf("the chord gave no file in %zu of %d runs\n", oursMs.size() - chordMs.size(), runs);
    program.Stop();
    fs::remove_all(folder);
    XCloseDisplay(display);
    const bool goalsMet = ourMedian <= 0.3 * scrotMedian && double(ourSize) <= 1.1 * double(scrotSize) &&
                          chordMedian <= 0.3 * scrotMedian;
    std::printf("%s\n", goalsMet ? "goals met" : "GOALS MISSED");
    return goalsMet ? 0 : 1;
}
