// The menu bars and the menu commands.
#include "program_fixture.h"

#include "app/app.h"
#include "app/menu_bars.h"
#include "capture/window1.h"
#include "settings/settings.h"

#include <sstream>

namespace quorrel::test {
namespace {

using fw::headless::Headless;

// "Menu caption: item caption [shortcut], ..." for a whole bar, with the
// item's class for the application-menu item.
std::string Describe(const std::shared_ptr<fw::MenuItem>& bar) {
    std::ostringstream out;
    for (const auto& menu : bar->Children()) {
        out << menu->Name() << "=" << menu->Text() << "[" << menu->KeyboardShortcut() << "]:";
        for (const auto& item : menu->Children()) {
            out << " " << item->Name() << "=" << item->Text();
            if (!item->KeyboardShortcut().empty()) out << "[" << item->KeyboardShortcut() << "]";
            if (item->ClassName() != "MenuItem") out << "(" << item->ClassName() << ")";
            EXPECT_TRUE(item->AutoEnable() && item->Visible()) << item->Name();
            EXPECT_FALSE(item->Checked()) << item->Name();
        }
        out << "\n";
    }
    return out.str();
}

using MenusTest = ProgramFixture;

TEST_F(MenusTest, TheTwoBars) {
    Run([&](Headless&) {
        // The application's Open event set the Sound marks: clear them to see the builders' state.
        auto bar1 = MenuBar1Instance();
        SoundUseShutterClickItem()->Checked(false);
        EXPECT_EQ(Describe(bar1),
                  "FileMenu=File[]: FilePrintHelp=Print Help\n"
                  "SoundMenu=Sound[]: SoundUseShutterClick=Use Shutter Click SoundStayQuiet=Stay Quiet "
                  "SoundAbout=About...(AppleMenuItem)\n"
                  "CheckforUpdateMenu=Check for Update[]: CheckforUpdateCheckNow=Check Now\n"
                  "HelpMenu=Help []: HelpShowHelp=Show Help\n");
        EXPECT_EQ(Describe(MenuBar2Instance()),
                  "FileMenu=&File[]: FilePrintHelp=Print Help\n"
                  "EditMenu=&Edit[]: EditUndo=&Undo[Cmd+Z] EditSeparator1=- EditCut=Cu&t[Cmd+X] "
                  "EditCopy=&Copy[Cmd+C] EditPaste=&Paste[Cmd+V] EditClear=&Delete "
                  "EditSeparator2=- EditSelectAll=Select &All[Cmd+A]\n");
        EXPECT_EQ(MenuBar1Instance(), bar1);
        EXPECT_EQ(MenuBar2Instance(), MenuBar2Instance());
        EXPECT_EQ(AppInstance()->MenuBar(), bar1);
    });
}

TEST_F(MenusTest, SoundCommandsMoveTheOneCheckMarkSeenInBothBars) {
    Run([&](Headless& h) {
        auto panel = Window1Instance();
        EXPECT_TRUE(h.ChooseMenu("SoundStayQuiet"));
        EXPECT_FALSE(SoundOn);
        EXPECT_TRUE(panel->SoundStayQuiet()->Checked());
        EXPECT_FALSE(panel->SoundUseShutterClick()->Checked());

        for (int i = 0; i < 2; ++i) {
            EXPECT_TRUE(h.ChooseMenu("SoundUseShutterClick"));
            EXPECT_TRUE(SoundOn);
            EXPECT_TRUE(panel->SoundUseShutterClick()->Checked());
            EXPECT_FALSE(panel->SoundStayQuiet()->Checked());
        }
    });
    EXPECT_FALSE(ReadPrefs().has_value());  // the commands write nothing
}

TEST_F(MenusTest, WindowCommandsShowOneWindowOfTheirClass) {
    Run([&](Headless& h) {
        for (const char* item : {"SoundAbout", "CheckforUpdateCheckNow", "HelpShowHelp"}) {
            EXPECT_TRUE(h.ChooseMenu(item));
            EXPECT_TRUE(h.ChooseMenu(item));
        }
        std::vector<std::string> classes;
        for (const auto& w : fw::OpenWindows()) classes.push_back(w->ClassName());
        EXPECT_EQ(classes,
                  (std::vector<std::string>{"Window1.Window1", "AboutBox.AboutBox", "selfTest.selfTest", "Help.Help"}));
    });
}

TEST_F(MenusTest, PrintHelpFromTheHelpBarPrintsAndClosesTheHelpWindow) {
    Run([&](Headless& h) {
        EXPECT_TRUE(h.ChooseMenu("HelpShowHelp"));
        auto help = fw::RuntimeGetImplicitWindow("Help.Help");
        ASSERT_NE(help, nullptr);
        EXPECT_EQ(help->MenuBar(), MenuBar2Instance());
        EXPECT_TRUE(h.ChooseMenu("FilePrintHelp"));
        EXPECT_FALSE(h.Log().print.empty());
        EXPECT_EQ(fw::RuntimeGetImplicitWindow("Help.Help"), nullptr);
        // Show Help afterwards makes a new window.
        EXPECT_TRUE(h.ChooseMenu("HelpShowHelp"));
        auto again = fw::RuntimeGetImplicitWindow("Help.Help");
        EXPECT_NE(again, nullptr);
        EXPECT_NE(again, help);
    });
}

}  // namespace
}  // namespace quorrel::test
