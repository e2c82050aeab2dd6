// The Control Panel of a first run: where it appears, what it creates, and
// what it leaves behind when the window manager closes it.
#include "tests/e2e/xvfb_fixture.h"

namespace e2e {
namespace {

class ControlPanel : public XvfbFixture {};

TEST_F(ControlPanel, FirstRunShowsTheTitledPanelAtTheDefaultPosition) {
    StartProgram();
    ASSERT_TRUE(panel);
    Rect content = PanelContent();
    EXPECT_EQ(content.width, kContentWidth);
    EXPECT_EQ(content.x, 150);
    EXPECT_EQ(content.y, 150);
    auto window = x->Geometry(panel->id);
    ASSERT_TRUE(window);
    EXPECT_GT(window->height, kContentHeight) << "the menu bar belongs above the content";
    EXPECT_TRUE(x->HasFixedSize(panel->id)) << "the Control Panel must not be resizable";
    WritePng(ReadScreen(x->display(), *window), (sandbox->Root() / "control-panel.png").string());
}

TEST_F(ControlPanel, InAFreshHomeCreatesItsFoldersAndSavesPreferencesOnClose) {
    // A new account: neither Documents nor ~/.config exists yet.
    fs::remove_all(sandbox->Documents());
    fs::remove_all(sandbox->PreferencesFile().parent_path());
    StartProgram();
    ASSERT_TRUE(panel);
    EXPECT_TRUE(fs::is_directory(sandbox->Screenshots()));
    EXPECT_TRUE(ScreenshotFiles().empty());

    auto status = CloseProgram();
    ASSERT_TRUE(status) << "the program did not end after WM_DELETE_WINDOW";
    EXPECT_EQ(*status, 0);
    EXPECT_EQ(ReadFile(sandbox->PreferencesFile().string()), "#Window1Position 150,150\n#MyPeriod 300\n#Sound True\n");
}

TEST_F(ControlPanel, WithoutADisplayExitsAtOnceWithAMessage) {
    program = sandbox->Start("");
    auto status = program->WaitForExit(10s);
    ASSERT_TRUE(status) << "the program kept running without a display";
    EXPECT_NE(*status, 0);
    EXPECT_FALSE(ProgramStderr().empty());
    EXPECT_FALSE(fs::exists(sandbox->PreferencesFile()));
}

}  // namespace
}  // namespace e2e
