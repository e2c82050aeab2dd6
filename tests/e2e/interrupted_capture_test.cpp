// A program killed in the middle of its captures: what it leaves in the
// screenshots folder is whole pictures, and the next start leaves no hidden
// temporary file there.
#include <X11/keysym.h>

#include <random>

#include "tests/e2e/xvfb_fixture.h"

namespace e2e {
namespace {

class InterruptedCapture : public XvfbFixture {};

TEST_F(InterruptedCapture, KillsDuringHeldChordCapturesLeaveOnlyWholePictures) {
    std::mt19937 rng(20261210);
    for (int kill = 0; kill < 10; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        StartProgram();
        ASSERT_TRUE(panel);
        const size_t before = ScreenshotFiles().size();
        // Held, the chord captures on every tick: the kill lands at some
        // point of a capture, write or rename.
        input->Press(XK_Alt_L);
        input->Press(XK_Super_L);
        const bool capturing = PollUntil([&] { return ScreenshotFiles().size() > before; }, 5s, 2ms);
        Pause(std::chrono::milliseconds(rng() % 80));
        program->Kill();
        input->Release(XK_Super_L);
        input->Release(XK_Alt_L);
        ASSERT_TRUE(capturing) << "no capture while the chord was held";
        ASSERT_TRUE(x->WaitUntilGone(panel->id));
    }

    StartProgram();
    ASSERT_TRUE(panel);
    auto files = ScreenshotFiles();
    ASSERT_FALSE(files.empty());
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        EXPECT_NE(file.filename().string().front(), '.') << "a hidden file stayed";
        auto png = ReadPng(file.string());
        ASSERT_TRUE(png) << "not a whole PNG";
        EXPECT_EQ(png->width, kScreenWidth);
        EXPECT_EQ(png->height, kScreenHeight);
    }
    auto status = CloseProgram();
    ASSERT_TRUE(status);
    EXPECT_EQ(*status, 0);
}

}  // namespace
}  // namespace e2e
