// The Control Panel's timers: the area selection step by step on the virtual
// clock, the automatic capture and the restore.
#include "program_fixture.h"

#include "capture/capture_state.h"
#include "capture/window1.h"
#include "settings/settings.h"

#include <climits>

namespace quorrel::test {
namespace {

using fw::headless::Headless;
using fw::headless::ModalAnswer;
using fw::headless::ModalRequest;

const fw::Color kRed = fw::RuntimeRGBA(255, 0, 0, 0);
const fw::Color kWhite = fw::RuntimeRGBA(255, 255, 255, 0);
const char* const kAreaMessage =
    "Select the rectangle for the screenshot.  To do this, click on the Top Left corner, pause, and then click on "
    "the Bottom Right corner!";

// The area selection's state as the table of states names it.
struct AreaState {
    bool ticked;
    int timer3, timer4;  // modes: 1 while a one-shot is pending
    bool waitTop, waitBottom;
    bool topRed, bottomRed;
    friend bool operator==(const AreaState&, const AreaState&) = default;
    friend std::ostream& operator<<(std::ostream& o, const AreaState& s) {
        return o << "ticked=" << s.ticked << " t3=" << s.timer3 << " t4=" << s.timer4 << " waitTop=" << s.waitTop
                 << " waitBottom=" << s.waitBottom << " topRed=" << s.topRed << " bottomRed=" << s.bottomRed;
    }
};
const AreaState kAreaOff{false, 0, 0, false, false, false, false};
const AreaState kMessageShown{true, 0, 0, false, false, false, false};
const AreaState kTopWaitPending{true, 0, 1, false, false, false, false};
const AreaState kAwaitingTop{true, 0, 0, true, false, false, false};
const AreaState kBottomWaitPending{true, 1, 0, false, false, true, false};
const AreaState kAwaitingBottom{true, 0, 0, false, true, true, false};
const AreaState kRectangleSet{true, 0, 0, false, false, true, true};

AreaState Area() {
    auto panel = Window1Instance();
    return {panel->CheckBox2()->Value(),
            panel->Timer3()->Mode(),
            panel->Timer4()->Mode(),
            WaitingForTopPoint,
            WaitingForBottomPoint,
            panel->TopPoint()->FillColor() == kRed,
            panel->BottomPoint()->FillColor() == kRed};
}

void Press(Headless& h, int32_t x, int32_t y) {
    h.SetMouse(x, y, true);
    h.Advance(10);
    h.SetMouse(x, y, false);
}

using ControlPanelTest = ProgramFixture;

TEST_F(ControlPanelTest, AreaSelectionTransitionByTransition) {
    std::vector<AreaState> duringMessage;
    hl().SetModalScript([&](Headless& h, const ModalRequest& request) {
        EXPECT_EQ(request.text, kAreaMessage);
        duringMessage.push_back(Area());
        EXPECT_FALSE(Window1Instance()->Checkbox1()->Value());
        h.SetMouse(1, 1, true);  // a press while the message is open takes no corner
        h.Advance(2000);
        h.SetMouse(1, 1, false);
        duringMessage.push_back(Area());
        return ModalAnswer{};
    });
    Run([&](Headless& h) {
        auto panel = ControlPanel();
        EXPECT_EQ(Area(), kAreaOff);
        h.Click(panel, "Checkbox1");  // automatic on: ticking the area unticks it
        h.Click(panel, "CheckBox2");
        EXPECT_EQ(duringMessage, (std::vector<AreaState>{kMessageShown, kMessageShown}));
        EXPECT_FALSE(Window1Instance()->Checkbox1()->Value());
        EXPECT_EQ(Area(), kTopWaitPending);

        Press(h, 2, 2);  // no wait armed yet: nothing
        h.Advance(980);
        EXPECT_EQ(Area(), kTopWaitPending);
        h.Advance(10);  // Timer4 fires 1000 ms after the message
        EXPECT_EQ(Area(), kAwaitingTop);
        EXPECT_EQ(TopPointX, 0);

        Press(h, 300, 40);
        EXPECT_EQ(Area(), kBottomWaitPending);
        EXPECT_EQ(TopPointX, 300);
        EXPECT_EQ(TopPointY, 40);
        h.Advance(980);
        EXPECT_EQ(Area(), kBottomWaitPending);
        h.Advance(20);
        EXPECT_EQ(Area(), kAwaitingBottom);

        // Taken as given: bottom-right left of and above the top-left.
        Press(h, 100, 10);
        EXPECT_EQ(Area(), kRectangleSet);
        EXPECT_EQ(BottomPointX, 100);
        EXPECT_EQ(BottomPointY, 10);
        Press(h, 500, 500);  // the selection is complete: presses change nothing
        EXPECT_EQ(BottomPointX, 100);

        h.Click(panel, "CheckBox2");
        EXPECT_EQ(Area(), kAreaOff);
        EXPECT_EQ(std::vector<int32_t>({TopPointX, TopPointY, BottomPointX, BottomPointY}),
                  std::vector<int32_t>({300, 40, 100, 10}));
    });
    EXPECT_EQ(hl().Log().messageBoxes.size(), 1u);
}

TEST_F(ControlPanelTest, APressHeldOverASecondSetsBothCornersAtThatPoint) {
    Run([&](Headless& h) {
        h.Click(ControlPanel(), "CheckBox2");
        h.Advance(1000);
        h.SetMouse(70, 80, true);
        h.Advance(10);
        EXPECT_EQ(Area(), kBottomWaitPending);
        h.Advance(1010);
        h.SetMouse(70, 80, false);
        EXPECT_EQ(Area(), kRectangleSet);
        EXPECT_EQ(std::vector<int32_t>({TopPointX, TopPointY, BottomPointX, BottomPointY}),
                  std::vector<int32_t>({70, 80, 70, 80}));
    });
}

TEST_F(ControlPanelTest, UntickingTheAreaStopsAPendingCornerWait) {
    Run([&](Headless& h) {
        auto panel = ControlPanel();
        // Within the second after the message.
        h.Click(panel, "CheckBox2");
        h.Advance(500);
        h.Click(panel, "CheckBox2");
        h.Advance(2000);
        Press(h, 9, 9);
        EXPECT_EQ(Area(), kAreaOff);
        EXPECT_EQ(TopPointX, 0);

        // Within the second after the top-left corner.
        h.Click(panel, "CheckBox2");
        h.Advance(1000);
        Press(h, 5, 6);
        EXPECT_EQ(Area(), kBottomWaitPending);
        h.Click(panel, "CheckBox2");
        h.Advance(2000);
        Press(h, 50, 60);
        EXPECT_EQ(Area(), kAreaOff);
        EXPECT_EQ(BottomPointX, 0);
    });
}

TEST_F(ControlPanelTest, TheChordComesBeforeTheCornerInOneTick) {
    hl().SetScreen(SolidScreen(20, 20, 0xffffff));
    Run([&](Headless& h) {
        h.Click(ControlPanel(), "CheckBox2");
        h.Advance(1000);
        h.SetKeys(true, true);
        h.SetMouse(4, 4, true);
        h.Advance(10);
        h.SetKeys(false, false);
        h.SetMouse(4, 4, false);
        // The capture used the corners before the press (all 0); the press
        // was taken after it returned.
        EXPECT_EQ(TopPointX, 4);
        EXPECT_EQ(Area(), kBottomWaitPending);
    });
    ASSERT_EQ(hl().Log().capturesRect.size(), 1u);
    EXPECT_EQ(hl().Log().capturesRect[0].left, 0);
    EXPECT_EQ(hl().Log().capturesRect[0].width, 0);
}

TEST_F(ControlPanelTest, AutomaticCaptureKeepsItsPeriodUntilTheBoxIsTickedAgain) {
    WritePrefs("#MyPeriod 2\n#Sound False\n");
    hl().SetScreen(SolidScreen(8, 8, 0x000000));
    Run([&](Headless& h) {
        auto panel = Window1Instance();
        h.Click(panel, "Checkbox1");
        EXPECT_EQ(panel->Timer2()->Mode(), 2);
        EXPECT_EQ(panel->Timer2()->Period(), 2000);
        h.Advance(1990);
        EXPECT_TRUE(h.Log().capturesDisplay.empty());  // nothing at once
        h.Advance(10);
        EXPECT_EQ(h.Log().capturesDisplay.size(), 1u);

        h.PressUp(panel, "UpDownArrows1");  // 3 s, not applied yet
        EXPECT_EQ(panel->Timer2()->Period(), 2000);
        h.Advance(2000);
        EXPECT_EQ(h.Log().capturesDisplay.size(), 2u);

        h.Click(panel, "Checkbox1");  // off
        EXPECT_EQ(panel->Timer2()->Mode(), 0);
        EXPECT_EQ(panel->Timer2()->Period(), 3000);
        h.Advance(10000);
        EXPECT_EQ(h.Log().capturesDisplay.size(), 2u);

        h.Click(panel, "Checkbox1");  // on with the new period
        h.Advance(3000);
        EXPECT_EQ(h.Log().capturesDisplay.size(), 3u);

        // Ticking the area unticks the automatic capture: its ticks take nothing.
        h.Click(panel, "CheckBox2");
        EXPECT_FALSE(panel->Checkbox1()->Value());
        h.Advance(9000);
        EXPECT_EQ(h.Log().capturesDisplay.size(), 3u);
        EXPECT_TRUE(h.Log().capturesRect.empty());
    });
}

TEST_F(ControlPanelTest, RestoreSetsBothTimersRepeatingAndAnUntickedBoxStillCapturesNothing) {
    Run([&](Headless& h) {
        auto panel = Window1Instance();
        h.Minimize(panel);
        h.Restore(panel);
        EXPECT_EQ(panel->Timer1()->Mode(), 2);
        EXPECT_EQ(panel->Timer1()->Period(), 10);
        EXPECT_EQ(panel->Timer2()->Mode(), 2);
        EXPECT_EQ(panel->Timer2()->Period(), 1000);
        h.Advance(5000);
        EXPECT_TRUE(h.Log().capturesDisplay.empty());
    });
}

TEST_F(ControlPanelTest, APeriodOutsideTheTimerRangeNeverCapturesInABusyLoop) {
    struct PeriodCase {
        const char* value;
        int32_t periodMs;
        int64_t scheduled;
    };
    for (auto c : {PeriodCase{"0", 0, 0},
                   PeriodCase{"-5", -5000, 0},
                   PeriodCase{"3000000", INT32_MAX, INT32_MAX},
                   PeriodCase{"-3000000", INT32_MIN, 0}}) {
        WritePrefs(std::string("#MyPeriod ") + c.value + "\n");
        NewBackend().SetScreen(SolidScreen(8, 8, 0));
        Run([&](Headless& h) {
            auto panel = Window1Instance();
            h.Click(panel, "Checkbox1");
            EXPECT_EQ(panel->Timer2()->Period(), c.periodMs) << c.value;
            EXPECT_EQ(panel->Timer2()->ScheduledPeriod(), c.scheduled) << c.value;
            h.Advance(5000);
            EXPECT_TRUE(h.Log().capturesDisplay.empty()) << c.value;
        });
    }
}

}  // namespace
}  // namespace quorrel::test
