// The end of a session: a signal, or the X server going away, ends the
// program as closing the Control Panel does, and the period and sound chosen
// during the run are in the preferences file afterwards.
#include <X11/keysym.h>
#include <signal.h>

#include <cstring>
#include <string>

#include "tests/e2e/xvfb_fixture.h"

namespace e2e {
namespace {

// What the run below chooses: one step down from 300 s, and "Stay Quiet".
std::string Chosen(int top = 150, int left = 150) {
    return "#Window1Position " + std::to_string(top) + "," + std::to_string(left) + "\n#MyPeriod 240\n#Sound False\n";
}

class SessionEnd : public XvfbFixture {
protected:
    void StartAndChoose() {
        StartProgram();
        ASSERT_TRUE(panel);
        Choose();
    }

    void Choose() {
        ClickInPanel(96, 64 + 18);  // the lower arrow: 300 s -> 240 s
        ASSERT_TRUE(OpenPanelMenu(15));
        auto known = x->Mapped();
        input->Tap({XK_Right});  // the Sound menu, "Use Shutter Click" active
        ASSERT_TRUE(x->WaitForNew(known, /*popup=*/true, 5s)) << "the Sound menu did not open";
        input->Tap({XK_Down});
        input->Tap({XK_Return});  // "Stay Quiet"
        // The program handles its input in order: once it has opened a menu
        // for a click sent after the choices, it has taken them.
        ASSERT_TRUE(OpenPanelMenu(15)) << "the program stopped answering";
    }

    std::string Preferences() const { return ReadFile(sandbox->PreferencesFile().string()); }
};

class SessionEndBySignal : public SessionEnd, public ::testing::WithParamInterface<int> {};

TEST_P(SessionEndBySignal, SavesTheChoicesAndExitsWithZero) {
    StartAndChoose();
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_EQ(kill(program->Pid(), GetParam()), 0);
    auto status = program->WaitForExit(20s);
    ASSERT_TRUE(status) << "the program did not end on the signal";
    EXPECT_EQ(*status, 0);
    EXPECT_EQ(Preferences(), Chosen());
}

INSTANTIATE_TEST_SUITE_P(Signals, SessionEndBySignal, ::testing::Values(SIGTERM, SIGHUP, SIGINT),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(sigabbrev_np(info.param));
                         });

TEST_F(SessionEnd, ASignalDuringThePrinterDialogStillSavesAndQuits) {
    StartAndChoose();
    ASSERT_FALSE(HasFatalFailure());
    input->Tap({XK_Escape});  // the File menu that answered above
    auto known = x->Mapped();
    ASSERT_TRUE(OpenPanelMenu(15));
    input->Tap({XK_Down});
    input->Tap({XK_Return});  // "Print Help"
    auto dialog = WaitForNewWindow(known);
    ASSERT_TRUE(dialog) << "no printer dialog appeared";
    ASSERT_EQ(kill(program->Pid(), SIGTERM), 0);
    auto status = program->WaitForExit(20s);
    ASSERT_TRUE(status) << "the program did not end while its printer dialog was open";
    EXPECT_EQ(*status, 0);
    EXPECT_EQ(Preferences(), Chosen());
    EXPECT_FALSE(fs::exists(sandbox->Documents() / "Quorrel Help.pdf")) << "the cancelled dialog printed";
}

// With Qt's own look, and with its GTK theme, whose toolkit would end the
// process at once on a broken connection.
class SessionEndByXServer : public SessionEnd, public ::testing::WithParamInterface<const char*> {};

TEST_P(SessionEndByXServer, SavesTheChoicesAndWhereThePanelWasMoved) {
    if (*GetParam()) sandbox->SetEnvironment("QT_QPA_PLATFORMTHEME", GetParam());
    StartProgram();
    ASSERT_TRUE(panel);
    // Moved as the user would through the window manager: the position saved
    // is the last one the program saw, with no server left to ask.
    XMoveWindow(x->display(), panel->id, 400, 300);
    XFlush(x->display());
    ASSERT_TRUE(PollUntil([&] { return PanelContent().x != 150; }, 5s)) << "the window manager did not move the panel";
    const Rect moved = PanelContent();
    Choose();
    ASSERT_FALSE(HasFatalFailure());
    // The test's own connections go first: they would end this process too.
    input.reset();
    x.reset();
    xvfb->Kill();
    auto status = program->WaitForExit(20s);
    ASSERT_TRUE(status) << "the program kept running without its X server";
    EXPECT_EQ(*status, 1) << "not the orderly end after the connection broke";
    EXPECT_EQ(Preferences(), Chosen(moved.y, moved.x));
}

INSTANTIATE_TEST_SUITE_P(Themes, SessionEndByXServer, ::testing::Values("", "gtk3"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(*info.param ? info.param : "QtOwn");
                         });

}  // namespace
}  // namespace e2e
