// The native input and capture pieces against a real X server: what XTest
// injects is what the input sees, and the captures give back exactly the
// picture on the root window.
// gtest before Xlib, whose macros (None, Bool) would break its templates.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xrandr.h>
#include <X11/keysym.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <utility>

#include "platform/desktop/native/x11_capture.h"
#include "platform/desktop/native/x11_input.h"
#include "tests/e2e/poll.h"
#include "tests/e2e/rgb_image.h"
#include "tests/e2e/x_input.h"
#include "tests/e2e/x_screen.h"
#include "tests/e2e/xvfb_server.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
constexpr int kWidth = 640, kHeight = 480;

RgbImage AsRgb(const native::Image& image) { return RgbImage{image.width, image.height, image.pixels}; }

class NativeCaptureTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/quorrel-native-e2e-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        logs = pattern;
        xvfb = std::make_unique<XvfbServer>(kWidth, kHeight, logs.string());
        display = XOpenDisplay(xvfb->DisplayName().c_str());
        ASSERT_NE(display, nullptr);
        picture = TestPattern(kWidth, kHeight);
        PaintRootBackground(display, picture);
    }
    void TearDown() override {
        if (display) XCloseDisplay(display);
        xvfb.reset();
        fs::remove_all(logs);
    }

    fs::path logs;
    std::unique_ptr<XvfbServer> xvfb;
    Display* display = nullptr;
    RgbImage picture;
};

TEST_F(NativeCaptureTest, InputSeesChordButtonAndPointer) {
    // Xvfb has XInput2: asked for, raw events are what the input follows.
    for (const auto source : {native::X11Input::Source::RawEvents, native::X11Input::Source::PointerQueries}) {
        SCOPED_TRACE(source == native::X11Input::Source::RawEvents ? "raw events" : "pointer queries");
        auto query = native::X11Input::Open(xvfb->DisplayName().c_str(), source);
        ASSERT_NE(query, nullptr);
        EXPECT_EQ(query->InputSource(), source);
        XInput inject(display);

        inject.MoveTo(123, 456);
        native::PointerState s = query->Query();
        EXPECT_EQ(s.x, 123);
        EXPECT_EQ(s.y, 456);
        EXPECT_FALSE(s.alt || s.super || s.button1);

        inject.Press(XK_Alt_L);
        s = query->Query();
        EXPECT_TRUE(s.alt);
        EXPECT_FALSE(s.super);
        inject.Press(XK_Super_L);
        s = query->Query();
        EXPECT_TRUE(s.alt && s.super);
        inject.Release(XK_Super_L);
        inject.Release(XK_Alt_L);
        s = query->Query();
        EXPECT_FALSE(s.alt || s.super);

        inject.ButtonDown();
        EXPECT_TRUE(query->Query().button1);
        inject.ButtonUp();
        EXPECT_FALSE(query->Query().button1);

        inject.MoveTo(kWidth - 1, 0);
        s = query->Query();
        EXPECT_EQ(s.x, kWidth - 1);
        EXPECT_EQ(s.y, 0);
    }
}

// Held() never waits for the server, so what was just injected shows up
// within a moment rather than at once: poll for it.
::testing::AssertionResult HeldBecomes(native::X11Input& input, bool alt, bool super, bool button1) {
    native::HeldState last;
    const bool reached = PollUntil(
        [&] {
            last = input.Held();
            return last.alt == alt && last.super == super && last.button1 == button1;
        },
        2s,
        1ms);
    if (reached) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "held alt " << last.alt << " super " << last.super << " button1 "
                                         << last.button1 << ", wanted " << alt << " " << super << " " << button1;
}

TEST_F(NativeCaptureTest, HeldStateFollowsEachKeyOnItsOwn) {
    auto input = native::X11Input::Open(xvfb->DisplayName().c_str());
    ASSERT_NE(input, nullptr);
    ASSERT_EQ(input->InputSource(), native::X11Input::Source::RawEvents);
    XInput inject(display);

    inject.Press(XK_Alt_L);
    EXPECT_TRUE(HeldBecomes(*input, true, false, false));
    inject.Press(XK_Super_L);
    EXPECT_TRUE(HeldBecomes(*input, true, true, false));
    // Alt let go first: Super alone is still down.
    inject.Release(XK_Alt_L);
    EXPECT_TRUE(HeldBecomes(*input, false, true, false));
    inject.ButtonDown();
    EXPECT_TRUE(HeldBecomes(*input, false, true, true));
    inject.Release(XK_Super_L);
    EXPECT_TRUE(HeldBecomes(*input, false, false, true));
    inject.ButtonUp();
    EXPECT_TRUE(HeldBecomes(*input, false, false, false));
}

