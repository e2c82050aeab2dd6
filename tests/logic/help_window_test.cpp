// The Help window through the program's own menu commands: one window, styled
// when it opens, and the selection read-out.
#include "app/menu_bars.h"
#include "help/help_text.h"
#include "help/help_window.h"
#include "program_fixture.h"

#include <gtest/gtest.h>

namespace {

using fw::CharStyle;
using fw::headless::Headless;

class HelpWindowTest : public quorrel::test::ProgramFixture {
protected:
    static std::shared_ptr<quorrel::Help> OpenHelp() {
        return std::dynamic_pointer_cast<quorrel::Help>(fw::RuntimeGetImplicitWindow("Help.Help"));
    }
    static int OpenHelpWindows() {
        int n = 0;
        for (const auto& w : fw::OpenWindows()) n += w->ClassName() == "Help.Help" ? 1 : 0;
        return n;
    }
    // The styles that opening the window gives the design text.
    static std::vector<CharStyle> DesignStyles() {
        std::vector<CharStyle> styles(quorrel::HelpText().size());
        for (const auto& run : quorrel::HelpRuns())
            for (int32_t i = run.start; i < run.start + run.length; ++i) {
                auto& s = styles[static_cast<size_t>(i)];
                s.hasColor = true;
                s.color = run.tint == quorrel::HelpRun::Tint::Blue ? fw::Color{0, 0, 255, 0} : fw::Color{255, 0, 0, 0};
                s.bold = true;
            }
        return styles;
    }
    static void ExpectFreshDesign(const std::shared_ptr<quorrel::Help>& help) {
        ASSERT_TRUE(help);
        auto area = help->TextArea1();
        EXPECT_EQ(area->Text(), quorrel::HelpText());
        EXPECT_EQ(area->SelStart(), 0);
        EXPECT_EQ(area->SelLength(), 0);
        auto expected = DesignStyles();
        ASSERT_EQ(area->Styles().size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(area->Styles()[i], expected[i]) << "character " << i;
    }
};

TEST_F(HelpWindowTest, ShowHelpBuildsOneStyledWindowWithItsDesign) {
    EXPECT_EQ(Run([&](Headless& h) {
                  EXPECT_TRUE(h.ChooseMenu("HelpShowHelp"));
                  auto help = OpenHelp();
                  ExpectFreshDesign(help);
                  EXPECT_EQ(help->Title(), "Help");
                  EXPECT_EQ(help->Width(), 350);
                  EXPECT_EQ(help->Height(), 348);
                  EXPECT_FALSE(std::get<bool>(help->GetProperty("Resizeable")));
                  // The read-out button lies wholly right of the content area.
                  EXPECT_GE(help->PushButton1()->Left(), help->Width());
                  EXPECT_EQ(help->PushButton1()->Caption(), "");
                  // The window's bar is the Help bar, whose items the accessors find.
                  ASSERT_TRUE(help->FilePrintHelp());
                  EXPECT_EQ(help->FilePrintHelp()->Text(), "Print Help");
                  EXPECT_EQ(help->EditSelectAll()->Text(), "Select &All");
                  EXPECT_EQ(help->EditSeparator1()->Text(), "-");
                  EXPECT_EQ(help->EditMenu()->Text(), "&Edit");
                  h.CloseWindow(ControlPanel());
              }),
              0);
}

TEST_F(HelpWindowTest, ShowHelpAgainKeepsTheWindowItsEditsAndSelection) {
    Run([&](Headless& h) {
        h.ChooseMenu("HelpShowHelp");
        auto help = OpenHelp();
        ASSERT_TRUE(help);
        auto area = help->TextArea1();
        fw::PeerAccess::Edited(*area, "edited", std::vector<CharStyle>(6));
        fw::PeerAccess::Selection(*area, 2, 3);

        EXPECT_TRUE(h.ChooseMenu("HelpShowHelp"));
        EXPECT_EQ(OpenHelp(), help);
        EXPECT_EQ(OpenHelpWindows(), 1);
        EXPECT_EQ(area->Text(), "edited");
        EXPECT_EQ(area->Styles(), std::vector<CharStyle>(6)) << "styled a second time";
        EXPECT_EQ(area->SelStart(), 2);
        EXPECT_EQ(area->SelLength(), 3);
        h.CloseWindow(ControlPanel());
    });
}

TEST_F(HelpWindowTest, AfterPrintHelpOrCloseANewWindowShowsTheDesignAgain) {
    Run([&](Headless& h) {
        h.ChooseMenu("HelpShowHelp");
        fw::PeerAccess::Edited(*OpenHelp()->TextArea1(), "gone after the print", {});
        EXPECT_TRUE(h.ChooseMenu("FilePrintHelp"));
        EXPECT_FALSE(OpenHelp()) << "Print Help closes the Help window";

        h.ChooseMenu("HelpShowHelp");
        ExpectFreshDesign(OpenHelp());
        fw::PeerAccess::Edited(*OpenHelp()->TextArea1(), "gone after the close", {});
        h.CloseWindow(OpenHelp());
        EXPECT_FALSE(OpenHelp());

        h.ChooseMenu("HelpShowHelp");
        ExpectFreshDesign(OpenHelp());
        h.CloseWindow(ControlPanel());
    });
}

// The Help window's menu bar lives for the whole run; each window that has
// shown it leaves nothing behind on it.
TEST_F(HelpWindowTest, OpeningsAndClosesLeaveNothingOnTheSharedMenuBar) {
    Run([&](Headless& h) {
        for (int i = 0; i < 5; ++i) {
            h.ChooseMenu("HelpShowHelp");
            ASSERT_TRUE(OpenHelp());
            h.CloseWindow(OpenHelp());
        }
        h.ChooseMenu("HelpShowHelp");
        EXPECT_EQ(fw::PeerAccess::ListenerCount(*quorrel::MenuBar2Instance()), 1u);
        h.CloseWindow(ControlPanel());
    });
}

TEST_F(HelpWindowTest, ReadOutShowsTheSelection) {
    Run([&](Headless& h) {
        h.ChooseMenu("HelpShowHelp");
        auto help = OpenHelp();
        ASSERT_TRUE(help);
        h.Click(help, "PushButton1");
        fw::PeerAccess::Selection(*help->TextArea1(), 0, 13);  // "Introduction:"
        h.Click(help, "PushButton1");
        fw::PeerAccess::Selection(*help->TextArea1(), 1500, 42);
        h.Click(help, "PushButton1");
        h.CloseWindow(ControlPanel());
    });
    EXPECT_EQ(hl().Log().messageBoxes,
              (std::vector<std::string>{"Start: 0 Length: 0", "Start: 0 Length: 13", "Start: 1500 Length: 42"}));
}

}  // namespace
