#include "tests/e2e/xvfb_fixture.h"

#include "tests/e2e/pictures_in_place.h"

#include <X11/keysym.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>

namespace e2e {

void XvfbFixture::SetUp() {
    sandbox = std::make_unique<ProgramSandbox>();
    // A home as a desktop session leaves it; the first-run test takes these
    // away again to see the program make them.
    fs::create_directories(sandbox->Documents());
    fs::create_directories(sandbox->PreferencesFile().parent_path());
    // For a look at what a passing test saw (the screenshots it writes).
    if (std::getenv("QUORREL_E2E_KEEP")) sandbox->Keep();
    xvfb = std::make_unique<XvfbServer>(kScreenWidth, kScreenHeight, sandbox->Root().string(), 24, xvfbArguments);
    PrepareServer();
    if (!bareServer)
        windowManager =
            std::make_unique<WindowManager>(xvfb->DisplayName(), sandbox->Root().string(), windowManagerKind);
    x = std::make_unique<XWindows>(xvfb->DisplayName());
    input = std::make_unique<XInput>(x->display());
    pattern = TestPattern(kScreenWidth, kScreenHeight);
    PaintRootBackground(x->display(), pattern);
    // A pointer resting on the Control Panel would change how it looks.
    input->MoveTo(kScreenWidth - 1, kScreenHeight - 1);
}

void XvfbFixture::TearDown() {
    if (HasFailure()) {
        // Keep what the test saw, for the one who reads the failure.
        sandbox->Keep();
        if (x) WritePng(ReadScreen(x->display()), (sandbox->Root() / "screen-at-failure.png").string());
        std::cerr << "sandbox kept: " << sandbox->Root() << "\nprogram stderr:\n" << ProgramStderr() << "\n";
    }
    program.reset();
    input.reset();
    x.reset();
    windowManager.reset();
    xvfb.reset();
    sandbox.reset();
}

void XvfbFixture::StartProgram() {
    program = sandbox->Start(xvfb->DisplayName());
    panel = x->WaitForTitle(kControlPanelTitle);
    ASSERT_TRUE(panel) << "no Control Panel appeared; stderr: " << ProgramStderr();
    if (windowManager) {
        // The window manager gives the new panel the focus and draws its
        // title bar anew for it.
        PollUntil([&] {
            ::Window focus = 0;
            int revert = 0;
            XGetInputFocus(x->display(), &focus, &revert);
            return focus == panel->id;
        });
        WindowManager::CaughtUp(x->display());
    }
    // Before anyone reads the screen, the first paint has landed: both corner
    // indicators show white (a panel placed off the screen shows nothing).
    PollUntil([&] {
        const Rect c = PanelContent();
        if (c.x < 0 || c.y < 0 || c.x + c.width > kScreenWidth || c.y + c.height > kScreenHeight) return true;
        return PanelPixel(215, 101) == 0xffffff && PanelPixel(234, 111) == 0xffffff;
    });
}

Rect XvfbFixture::PanelContent() {
    auto g = x->Geometry(panel->id);
    if (!g) return {};
    // The menu bar is above the content, inside the same X window.
    return Rect{g->x, g->y + g->height - kContentHeight, g->width, kContentHeight};
}

void XvfbFixture::ClickInPanel(int px, int py) {
    Point p = InPanel(px, py);
    input->ClickAt(p.x, p.y);
}

uint32_t XvfbFixture::PanelPixel(int px, int py) {
    Point p = InPanel(px, py);
    return ReadScreen(x->display(), Rect{p.x, p.y, 1, 1}).At(0, 0);
}

std::optional<TopLevel> XvfbFixture::OpenPanelMenu(int menuX) {
    auto g = x->Geometry(panel->id);
    if (!g) return std::nullopt;
    auto known = x->Mapped();
    int barHeight = g->height - kContentHeight;
    input->ClickAt(g->x + menuX, g->y + barHeight / 2);
    auto popup = x->WaitForNew(known, /*popup=*/true, 5s);
    Pause(150ms);
    return popup;
}

std::optional<TopLevel> XvfbFixture::WaitForNewWindow(const std::vector<TopLevel>& known,
                                                      std::chrono::milliseconds timeout) {
    auto w = x->WaitForNew(known, /*popup=*/false, timeout);
    if (w) Pause(200ms);  // mapped is not yet painted and ready for keys
    return w;
}

void XvfbFixture::PressReturnIn(const TopLevel& window) {
    x->Focus(window.id);
    Pause(50ms);
    input->Tap({XK_Return});
}

bool XvfbFixture::HoldChordUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    input->Press(XK_Alt_L);
    input->Press(XK_Super_L);
    bool ok = PollUntil(done, timeout, 5ms);
    input->Release(XK_Super_L);
    input->Release(XK_Alt_L);
    return ok;
}

bool XvfbFixture::HoldButtonAtUntil(int px, int py, const std::function<bool()>& done,
                                    std::chrono::milliseconds timeout) {
    input->MoveTo(px, py);
    input->ButtonDown();
    bool ok = PollUntil(done, timeout, 5ms);
    input->ButtonUp();
    return ok;
}

std::optional<std::vector<fs::path>> XvfbFixture::WaitForPicturesInPlace() {
    std::optional<std::vector<fs::path>> files;
    PollUntil([&] { return (files = PicturesInPlace(program->Pid(), sandbox->Screenshots())).has_value(); });
    return files;
}

std::vector<fs::path> XvfbFixture::ScreenshotFiles() const {
    std::vector<fs::path> files;
    std::error_code ec;
    if (!fs::is_directory(sandbox->Screenshots(), ec)) return files;
    for (const auto& e : fs::directory_iterator(sandbox->Screenshots(), ec)) files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::optional<int> XvfbFixture::CloseProgram() {
    x->SendDeleteWindow(panel->id);
    return program->WaitForExit(10s);
}

}  // namespace e2e
