// Windows under a window manager: each opens with its whole frame on the
// screen and apart from the others, a saved Control Panel position off every
// monitor still gives a window the user can reach, and the keyboard goes
// where the user can see it.
#include <X11/keysym.h>

#include <fstream>

#include "tests/e2e/pdf_text.h"
#include "tests/e2e/xvfb_fixture.h"
#include "tests/support/http_server.h"

namespace e2e {
namespace {

class WindowPlacement : public XvfbFixture {
protected:
    // Chooses an item of the Control Panel's menus by keyboard: `menu` steps
    // right from File, `item` steps down from the first item.
    std::optional<TopLevel> ChooseFromPanel(int menu, int item, const std::string& title) {
        if (!OpenPanelMenu(15)) return std::nullopt;
        for (int i = 0; i < menu; ++i) {
            input->Tap({XK_Right});
            Pause(150ms);
        }
        for (int i = 0; i < item; ++i) input->Tap({XK_Down});
        input->Tap({XK_Return});
        auto window = x->WaitForTitle(title);
        if (window) Pause(300ms);
        return window;
    }
    std::optional<TopLevel> ShowHelp() { return ChooseFromPanel(3, 0, "Help"); }

    void SaveScreen(const std::string& name) { WritePng(ReadScreen(x->display()), (sandbox->Root() / name).string()); }

    void CheckUnplacedWindows();

