// Automatic capture at the shortest period, set with the arrows control.
#include <algorithm>

#include "tests/e2e/screenshot_name.h"
#include "tests/e2e/xvfb_fixture.h"

namespace e2e {
namespace {

class AutomaticCapture : public XvfbFixture {};

TEST_F(AutomaticCapture, OneFileEverySecondAtAPeriodOfOneSecond) {
    StartProgram();
    ASSERT_TRUE(panel);
    // From 300 s: four steps of a minute, then 59 of a second; at 1 the down
    // arrow does nothing, so extra presses are harmless. Alternate between two
    // points of the lower arrow, further apart than a double click allows.
    for (int press = 0; press < 75; ++press) ClickInPanel(press % 2 ? 92 : 100, 64 + 18);
    ClickInPanel(60 + 8, 15 + 10);  // "Automatic Screenshot"

    const auto watched = 4500ms;
    Pause(watched);
    auto files = ScreenshotFiles();
    ClickInPanel(60 + 8, 15 + 10);  // untick: no more captures
    ASSERT_GE(files.size(), 3u) << "captures did not keep coming";
    EXPECT_LE(files.size(), 6u) << "more than one capture a second";
    std::vector<std::time_t> moments;
    for (const auto& f : files) {
        auto m = CaptureMomentOf(f.filename().string());
        ASSERT_TRUE(m) << f.filename();
        moments.push_back(*m);
    }
    for (size_t i = 1; i < moments.size(); ++i) {
        EXPECT_GE(moments[i] - moments[i - 1], 1);
        EXPECT_LE(moments[i] - moments[i - 1], 2) << "a gap in the one-second captures";
    }

    auto status = CloseProgram();
    ASSERT_TRUE(status);
    EXPECT_EQ(*status, 0);
    EXPECT_NE(ReadFile(sandbox->PreferencesFile().string()).find("#MyPeriod 1\n"), std::string::npos);
}

}  // namespace
}  // namespace e2e
