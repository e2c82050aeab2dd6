// Under a Wayland session the X server (XWayland) does not give X clients
// the screen's pixels: no capture is saved, automatic or by the chord, and
// the user is told once why.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <fstream>

#include "tests/e2e/poll.h"
#include "tests/e2e/program_sandbox.h"
#include "tests/e2e/weston_server.h"
#include "tests/e2e/x_input.h"
#include "tests/e2e/x_windows.h"
#include "tests/e2e/xvfb_fixture.h"

namespace e2e {
namespace {

std::vector<fs::path> FilesIn(const fs::path& folder) {
    std::vector<fs::path> found;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec)) found.push_back(e.path());
    return found;
}

TEST(ProgramUnderWayland, SavesNoPictureAndSaysOnceThatCapturesNeedX11) {
    ProgramSandbox sandbox;
    fs::create_directories(sandbox.Documents());
    fs::create_directories(sandbox.PreferencesFile().parent_path());
    std::ofstream(sandbox.PreferencesFile()) << "#Window1Position 150,150\n#MyPeriod 1\n";
    WestonServer weston(sandbox.Root().string());
    XWindows x(weston.DisplayName());
    XInput input(x.display());
    const std::unique_ptr<ChildProcess> program = sandbox.Start(weston.DisplayName());
    const std::optional<TopLevel> panel = x.WaitForTitle(kControlPanelTitle);
    ASSERT_TRUE(panel) << ReadFile(sandbox.StderrPath().string());
    const Rect client = *x.Geometry(panel->id);
    const Point content{client.x, client.y + client.height - kContentHeight};
    const fs::path folder = sandbox.Screenshots();

    // "Automatic Screenshot" every second: its first capture brings the message.
    std::vector<TopLevel> known = x.Mapped();
    input.ClickAt(content.x + 60 + 8, content.y + 15 + 10);
    std::optional<TopLevel> message;
    PollUntil([&] { return (message = x.WaitForNew(known, false, 0ms)) || !FilesIn(folder).empty(); }, 10s);
    EXPECT_TRUE(FilesIn(folder).empty()) << "a picture was saved that was not read from the screen";
    ASSERT_TRUE(message) << "no message after the automatic capture";
    // Dismissed from its title bar: the headless session has no keyboard
    // focus to give it.
    x.SendDeleteWindow(message->id);
    ASSERT_TRUE(x.WaitUntilGone(message->id)) << "the message did not go away";

    // More automatic captures, then the chord, each long enough for many
    // ticks: no file, and the message does not come again.
    known = x.Mapped();
    EXPECT_FALSE(x.WaitForNew(known, /*popup=*/false, 2500ms)) << "the message came again";
    input.Press(XK_Alt_L);
    input.Press(XK_Super_L);
    EXPECT_FALSE(x.WaitForNew(known, /*popup=*/false, 1s)) << "the message came again on the chord";
    input.Release(XK_Super_L);
    input.Release(XK_Alt_L);
    EXPECT_TRUE(FilesIn(folder).empty()) << "a picture was saved that was not read from the screen";

    x.SendDeleteWindow(panel->id);
    EXPECT_EQ(program->WaitForExit(10s), 0);
}

}  // namespace
}  // namespace e2e
