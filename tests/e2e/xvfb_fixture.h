// The frame of every end-to-end test: a private Xvfb with a known picture on
// its root window, a window manager (as users have one), a sandbox HOME, and
// the real quorrel binary in it.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/child_process.h"
#include "tests/e2e/poll.h"
#include "tests/e2e/program_sandbox.h"
#include "tests/e2e/window_manager.h"
#include "tests/e2e/x_input.h"
#include "tests/e2e/x_screen.h"
#include "tests/e2e/x_windows.h"
#include "tests/e2e/xvfb_server.h"

namespace e2e {

inline constexpr const char* kControlPanelTitle = "Quorrel Control Panel";
inline constexpr int kScreenWidth = 1280, kScreenHeight = 800;
// The Control Panel's content area; the menu bar stands above it.
inline constexpr int kContentWidth = 288, kContentHeight = 137;

struct Point {
    int x = 0, y = 0;
};

class XvfbFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Runs once the server is up, before the window manager starts: the
    // place for a test to change the server's own settings (its monitors).
    virtual void PrepareServer() {}

    // Starts the program and waits for the Control Panel; fails the test when
    // it does not appear.
    void StartProgram();
    // The Control Panel's content area on the screen.
    Rect PanelContent();
    Point InPanel(int x, int y) {
        Rect c = PanelContent();
        return {c.x + x, c.y + y};
    }
    void ClickInPanel(int x, int y);
    // The colour of one pixel of the Control Panel's content on the screen.
    uint32_t PanelPixel(int x, int y);
    // Opens the n-th menu (0: File) of the Control Panel's menu bar, returns its popup.
    std::optional<TopLevel> OpenPanelMenu(int x);

    // Waits for a window that was not there before `known` was taken.
    std::optional<TopLevel> WaitForNewWindow(const std::vector<TopLevel>& known,
                                             std::chrono::milliseconds timeout = 10s);
    // Answers a modal window with Return, given the keyboard focus first.
    void PressReturnIn(const TopLevel& window);

    // Holds Alt+Super (the capture chord) until `done` holds or time runs out.
    bool HoldChordUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = 5s);
    // Holds the mouse button down at a point until `done` holds or time runs
    // out: the program reads the button as it stands at its ticks.
    bool HoldButtonAtUntil(int x, int y, const std::function<bool()>& done, std::chrono::milliseconds timeout = 5s);

    std::vector<fs::path> ScreenshotFiles() const;
    // The screenshots once the program has no write under way; nullopt when
    // one is still going at the end of the wait.
    std::optional<std::vector<fs::path>> WaitForPicturesInPlace();
    // Closes the Control Panel as a window manager does and collects the status.
    std::optional<int> CloseProgram();
    std::string ProgramStderr() const { return ReadFile(sandbox->StderrPath().string()); }

    std::unique_ptr<ProgramSandbox> sandbox;
    // Set by a test before SetUp where a window manager would hide what it looks at.
    bool bareServer = false;
    WindowManager::Kind windowManagerKind = WindowManager::Kind::Openbox;
    // More arguments for Xvfb after its first screen (more screens, say).
    std::vector<std::string> xvfbArguments;
    std::unique_ptr<XvfbServer> xvfb;
    std::unique_ptr<WindowManager> windowManager;
    std::unique_ptr<XWindows> x;
    std::unique_ptr<XInput> input;
    std::unique_ptr<ChildProcess> program;
    std::optional<TopLevel> panel;
    RgbImage pattern;
};

}  // namespace e2e