TEST_F(NativeCaptureTest, WhatIsHeldAtOpenIsReleasedLater) {
    XInput inject(display);
    inject.Press(XK_Alt_L);
    inject.ButtonDown();
    auto input = native::X11Input::Open(xvfb->DisplayName().c_str());
    ASSERT_NE(input, nullptr);
    ASSERT_EQ(input->InputSource(), native::X11Input::Source::RawEvents);
    const native::HeldState atOpen = input->Held();
    EXPECT_TRUE(atOpen.alt);
    EXPECT_TRUE(atOpen.button1);
    EXPECT_FALSE(atOpen.super);
    inject.Release(XK_Alt_L);
    inject.ButtonUp();
    EXPECT_TRUE(HeldBecomes(*input, false, false, false));
}

TEST_F(NativeCaptureTest, HeldStateSeenWhileAnotherClientGrabs) {
    auto input = native::X11Input::Open(xvfb->DisplayName().c_str());
    ASSERT_NE(input, nullptr);
    // An open menu in another application holds both grabs.
    const Window root = DefaultRootWindow(display);
    ASSERT_EQ(XGrabKeyboard(display, root, False, GrabModeAsync, GrabModeAsync, CurrentTime), GrabSuccess);
    ASSERT_EQ(
        XGrabPointer(
            display, root, False, ButtonPressMask | ButtonReleaseMask, GrabModeAsync, GrabModeAsync, 0, 0, CurrentTime),
        GrabSuccess);
    XInput inject(display);
    inject.Press(XK_Alt_L);
    inject.Press(XK_Super_L);
    inject.ButtonDown();
    EXPECT_TRUE(HeldBecomes(*input, true, true, true));
    inject.ButtonUp();
    inject.Release(XK_Super_L);
    inject.Release(XK_Alt_L);
    EXPECT_TRUE(HeldBecomes(*input, false, false, false));
    XUngrabPointer(display, CurrentTime);
    XUngrabKeyboard(display, CurrentTime);
    XSync(display, False);
}

TEST_F(NativeCaptureTest, HeldStateFollowsRemappedModifiersAndButtons) {
    auto input = native::X11Input::Open(xvfb->DisplayName().c_str());
    ASSERT_NE(input, nullptr);
    ASSERT_EQ(input->InputSource(), native::X11Input::Source::RawEvents);
    XInput inject(display);

    // Right Control becomes a second Alt; the buttons swap for a left hand.
    const KeyCode control = XKeysymToKeycode(display, XK_Control_R);
    ASSERT_NE(control, 0);
    XModifierKeymap* map = XGetModifierMapping(display);
    map = XDeleteModifiermapEntry(map, control, ControlMapIndex);
    map = XInsertModifiermapEntry(map, control, Mod1MapIndex);
    ASSERT_EQ(XSetModifierMapping(display, map), MappingSuccess);
    XFreeModifiermap(map);
    unsigned char buttons[256];
    const int count = XGetPointerMapping(display, buttons, sizeof buttons);
    ASSERT_GE(count, 3);
    std::swap(buttons[0], buttons[2]);
    ASSERT_EQ(XSetPointerMapping(display, buttons, count), MappingSuccess);
    XSync(display, False);

    inject.Press(XK_Control_R);
    EXPECT_TRUE(HeldBecomes(*input, true, false, false));
    inject.Press(XK_Alt_L);
    inject.Release(XK_Control_R);
    EXPECT_TRUE(HeldBecomes(*input, true, false, false)) << "Alt_L is still down";
    inject.Release(XK_Alt_L);
    EXPECT_TRUE(HeldBecomes(*input, false, false, false));

    // The physical left button is now button 3; the right one gives button 1.
    inject.ButtonDown();
    EXPECT_FALSE(input->Query().button1);
    inject.ButtonUp();
    XTestFakeButtonEvent(display, 3, True, CurrentTime);
    XSync(display, False);
    EXPECT_TRUE(HeldBecomes(*input, false, false, true));
    XTestFakeButtonEvent(display, 3, False, CurrentTime);
    XSync(display, False);
    EXPECT_TRUE(HeldBecomes(*input, false, false, false));
}

