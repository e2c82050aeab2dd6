// Automatic capture at the shortest period, set with the arrows control.
#include <algorithm>

#include "tests/e2e/pictures_in_place.h"
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
    const auto ticked = std::chrono::steady_clock::now();
    ClickInPanel(60 + 8, 15 + 10);  // "Automatic Screenshot"

    // Four captures, the first a period after the box was ticked; a busy
    // machine can only make them come later, never sooner.
    std::vector<fs::path> files;
    const bool kept = PollUntil(
        [&] {
            if (auto inPlace = PicturesInPlace(program->Pid(), sandbox->Screenshots())) files = *inPlace;
            return files.size() >= 4;
        },
        30s);
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - ticked).count();
    ClickInPanel(60 + 8, 15 + 10);  // untick: no more captures
    ASSERT_TRUE(kept) << "captures did not keep coming: " << files.size() << " in " << seconds << " s";
    EXPECT_LE(static_cast<long>(files.size()), seconds + 1) << "more than one capture a second";
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
