// The two corners of the capture rectangle on desktops of more than one
// monitor or X screen: a corner is taken where the user pressed on the
// program's own screen, and the capture holds what was between the corners.
#include "tests/e2e/xvfb_fixture.h"
// After gtest: Xlib's macros would break its templates.
#include "tests/e2e/x_monitors.h"

namespace e2e {
namespace {

constexpr uint32_t kRed = 0xff0000;

class AreaSelection : public XvfbFixture {
protected:
    uint32_t PanelPixel(int px, int py) {
        const Point p = InPanel(px, py);
        return ReadScreen(x->display(), Rect{p.x, p.y, 1, 1}).At(0, 0);
    }
    bool TopCornerTaken() { return PanelPixel(215, 101) == kRed; }
    bool BottomCornerTaken() { return PanelPixel(234, 111) == kRed; }

    // Ticks "Set Screenshot Area" and answers its message.
    void StartSelection() {
        const auto known = x->Mapped();
        ClickInPanel(46 + 8, 96 + 10);
        const auto message = WaitForNewWindow(known);
        ASSERT_TRUE(message) << "no area message appeared";
        PressReturnIn(*message);
        ASSERT_TRUE(x->WaitUntilGone(message->id)) << "the area message did not go away";
    }

    // Holds the button down at a point until the corner is taken, and lets go.
    bool PressUntilTaken(Point at, const std::function<bool()>& taken) {
        input->MoveTo(at.x, at.y);
        input->ButtonDown();
        const bool ok = PollUntil(taken, 5s);
        input->ButtonUp();
        return ok;
    }

    // Takes a chord's capture and returns the one file it wrote.
    std::optional<RgbImage> ChordCapture() {
        if (!HoldChordUntil([&] { return !ScreenshotFiles().empty(); })) return std::nullopt;
        Pause(300ms);  // holding the chord captures on every tick: let the last write land
        const auto files = ScreenshotFiles();
        return files.empty() ? std::nullopt : ReadPng(files.back().string());
    }
};

// A second X screen (":n.1") beside the program's.
class AreaSelectionOnTwoXScreens : public AreaSelection {
protected:
    AreaSelectionOnTwoXScreens() { xvfbArguments = {"-screen", "1", "800x600x24"}; }
};

TEST_F(AreaSelectionOnTwoXScreens, PressesOnTheOtherScreenTakeNoCorner) {
    StartProgram();
    ASSERT_TRUE(panel);
    StartSelection();
    const Rect area{500, 400, 210, 150};
    using Corner = std::pair<Point, std::function<bool()>>;
    const Corner corners[] = {{{area.x, area.y}, [&] { return TopCornerTaken(); }},
                              {{area.x + area.width, area.y + area.height}, [&] { return BottomCornerTaken(); }}};
    for (const auto& [corner, taken] : corners) {
        // Held on the other screen past the moment the wait is armed (one
        // second after the step before it), the button takes nothing...
        input->MoveTo(corner.x, corner.y, 1);
        input->ButtonDown();
        EXPECT_FALSE(PollUntil(taken, 2500ms)) << "a press on the other screen was taken";
        // ...and it takes the corner once the pointer is on the program's screen.
        input->MoveTo(corner.x, corner.y, 0);
        EXPECT_TRUE(PollUntil(taken, 5s)) << "the press was not taken on the program's screen";
        input->ButtonUp();
    }
    input->MoveTo(kScreenWidth - 1, kScreenHeight - 1, 0);
    const std::optional<RgbImage> png = ChordCapture();
    ASSERT_TRUE(png) << "no readable screenshot after the chord";
    EXPECT_EQ(FirstDifference(*png, ReadScreen(x->display(), area)), std::nullopt);
}

// The main display is the right one of two monitors: the corners and the
// rectangle's capture agree, wherever the positions count from.
class AreaSelectionBesideTheMainDisplay : public AreaSelection {
protected:
    void PrepareServer() override {
        XWindows server(xvfb->DisplayName());
        ReplaceMonitors(server.display(), {{"Left", 0, 0, 640, 800, false}, {"Right", 640, 0, 640, 800, true}});
    }
};

TEST_F(AreaSelectionBesideTheMainDisplay, TheCaptureHoldsWhatWasBetweenTheCorners) {
    StartProgram();
    ASSERT_TRUE(panel);
    // From the other monitor onto the main one.
    const Rect area{400, 450, 430, 170};
    StartSelection();
    ASSERT_TRUE(PressUntilTaken({area.x, area.y}, [&] { return TopCornerTaken(); }));
    ASSERT_TRUE(PressUntilTaken({area.x + area.width, area.y + area.height}, [&] { return BottomCornerTaken(); }));
    input->MoveTo(kScreenWidth - 1, kScreenHeight - 1);
    const std::optional<RgbImage> png = ChordCapture();
    ASSERT_TRUE(png) << "no readable screenshot after the chord";
    EXPECT_EQ(FirstDifference(*png, ReadScreen(x->display(), area)), std::nullopt);
}

}  // namespace
}  // namespace e2e