TEST_F(NativeCaptureTest, DisplayCaptureIsTheWholeScreen) {
    auto capture = native::X11Capture::Open(xvfb->DisplayName().c_str());
    ASSERT_NE(capture, nullptr);
    const native::MonitorRect main = capture->MainDisplay();
    EXPECT_EQ(main.x, 0);
    EXPECT_EQ(main.y, 0);
    EXPECT_EQ(main.width, kWidth);
    EXPECT_EQ(main.height, kHeight);
    const RgbImage shot = AsRgb(capture->CaptureDisplay(0));
    EXPECT_EQ(FirstDifference(shot, picture), std::nullopt);
    EXPECT_EQ(capture->CaptureDisplay(1).width, 0);
}

TEST_F(NativeCaptureTest, AreasAreClippedToTheScreen) {
    auto capture = native::X11Capture::Open(xvfb->DisplayName().c_str());
    ASSERT_NE(capture, nullptr);
    struct Case {
        const char* what;
        int x, y, w, h;      // asked for
        int cx, cy, cw, ch;  // what stays on the screen (cw 0: nothing)
    };
    // In an order that grows and shrinks the shared buffer between calls.
    const Case cases[] = {
        {"inside", 10, 20, 100, 50, 10, 20, 100, 50},
        {"one pixel", 639, 479, 1, 1, 639, 479, 1, 1},
        {"whole screen and more", -5, -5, 700, 500, 0, 0, kWidth, kHeight},
        {"past the right and bottom edges", kWidth - 30, kHeight - 20, 100, 100, kWidth - 30, kHeight - 20, 30, 20},
        {"before the left and top edges", -10, -5, 40, 30, 0, 0, 30, 25},
        {"odd size", 3, 7, 333, 101, 3, 7, 333, 101},
        {"right of the screen", kWidth, 0, 10, 10, 0, 0, 0, 0},
        {"above and left of it", -50, -50, 20, 20, 0, 0, 0, 0},
        {"zero width", 10, 10, 0, 10, 0, 0, 0, 0},
        {"negative height", 10, 10, 10, -10, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const RgbImage shot = AsRgb(capture->CaptureArea(c.x, c.y, c.w, c.h));
        if (c.cw == 0) {
            EXPECT_EQ(shot.width, 0);
            EXPECT_EQ(shot.height, 0);
            EXPECT_TRUE(shot.pixels.empty());
            continue;
        }
        EXPECT_EQ(FirstDifference(shot, picture.Crop(c.cx, c.cy, c.cw, c.ch)), std::nullopt);
    }
}

TEST_F(NativeCaptureTest, MainDisplayIsThePrimaryMonitor) {
    // A second, primary monitor inside the screen, as a dual-head desktop
    // with the smaller head marked primary presents itself.
    XRRMonitorInfo* monitor = XRRAllocateMonitor(display, 0);
    monitor->name = XInternAtom(display, "QUORREL-TEST", False);
    monitor->primary = True;
    monitor->x = 100;
    monitor->y = 50;
    monitor->width = 320;
    monitor->height = 240;
    monitor->mwidth = 80;
    monitor->mheight = 60;
    XRRSetMonitor(display, DefaultRootWindow(display), monitor);
    XSync(display, False);
    XRRFreeMonitors(monitor);

    auto capture = native::X11Capture::Open(xvfb->DisplayName().c_str());
    ASSERT_NE(capture, nullptr);
    const native::MonitorRect main = capture->MainDisplay();
    EXPECT_EQ(main.x, 100);
    EXPECT_EQ(main.y, 50);
    EXPECT_EQ(main.width, 320);
    EXPECT_EQ(main.height, 240);
    EXPECT_EQ(FirstDifference(AsRgb(capture->CaptureDisplay(0)), picture.Crop(100, 50, 320, 240)), std::nullopt);
}

TEST(NativeCaptureWithoutDisplay, OpenGivesNothing) {
    EXPECT_EQ(native::X11Capture::Open(":9999"), nullptr);
    EXPECT_EQ(native::X11Input::Open(":9999"), nullptr);
}

}  // namespace
}  // namespace e2e
