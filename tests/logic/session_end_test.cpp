// The end of the user's session (a signal, a logout) as the backends report
// it: the program ends as closing the Control Panel ends it.
#include "program_fixture.h"

#include "capture/window1.h"
#include "settings/settings.h"

namespace quorrel::test {
namespace {

using fw::headless::Headless;
using fw::headless::ModalAnswer;
using fw::headless::ModalRequest;

class SessionEndTest : public ProgramFixture {};

TEST_F(SessionEndTest, ClosesEveryWindowSavesTheRunsChoicesAndExitsWithZero) {
    const int status = Run([&](Headless& h) {
        h.PressDown(ControlPanel(), "UpDownArrows1");  // 300 -> 240
        h.ChooseMenu("SoundStayQuiet");
        h.ChooseMenu("HelpShowHelp");
        h.ChooseMenu("SoundAbout");
        h.EndSession();
        EXPECT_TRUE(h.Quitting());
        EXPECT_EQ(fw::RuntimeGetImplicitWindow("Help.Help"), nullptr);
        EXPECT_EQ(fw::RuntimeGetImplicitWindow("AboutBox.AboutBox"), nullptr);
        EXPECT_EQ(ControlPanel(), nullptr);
        h.EndSession();  // a second signal while ending changes nothing
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadPrefs(), "#Window1Position 150,150\n#MyPeriod 240\n#Sound False\n");
}

TEST_F(SessionEndTest, EndsFromInsideAnOpenMessage) {
    hl().SetScreen(SolidScreen(64, 48, 0x102030));
    WriteFile(ScreenshotsDir(), "not a folder");  // the save fails: a message opens
    bool ended = false;
    hl().SetModalScript([&](Headless& h, const ModalRequest&) {
        h.ChooseMenu("SoundStayQuiet");
        h.EndSession();
        ended = h.Quitting() && !ControlPanel();
        return ModalAnswer{};
    });
    const int status = Run([&](Headless& h) {
        h.MoveWindow(ControlPanel(), 40, 70);
        h.SetKeys(true, true);
        h.Advance(10);
    });
    EXPECT_TRUE(ended);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(hl().Log().messageBoxes, std::vector<std::string>{"Picture was not taken!"});
    EXPECT_EQ(ReadPrefs(), "#Window1Position 40,70\n#MyPeriod 300\n#Sound False\n");
}

}  // namespace
}  // namespace quorrel::test