    static bool OnScreen(const Rect& r) {
        return r.x >= 0 && r.y >= 0 && r.x + r.width <= kScreenWidth && r.y + r.height <= kScreenHeight;
    }
};

std::string Describe(const Rect& r) {
    return std::to_string(r.width) + "x" + std::to_string(r.height) + "+" + std::to_string(r.x) + "+" +
           std::to_string(r.y);
}

// Opens the Help window, the About box, the Self Test window and the Update
// window, none of which the program places, and checks where they stand.
void WindowPlacement::CheckUnplacedWindows() {
    quorrel::test::HttpServer server;
    server.SetReply(quorrel::test::HttpServer::Reply::Silent());  // the Update window stays open
    sandbox->InstallWithBundle({{"UpdateHost", "127.0.0.1"}, {"UpdatePort", std::to_string(server.Port())}});
    StartProgram();
    ASSERT_TRUE(panel);

    auto help = ShowHelp();
    ASSERT_TRUE(help) << "no Help window appeared";
    // Its File menu opens with a click on the menu bar.
    auto known = x->Mapped();
    const int barHeight = help->geometry.height - 348;
    ASSERT_GT(barHeight, 0);
    input->ClickAt(help->geometry.x + 15, help->geometry.y + barHeight / 2);
    auto fileMenu = x->WaitForNew(known, /*popup=*/true, 5s);
    EXPECT_TRUE(fileMenu) << "the Help window's File menu did not open";
    input->Tap({XK_Escape});
    if (fileMenu) {
        EXPECT_TRUE(x->WaitUntilGone(fileMenu->id, 5s));
    }

    auto about = ChooseFromPanel(1, 2, "About...");
    ASSERT_TRUE(about) << "no About box appeared";
    SaveScreen(std::string(bareServer ? "bare" : "managed") + "-with-about.png");
    auto selfTest = ChooseFromPanel(2, 0, "Self Test");
    ASSERT_TRUE(selfTest) << "no Self Test window appeared";
    SaveScreen(std::string(bareServer ? "bare" : "managed") + "-with-self-test.png");
    input->ClickAt(selfTest->geometry.x + 28 + 78, selfTest->geometry.y + 61 + 10);  // "Check for Updates"
    auto update = x->WaitForTitle("Update");
    ASSERT_TRUE(update) << "no Update window appeared";
    Pause(300ms);
    SaveScreen(std::string(bareServer ? "bare" : "managed") + "-with-update.png");

    std::vector<std::pair<std::string, Rect>> frames;
    for (const auto& w : {*help, *about, *selfTest, *update}) {
        auto frame = x->Frame(w.id);
        ASSERT_TRUE(frame) << w.title;
        frames.emplace_back(w.title, *frame);
    }
    for (size_t i = 0; i < frames.size(); ++i) {
        const auto& [title, frame] = frames[i];
        EXPECT_TRUE(OnScreen(frame)) << title << " at " << Describe(frame);
        if (!bareServer) {
            EXPECT_GT(frame.height, x->Geometry(x->FindByTitle(title)->id)->height) << title << " has no title bar";
        }
        for (size_t j = 0; j < i; ++j) {
            const Rect& other = frames[j].second;
            EXPECT_FALSE(frame.x == other.x && frame.y == other.y)
                << title << " stands exactly over " << frames[j].first << " at " << Describe(frame);
        }
    }
}

TEST_F(WindowPlacement, UnplacedWindowsOpenWholeOnTheScreenAndApart) { CheckUnplacedWindows(); }

// Without a window manager the program's own placement is all there is.
class WindowPlacementOnABareServer : public WindowPlacement {
protected:
    WindowPlacementOnABareServer() { bareServer = true; }
};

TEST_F(WindowPlacementOnABareServer, UnplacedWindowsOpenWholeOnTheScreenAndApart) { CheckUnplacedWindows(); }

// Saved positions that would put the Control Panel's title bar off every
// monitor, the Integer limits among them.
TEST_F(WindowPlacement, SavedPositionOffTheScreensGivesAReachablePanel) {
    const std::vector<std::string> saved = {"-2147483648,2147483647", "2147483647,-2147483648", "-400,100", "100,5000"};
    for (const auto& position : saved) {
        SCOPED_TRACE(position);
        std::ofstream(sandbox->PreferencesFile()) << "#Window1Position " << position << "\n#MyPeriod 300\n";
        StartProgram();
        ASSERT_TRUE(panel);
        auto frame = x->Frame(panel->id);
        auto client = x->Geometry(panel->id);
        ASSERT_TRUE(frame && client);
        // The title bar and the menu bar: from the frame's top to the content.
        const Rect bars{frame->x, frame->y, frame->width, client->y + client->height - kContentHeight - frame->y};
        EXPECT_TRUE(OnScreen(bars)) << "title and menu bars at " << Describe(bars);
        EXPECT_GT(bars.height, 20);
        SaveScreen("panel-" + position + ".png");
        ASSERT_TRUE(CloseProgram());
        program.reset();
    }
}

// A position on the screen is used as saved.
TEST_F(WindowPlacement, SavedPositionOnTheScreenIsKept) {
    std::ofstream(sandbox->PreferencesFile()) << "#Window1Position 400,700\n#MyPeriod 300\n";
    StartProgram();
    ASSERT_TRUE(panel);
    Rect content = PanelContent();
    EXPECT_EQ(content.x, 700);
    EXPECT_EQ(content.y, 400);
}

TEST_F(WindowPlacement, TypingRightAfterShowHelpEditsTheHelpText) {
    StartProgram();
    ASSERT_TRUE(panel);
    auto help = ShowHelp();
    ASSERT_TRUE(help) << "no Help window appeared";
    input->Tap({XK_Q});
    input->Tap({XK_Z});
    input->Tap({XK_X});
    input->Tap({XK_J});
    Pause(200ms);

    // "Print Help" from the Help window's own File menu prints the text as it stands.
    const fs::path pdf = sandbox->Documents() / "Quorrel Help.pdf";
    auto known = x->Mapped();
    const int barHeight = help->geometry.height - 348;
    input->ClickAt(help->geometry.x + 15, help->geometry.y + barHeight / 2);
    auto fileMenu = x->WaitForNew(known, /*popup=*/true, 5s);
    ASSERT_TRUE(fileMenu) << "the File menu did not open";
    Pause(150ms);
    const Rect& item = fileMenu->geometry;  // "Print Help", its only item
    input->ClickAt(item.x + item.width / 2, item.y + item.height / 2);
    auto dialog = WaitForNewWindow(known);
    ASSERT_TRUE(dialog) << "no printer dialog appeared";
    PressReturnIn(*dialog);
    std::optional<std::vector<std::string>> pages;
    ASSERT_TRUE(PollUntil([&] { return fs::exists(pdf) && (pages = PdfPages(pdf.string())).has_value(); }, 20s))
        << "no readable PDF at " << pdf;
    ASSERT_FALSE(pages->empty());
    EXPECT_NE(pages->front().find("qzxjIntroduction:"), std::string::npos) << pages->front();
}

// HideSelection: the help text's selection shows only while the text has the
// keyboard focus.
TEST_F(WindowPlacement, TheHelpTextShowsItsSelectionOnlyWithTheFocus) {
    StartProgram();
    ASSERT_TRUE(panel);
    auto help = ShowHelp();
    ASSERT_TRUE(help) << "no Help window appeared";
    const Rect text{help->geometry.x + 20, help->geometry.y + help->geometry.height - 348 + 20, 310, 308};

    // The text area as drawn without the focus. With the focus its cursor
    // flashes (on and off within a second), so the area is drawn without it
    // once it has stayed the same for longer than a flash.
    auto withoutFocus = [&] {
        RgbImage held = ReadScreen(x->display(), text);
        auto since = std::chrono::steady_clock::now();
        PollUntil(
            [&] {
                RgbImage now = ReadScreen(x->display(), text);
                if (FirstDifference(now, held)) {
                    held = std::move(now);
                    since = std::chrono::steady_clock::now();
                }
                return std::chrono::steady_clock::now() - since > 1200ms;
            },
            10s);
        return held;
    };
    auto focusIs = [&](::Window id) {
        ::Window focus = 0;
        int revert = 0;
        XGetInputFocus(x->display(), &focus, &revert);
        return focus == id;
    };

    ClickInPanel(10, 125);  // the Control Panel takes the focus
    PollUntil([&] { return focusIs(panel->id); }, 5s);
    const RgbImage unselected = withoutFocus();

    input->ClickAt(help->geometry.x + 100, help->geometry.y - 8);  // the Help window's title bar
    PollUntil([&] { return focusIs(help->id); }, 5s);
    input->Press(XK_Shift_L);
    input->Tap({XK_Down});
    input->Tap({XK_Down});
    input->Release(XK_Shift_L);
    // Two lines highlighted: far more than the flashing cursor changes.
    RgbImage selected;
    EXPECT_TRUE(PollUntil(
        [&] {
            selected = ReadScreen(x->display(), text);
            return CountDifferent(selected, unselected) > 500;
        },
        5s))
        << "no selection drawn while the text has the focus";

    ClickInPanel(10, 125);
    PollUntil([&] { return focusIs(panel->id); }, 5s);
    RgbImage away;
    const bool hidden = PollUntil(
        [&] {
            away = ReadScreen(x->display(), text);
            return !FirstDifference(away, unselected);
        },
        5s);
    WritePng(away, (sandbox->Root() / "help-text-without-focus.png").string());
    EXPECT_TRUE(hidden) << "the selection shows without the focus: " << *FirstDifference(away, unselected);
}

}  // namespace
}  // namespace e2e
