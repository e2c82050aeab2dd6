// The native capture on displays that are not a single 24-bit TrueColor
// screen: colour-mapped and shallower visuals, and desktops whose main
// display comes from Xinerama or from nothing but the root window.
// gtest before Xlib, whose macros (None, Bool) would break its templates.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/desktop/native/x11_capture.h"
#include "tests/e2e/child_process.h"
#include "tests/e2e/pictures_in_place.h"
#include "tests/e2e/poll.h"
#include "tests/e2e/program_sandbox.h"
#include "tests/e2e/rgb_image.h"
#include "tests/e2e/x_input.h"
#include "tests/e2e/x_screen.h"
#include "tests/e2e/x_windows.h"
#include "tests/e2e/xvfb_fixture.h"
#include "tests/e2e/xvfb_server.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

RgbImage AsRgb(const native::Image& image) { return RgbImage{image.width, image.height, image.pixels}; }

// A 16-bit colour value as the 8 bits a PNG holds, rounded.
uint32_t To8(unsigned short value) { return (uint32_t{value} * 255 + 32767) / 65535; }
uint32_t ToRgb(const XColor& c) { return To8(c.red) << 16 | To8(c.green) << 8 | To8(c.blue); }

class Scratch {
public:
    Scratch() {
        char pattern[] = "/tmp/quorrel-displays-e2e-XXXXXX";
        if (mkdtemp(pattern)) path_ = pattern;
    }
    ~Scratch() {
        if (!path_.empty()) fs::remove_all(path_);
    }
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

// Makes the image the root window's background; the pixmap lives as long as
// the connection.
void SetRootBackground(Display* display, XImage* image) {
    const ::Window root = DefaultRootWindow(display);
    const Pixmap pixmap = XCreatePixmap(display,
                                        root,
                                        static_cast<unsigned>(image->width),
                                        static_cast<unsigned>(image->height),
                                        static_cast<unsigned>(image->depth));
    GC gc = XCreateGC(display, pixmap, 0, nullptr);
    XPutImage(display,
              pixmap,
              gc,
              image,
              0,
              0,
              0,
              0,
              static_cast<unsigned>(image->width),
              static_cast<unsigned>(image->height));
    XFreeGC(display, gc);
    XSetWindowBackgroundPixmap(display, root, pixmap);
    XClearWindow(display, root);
    XSync(display, False);
}

// An image in the screen's own pixel layout, its pixels zero.
XImage* CreateScreenImage(Display* display, int width, int height) {
    const int screen = DefaultScreen(display);
    const auto depth = static_cast<unsigned>(DefaultDepth(display, screen));
    XImage* image = XCreateImage(display,
                                 DefaultVisual(display, screen),
                                 depth,
                                 ZPixmap,
                                 0,
                                 nullptr,
                                 static_cast<unsigned>(width),
                                 static_cast<unsigned>(height),
                                 32,
                                 0);
    if (!image) return nullptr;
    image->data = static_cast<char*>(calloc(static_cast<size_t>(image->bytes_per_line), static_cast<size_t>(height)));
    return image;
}

// Stripes of 48 colours, allocated in the default colormap, on the root
// window. Returns what the server says each pixel shows, which on a
// colour-mapped or shallow display is the nearest colour it could give.
// Each channel takes one of four levels, two of them black's and white's:
// an 8-bit DirectColor colormap has no more than four blue cells.
RgbImage PaintAllocatedColours(Display* display, int width, int height) {
    constexpr int kColours = 48;
    constexpr unsigned short kLevels[] = {0x0000, 0x3C3C, 0xA5A5, 0xFFFF};
    const Colormap colormap = DefaultColormap(display, DefaultScreen(display));
    std::vector<XColor> colours(kColours);
    for (int i = 0; i < kColours; ++i) {
        XColor& c = colours[static_cast<size_t>(i)];
        c.red = kLevels[(i + 1) % 4];
        c.green = kLevels[(i / 4 + 2) % 4];
        c.blue = kLevels[(i / 16 + 3) % 4];
        c.flags = DoRed | DoGreen | DoBlue;
        if (!XAllocColor(display, colormap, &c)) throw std::runtime_error("XAllocColor failed");
    }
    XImage* image = CreateScreenImage(display, width, height);
    if (!image) throw std::runtime_error("XCreateImage failed");
    RgbImage shown{width, height, {}};
    shown.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            // Narrow uneven stripes: an offset or a swapped index shows at once.
            const XColor& c = colours[static_cast<size_t>((x / 9 + y / 7 * 5) % kColours)];
            XPutPixel(image, x, y, c.pixel);
            shown.pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] = ToRgb(c);
        }
    SetRootBackground(display, image);
    XDestroyImage(image);
    return shown;
}

// The root window as ImageMagick's import sees it, as 8-bit RGB.
std::optional<RgbImage> Import(const std::string& displayName, const fs::path& folder) {
    const std::string file = (folder / "import.png").string();
    ChildProcess import({"/usr/bin/import", "-window", "root", "-display", displayName, "PNG24:" + file},
                        {},
                        (folder / "import.out").string(),
                        (folder / "import.err").string());
    const std::optional<int> status = import.WaitForExit(std::chrono::seconds(30));
    if (status != 0) return std::nullopt;
    return ReadPng(file);
}

