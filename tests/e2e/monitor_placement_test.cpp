// The Control Panel's position on desktops of more than one monitor, or of
// none that RandR names: positions count from the main display's top-left
// corner, so the first-run panel opens on the main display and a saved
// position comes back on the monitor it was saved on, and is saved again
// as it was read.
#include <X11/keysym.h>

#include <cstdlib>
#include <fstream>

#include "tests/e2e/xvfb_fixture.h"
// After gtest: Xlib's macros would break its templates.
#include "tests/e2e/x_monitors.h"

namespace e2e {
namespace {

struct Layout {
    const char* what;
    std::vector<Monitor> monitors;
};

void PrintTo(const Layout& layout, std::ostream* out) { *out << layout.what; }

class MonitorPlacement : public XvfbFixture, public ::testing::WithParamInterface<Layout> {
protected:
    void PrepareServer() override {
        XWindows server(xvfb->DisplayName());
        ReplaceMonitors(server.display(), GetParam().monitors);
    }
    // The main display on the root window.
    Rect Main() const {
        for (const Monitor& m : GetParam().monitors)
            if (m.primary) return {m.x, m.y, m.width, m.height};
        return {0, 0, kScreenWidth, kScreenHeight};
    }
    Point MainOrigin() const { return {Main().x, Main().y}; }
    // Starts the program with that preferences file (none: a first run),
    // returns where the panel's content stands, and closes the program.
    std::optional<Rect> RunWith(const std::optional<std::string>& position, std::string& savedAfter) {
        fs::remove(sandbox->PreferencesFile());
        if (position) std::ofstream(sandbox->PreferencesFile()) << "#Window1Position " << *position << "\n";
        StartProgram();
        if (!panel) return std::nullopt;
        const Rect content = PanelContent();
        SavePicture(position ? *position : "first-run");
        if (CloseProgram() != 0) return std::nullopt;
        program.reset();
        savedAfter = ReadFile(sandbox->PreferencesFile().string());
        return content;
    }
    void SavePicture(const std::string& name) {
        WritePng(ReadScreen(x->display()), (sandbox->Root() / ("panel-" + name + ".png")).string());
    }
};

TEST_P(MonitorPlacement, PositionsCountFromTheMainDisplaysCorner) {
    const Point main = MainOrigin();
    std::string saved;
    const std::optional<Rect> firstRun = RunWith(std::nullopt, saved);
    ASSERT_TRUE(firstRun) << "the first run did not show and close";
    EXPECT_EQ(firstRun->x, main.x + 150);
    EXPECT_EQ(firstRun->y, main.y + 150);
    EXPECT_EQ(saved.substr(0, 26), "#Window1Position 150,150\n#");

    // Top, then left; for two monitors, one on the monitor that is not the main one.
    for (const Point asked : {Point{900, 200}, Point{-500, 300}}) {
        const Point onRoot{main.x + asked.x, main.y + asked.y};
        if (onRoot.x < 0 || onRoot.x + kContentWidth > kScreenWidth) continue;
        const std::string position = std::to_string(asked.y) + "," + std::to_string(asked.x);
        SCOPED_TRACE(position);
        const std::optional<Rect> content = RunWith(position, saved);
        ASSERT_TRUE(content) << "the program did not show and close";
        EXPECT_EQ(content->x, onRoot.x);
        EXPECT_EQ(content->y, onRoot.y);
        EXPECT_EQ(saved.substr(0, 18 + position.size()), "#Window1Position " + position + "\n");
    }
}

// A menu pops up under its title; a message box sizes itself to the monitor
// it opens on, and stands on it.
TEST_P(MonitorPlacement, MenusAndMessagesOpenWholeWhereTheyBelong) {
    StartProgram();
    ASSERT_TRUE(panel);
    const Rect content = PanelContent();
    const auto menu = OpenPanelMenu(15);  // File
    ASSERT_TRUE(menu) << "the File menu did not open";
    SavePicture("file-menu");
    const Rect& popup = menu->geometry;
    EXPECT_TRUE(std::abs(popup.x - content.x) <= 10 && std::abs(popup.y - content.y) <= 10)
        << "the File menu at " << popup.x << "," << popup.y << " under a menu bar at " << content.x << "," << content.y;
    EXPECT_GE(popup.height, 20) << "the File menu was squeezed";
    input->Tap({XK_Escape});
    EXPECT_TRUE(x->WaitUntilGone(menu->id));

    const auto known = x->Mapped();
    ClickInPanel(46 + 8, 96 + 10);  // "Set Screenshot Area"
    const auto message = WaitForNewWindow(known);
    ASSERT_TRUE(message) << "no area message appeared";
    SavePicture("area-message");
    const Rect m = message->geometry, main = Main();
    EXPECT_TRUE(m.x >= main.x && m.y >= main.y && m.x + m.width <= main.x + main.width &&
                m.y + m.height <= main.y + main.height)
        << "the message at " << m.x << "," << m.y << " " << m.width << "x" << m.height;
    // Its two sentences are wider than a column: with room, it takes a whole one.
    EXPECT_GE(m.width, 400) << "the message was squeezed";
    PressReturnIn(*message);
    EXPECT_TRUE(x->WaitUntilGone(message->id));
}

INSTANTIATE_TEST_SUITE_P(Layouts, MonitorPlacement,
                         ::testing::Values(Layout{"MainDisplayRightOfAnother",
                                                  {{"Left", 0, 0, 640, 800, false}, {"Right", 640, 0, 640, 800, true}}},
                                           Layout{
                                               "MainDisplayBelowAnother",
                                               {{"Top", 0, 0, 1280, 300, false}, {"Bottom", 0, 300, 1280, 500, true}}},
                                           Layout{"NoMonitors", {}}),
                         [](const ::testing::TestParamInfo<Layout>& info) { return std::string(info.param.what); });

}  // namespace
}  // namespace e2e
