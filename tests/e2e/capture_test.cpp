// Manual captures on the Alt+Super chord, of the whole screen and of a
// rectangle chosen with two clicks: the files hold exactly what was on screen.
#include <ctime>

#include "tests/e2e/screenshot_name.h"
#include "tests/e2e/xvfb_fixture.h"

namespace e2e {
namespace {

constexpr uint32_t kRed = 0xff0000, kWhite = 0xffffff;

class Capture : public XvfbFixture {
protected:
    // Takes one capture with the chord and checks that every file it wrote
    // is named for the moment of the chord and holds `expected`.
    void ExpectChordCaptures(const RgbImage& expected) {
        std::time_t before = std::time(nullptr);
        ASSERT_TRUE(HoldChordUntil([&] { return !ScreenshotFiles().empty(); })) << "no screenshot after the chord";
        std::time_t after = std::time(nullptr);
        // Holding the chord captures on every tick: the last one may still be writing.
        auto files = WaitForPicturesInPlace();
        ASSERT_TRUE(files) << "a write did not end";
        ASSERT_FALSE(files->empty());
        for (const auto& file : *files) {
            SCOPED_TRACE(file.filename().string());
            auto moment = CaptureMomentOf(file.filename().string());
            ASSERT_TRUE(moment) << "not a capture-moment name";
            EXPECT_GE(*moment, before - 1);
            EXPECT_LE(*moment, after + 1);
            auto png = ReadPng(file.string());
            ASSERT_TRUE(png) << "not a readable PNG";
            auto difference = FirstDifference(*png, expected);
            EXPECT_FALSE(difference) << *difference;
        }
    }
};

TEST_F(Capture, ChordWritesTheWholeScreenNamedByItsMoment) {
    StartProgram();
    ASSERT_TRUE(panel);
    RgbImage screen = ReadScreen(x->display());
    ExpectChordCaptures(screen);
    auto difference = FirstDifference(ReadScreen(x->display()), screen);
    ASSERT_FALSE(difference) << "the screen changed during the capture: " << *difference;
}

TEST_F(Capture, AreaModeWritesTheRectangleBetweenTheTwoClickedCorners) {
    StartProgram();
    ASSERT_TRUE(panel);
    auto known = x->Mapped();
    ClickInPanel(46 + 8, 96 + 10);  // "Set Screenshot Area"
    auto message = WaitForNewWindow(known);
    ASSERT_TRUE(message) << "no area message appeared";
    PressReturnIn(*message);
    ASSERT_TRUE(x->WaitUntilGone(message->id)) << "the area message did not go away";
    EXPECT_EQ(PanelPixel(215, 101), kWhite);
    EXPECT_EQ(PanelPixel(234, 111), kWhite);

    // The wait for each corner is armed one second after the step before,
    // and a corner is taken at the first tick that finds the button down:
    // each press lasts until its indicator turns red.
    const Rect area{500, 400, 210, 150};
    ASSERT_TRUE(HoldButtonAtUntil(area.x, area.y, [&] { return PanelPixel(215, 101) == kRed; }))
        << "the top-left indicator did not turn red";
    EXPECT_EQ(PanelPixel(234, 111), kWhite) << "the first press set both corners";
    ASSERT_TRUE(HoldButtonAtUntil(area.x + area.width, area.y + area.height, [&] {
        return PanelPixel(234, 111) == kRed;
    })) << "the bottom-right indicator did not turn red";
    input->MoveTo(kScreenWidth - 1, kScreenHeight - 1);
    EXPECT_EQ(PanelPixel(215, 101), kRed);

    ExpectChordCaptures(ReadScreen(x->display(), area));
}

}  // namespace
}  // namespace e2e