const char* ClassName(int visualClass) {
    switch (visualClass) {
        case StaticGray: return "StaticGray";
        case GrayScale: return "GrayScale";
        case StaticColor: return "StaticColor";
        case PseudoColor: return "PseudoColor";
        case TrueColor: return "TrueColor";
        case DirectColor: return "DirectColor";
    }
    return "unknown";
}

TEST(NativeCaptureOnOtherVisuals, CaptureShowsWhatTheServerShows) {
    constexpr int kWidth = 800, kHeight = 600;
    struct Case {
        int depth;
        std::vector<std::string> arguments;  // Xvfb's -cc picks the root's visual class
        int visualClass;
    };
    const Case cases[] = {
        {8, {}, PseudoColor},
        {8, {"-cc", "2"}, StaticColor},
        {8, {"-cc", "1"}, GrayScale},
        {8, {"-cc", "0"}, StaticGray},
        {8, {"-cc", "5"}, DirectColor},
        {8, {"-cc", "4"}, TrueColor},
        {15, {}, TrueColor},
        {16, {}, TrueColor},
        {30, {}, TrueColor},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.depth) + "-bit " + ClassName(c.visualClass));
        Scratch scratch;
        ASSERT_FALSE(scratch.Path().empty());
        XvfbServer xvfb(kWidth, kHeight, scratch.Path().string(), c.depth, c.arguments);
        XWindows x(xvfb.DisplayName());
        Display* display = x.display();
        // The server made the display the case is about.
        const Visual* visual = DefaultVisual(display, DefaultScreen(display));
        EXPECT_EQ(visual->c_class, c.visualClass);
        EXPECT_EQ(DefaultDepth(display, DefaultScreen(display)), c.depth);

        const RgbImage shown = PaintAllocatedColours(display, kWidth, kHeight);
        EXPECT_GE(std::set<uint32_t>(shown.pixels.begin(), shown.pixels.end()).size(), 8u)
            << "the picture needs several colours to show anything";
        auto capture = native::X11Capture::Open(xvfb.DisplayName().c_str());
        ASSERT_NE(capture, nullptr);
        const RgbImage shot = AsRgb(capture->CaptureDisplay(0));
        EXPECT_EQ(FirstDifference(shot, shown), std::nullopt) << "capture vs the allocated colours";
        const std::optional<RgbImage> imported = Import(xvfb.DisplayName(), scratch.Path());
        ASSERT_TRUE(imported.has_value()) << ReadFile((scratch.Path() / "import.err").string());
        // import spreads a narrow TrueColor channel over 8 bits in steps of its own.
        EXPECT_EQ(FirstDifference(shot, *imported, 1), std::nullopt) << "capture vs import";
        // An area goes through the same colours.
        EXPECT_EQ(FirstDifference(AsRgb(capture->CaptureArea(101, 53, 97, 61)), shown.Crop(101, 53, 97, 61)),
                  std::nullopt);
    }
}

TEST(NativeCaptureOnOtherVisuals, ColormapChangesShowInTheNextCapture) {
    constexpr int kWidth = 64, kHeight = 48;
    Scratch scratch;
    ASSERT_FALSE(scratch.Path().empty());
    XvfbServer xvfb(kWidth, kHeight, scratch.Path().string(), 8);
    XWindows x(xvfb.DisplayName());
    Display* display = x.display();
    ASSERT_EQ(DefaultVisual(display, DefaultScreen(display))->c_class, PseudoColor);
    // One writable cell fills the screen; storing a colour in it repaints
    // the screen without a single pixel value changing.
    const Colormap colormap = DefaultColormap(display, DefaultScreen(display));
    unsigned long cell = 0;
    ASSERT_TRUE(XAllocColorCells(display, colormap, False, nullptr, 0, &cell, 1));
    XColor colour{};
    colour.pixel = cell;
    colour.flags = DoRed | DoGreen | DoBlue;
    colour.red = 0xC0C0;
    colour.green = 0x2020;
    colour.blue = 0x8080;
    XStoreColor(display, colormap, &colour);
    XImage* image = CreateScreenImage(display, kWidth, kHeight);
    ASSERT_NE(image, nullptr);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) XPutPixel(image, x, y, cell);
    SetRootBackground(display, image);
    XDestroyImage(image);

    auto capture = native::X11Capture::Open(xvfb.DisplayName().c_str());
    ASSERT_NE(capture, nullptr);
    EXPECT_EQ(capture->CaptureArea(10, 10, 1, 1).pixels, std::vector<uint32_t>{0xC02080});
    colour.red = 0x1010;
    colour.green = 0xF0F0;
    colour.blue = 0x4040;
    XStoreColor(display, colormap, &colour);
    XSync(display, False);
    EXPECT_EQ(capture->CaptureArea(10, 10, 1, 1).pixels, std::vector<uint32_t>{0x10F040});
}

