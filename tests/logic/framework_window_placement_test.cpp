// Window placement arithmetic: unplaced windows centred on the main work
// area and stepped off each other; positions the program set kept, with the
// title bar and the menu bar pulled onto the screens when they are off them.
#include "platform/core/window_placement.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using namespace fw::placement;

constexpr int64_t kMin32 = std::numeric_limits<int32_t>::min(), kMax32 = std::numeric_limits<int32_t>::max();
// A frame as openbox draws it: a 20-pixel title bar and 1-pixel borders.
constexpr Margins kFrame{1, 20, 1, 1};
// The Control Panel: 288 x 137 content under a 19-pixel menu bar.
const WindowShape kPanel{288, 156, {0, 19}, kFrame};
const Screens kOneScreen{{0, 0, 1280, 800}, {{0, 0, 1280, 800}}};
// A 1920 x 1080 main monitor with a 30-pixel panel at its top, and a smaller
// monitor to its right.
const Screens kTwoScreens{{0, 30, 1920, 1050}, {{0, 30, 1920, 1050}, {1920, 0, 1280, 1024}}};

std::string Show(Point p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

TEST(PlacementArithmetic, ProgramPositionsKeepTheTitleAndMenuBarsOnTheScreens) {
    struct Case {
        const char* what;
        Point asked;
        Screens screens;
        Point want;
    };
    const std::vector<Case> cases = {
        {"on the screen", {150, 150}, kOneScreen, {150, 150}},
        {"bars above the screen", {150, 10}, kOneScreen, {150, 39}},
        {"off the right edge", {1100, 150}, kOneScreen, {991, 150}},
        {"wholly below: the bars stay, at the bottom", {150, 5000}, kOneScreen, {150, 800}},
        {"Integer limits: far up and right", {kMax32, kMin32}, kOneScreen, {991, 39}},
        {"Integer limits: far down and left", {kMin32, kMax32}, kOneScreen, {1, 800}},
        {"under the desktop's panel", {400, 40}, kTwoScreens, {400, 69}},
        {"on the second monitor", {2000, 100}, kTwoScreens, {2000, 100}},
        {"across the two monitors", {1800, 100}, kTwoScreens, {1800, 100}},
        {"below the smaller monitor: the nearer one takes it", {2500, 1100}, kTwoScreens, {2500, 1024}},
        {"no monitor known: X11's 16 bits", {kMin32, kMax32}, Screens{}, {-32768, 32767 + 19}},
    };
    for (const auto& c : cases) EXPECT_EQ(Show(KeepReachable(c.asked, kPanel, c.screens)), Show(c.want)) << c.what;
}

TEST(PlacementArithmetic, UnplacedWindowsAreCentredOnTheMainWorkArea) {
    const WindowShape help{350, 367, {0, 19}, kFrame};
    // The frame (352 x 388) centred on 1280 x 800; the content below the bars.
    EXPECT_EQ(Show(PlaceUnpositioned(help, kOneScreen, {})), Show({465, 245}));
    // Centred on the work area, below the panel, on the main monitor.
    EXPECT_EQ(Show(PlaceUnpositioned(help, kTwoScreens, {})), Show({785, 30 + 331 + 39}));
    // Larger than the work area: its top-left corner on the area's.
    const WindowShape huge{3000, 2000, {0, 19}, kFrame};
    EXPECT_EQ(Show(PlaceUnpositioned(huge, kOneScreen, {})), Show({1, 39}));
    // No window manager: no frame.
    const WindowShape bare{350, 367, {0, 19}, {}};
    EXPECT_EQ(Show(PlaceUnpositioned(bare, kOneScreen, {})), Show({465, 235}));
}

TEST(PlacementArithmetic, AWindowOpeningWhereAnotherStandsStepsDownAndRight) {
    const Box helpFrame{464, 206, 352, 388};  // centred, as above
    const WindowShape about{264, 290, {0, 0}, kFrame};
    // Centred it would share the Help window's centre: a title bar lower and
    // further right than the Help window instead.
    EXPECT_EQ(Show(PlaceUnpositioned(about, kOneScreen, {helpFrame})), Show({484 + 1, 226 + 20}));
    // And the next one a step from that, whatever the order of the others.
    const Box aboutFrame{484, 226, 266, 311};
    const WindowShape selfTest{212, 102, {0, 0}, kFrame};
    EXPECT_EQ(Show(PlaceUnpositioned(selfTest, kOneScreen, {aboutFrame, helpFrame})), Show({504 + 1, 246 + 20}));
    // A window elsewhere is no reason to move.
    EXPECT_EQ(Show(PlaceUnpositioned(about, kOneScreen, {{0, 0, 300, 200}})), Show({507 + 1, 244 + 20}));
    // Without a title bar to measure, the step is a usual title bar's height.
    const WindowShape bare{264, 290, {0, 0}, {}};
    const Box bareHelp{465, 216, 350, 367};
    EXPECT_EQ(Show(PlaceUnpositioned(bare, kOneScreen, {bareHelp})),
              Show({465 + kFallbackTitleBarHeight, 216 + kFallbackTitleBarHeight}));
    // Stepping never leaves the work area.
    const Screens small{{0, 0, 300, 340}, {{0, 0, 300, 340}}};
    EXPECT_EQ(Show(PlaceUnpositioned(about, small, {{17, 14, 266, 311}})), Show({300 - 266 + 1, 340 - 311 + 20}));
}

}  // namespace