// Qt finds no paint engine for an 8-bit visual: the program runs and its
// windows map, but stay undrawn. The capture is ours and sees the colours.
TEST(ProgramOnAnEightBitDisplay, ChordSavesTheColoursOnTheScreen) {
    constexpr int kWidth = 800, kHeight = 600;
    ProgramSandbox sandbox;
    fs::create_directories(sandbox.Documents());
    XvfbServer xvfb(kWidth, kHeight, sandbox.Root().string(), 8);
    XWindows x(xvfb.DisplayName());
    ASSERT_EQ(DefaultVisual(x.display(), DefaultScreen(x.display()))->c_class, PseudoColor);
    const RgbImage shown = PaintAllocatedColours(x.display(), kWidth, kHeight);
    XInput input(x.display());
    input.MoveTo(kWidth - 1, kHeight - 1);
    const std::unique_ptr<ChildProcess> program = sandbox.Start(xvfb.DisplayName());
    const std::optional<TopLevel> panel = x.WaitForTitle(kControlPanelTitle);
    ASSERT_TRUE(panel) << ReadFile(sandbox.StderrPath().string());

    auto files = [&] {
        std::vector<fs::path> found;
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(sandbox.Screenshots(), ec)) found.push_back(e.path());
        return found;
    };
    input.Press(XK_Alt_L);
    input.Press(XK_Super_L);
    const bool saved = PollUntil([&] { return !files().empty(); }, 5s, 5ms);
    input.Release(XK_Super_L);
    input.Release(XK_Alt_L);
    ASSERT_TRUE(saved) << "no screenshot after the chord; stderr: " << ReadFile(sandbox.StderrPath().string());
    // The chord captures on every tick: the last one may still be writing.
    std::optional<std::vector<fs::path>> pictures;
    ASSERT_TRUE(PollUntil([&] {
        return (pictures = PicturesInPlace(program->Pid(), sandbox.Screenshots())).has_value();
    })) << "a write did not end";

    const std::optional<RgbImage> imported = Import(xvfb.DisplayName(), sandbox.Root());
    ASSERT_TRUE(imported.has_value());
    // Below the Control Panel nothing covers the picture.
    const int top = panel->geometry.y + panel->geometry.height + 40;
    ASSERT_LT(top, kHeight);
    for (const fs::path& file : *pictures) {
        SCOPED_TRACE(file.filename().string());
        const std::optional<RgbImage> png = ReadPng(file.string());
        ASSERT_TRUE(png.has_value());
        EXPECT_EQ(FirstDifference(*png, *imported), std::nullopt) << "file vs import";
        const int below = kHeight - top;
        EXPECT_EQ(FirstDifference(png->Crop(0, top, kWidth, below), shown.Crop(0, top, kWidth, below)), std::nullopt)
            << "file vs the allocated colours";
    }
}

// Without RandR 1.5 monitors the main display is the first Xinerama screen,
// and without Xinerama the whole root window. Xvfb lays its screens over one
// another from the top-left corner: a small first screen and a larger second
// one make a root window larger than the first screen.
TEST(NativeCaptureMainDisplay, FirstXineramaScreenElseTheRootWindow) {
    struct Case {
        const char* what;
        std::vector<std::string> arguments;
        native::MonitorRect main;
    };
    const Case cases[] = {
        // RandR 1.6 is there and reports the first screen as its one monitor.
        {"Xinerama with RandR", {"-screen", "1", "800x600x24", "+xinerama"}, {0, 0, 320, 240}},
        {"Xinerama without RandR",
         {"-extension", "RANDR", "-screen", "1", "800x600x24", "+xinerama"},
         {0, 0, 320, 240}},
        {"neither", {"-extension", "RANDR"}, {0, 0, 320, 240}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Scratch scratch;
        ASSERT_FALSE(scratch.Path().empty());
        XvfbServer xvfb(320, 240, scratch.Path().string(), 24, c.arguments);
        XWindows x(xvfb.DisplayName());
        Display* display = x.display();
        const int rootWidth = DisplayWidth(display, DefaultScreen(display));
        const int rootHeight = DisplayHeight(display, DefaultScreen(display));
        const RgbImage picture = TestPattern(rootWidth, rootHeight);
        PaintRootBackground(display, picture);

        auto capture = native::X11Capture::Open(xvfb.DisplayName().c_str());
        ASSERT_NE(capture, nullptr);
        const native::MonitorRect main = capture->MainDisplay();
        EXPECT_EQ(main.x, c.main.x);
        EXPECT_EQ(main.y, c.main.y);
        EXPECT_EQ(main.width, c.main.width);
        EXPECT_EQ(main.height, c.main.height);
        const RgbImage expected = picture.Crop(main.x, main.y, main.width, main.height);
        EXPECT_EQ(FirstDifference(AsRgb(capture->CaptureDisplay(0)), expected), std::nullopt);
    }
}

}  // namespace
}  // namespace e2e
