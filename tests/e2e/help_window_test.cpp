// "Show Help" from the Control Panel's Help menu: the Help window shows the
// help text with its headings in blue and its warnings in red; its menus
// open on their access keys.
#include <X11/keysym.h>

#include <cstdlib>

#include "tests/e2e/xvfb_fixture.h"
// After gtest: Xlib's macros would break its templates.
#include "tests/e2e/x_clipboard.h"

namespace e2e {
namespace {

// Pixels close to a pure colour: the cores of bold glyph strokes.
int CountNear(const RgbImage& image, uint32_t rgb) {
    auto channel = [](uint32_t p, int shift) { return static_cast<int>((p >> shift) & 0xff); };
    int count = 0;
    for (uint32_t p : image.pixels) {
        const bool near = std::abs(channel(p, 16) - channel(rgb, 16)) < 60 &&
                          std::abs(channel(p, 8) - channel(rgb, 8)) < 60 &&
                          std::abs(channel(p, 0) - channel(rgb, 0)) < 60;
        if (near) ++count;
    }
    return count;
}

class HelpWindow : public XvfbFixture {
protected:
    // Starts the program and chooses "Show Help" in the Control Panel's Help
    // menu; the window is there once it shows the blue headings it opens with.
    std::optional<TopLevel> ShowHelp() {
        StartProgram();
        if (!panel || !OpenPanelMenu(15)) return std::nullopt;
        for (int i = 0; i < 3; ++i) input->Tap({XK_Right});  // File, Sound, Check for Update, Help
        Pause(150ms);
        input->Tap({XK_Return});  // "Show Help"
        auto help = x->WaitForTitle("Help");
        if (help) PollUntil([&] { return CountNear(ReadScreen(x->display(), help->geometry), 0x0000ff) > 50; });
        return help;
    }
    // superTaken: Super goes to a passive grab on the root window, as window
    // managers that bind the key alone hold it, and never to the program.
    void CheckTheChordLeavesTheKeyboardWithTheHelpText(bool superTaken = false);
    void CheckTheAccessKeysOpenTheMenus();
};

class HelpWindowOnABareServer : public HelpWindow {
protected:
    HelpWindowOnABareServer() { bareServer = true; }
};

class HelpWindowUnderXfwm4 : public HelpWindow {
protected:
    HelpWindowUnderXfwm4() { windowManagerKind = WindowManager::Kind::Xfwm4; }
};

TEST_F(HelpWindow, ShowsTheHeadingsInBlueAndTheWarningsInRed) {
    auto help = ShowHelp();
    ASSERT_TRUE(help) << "no Help window appeared";
    const RgbImage top = ReadScreen(x->display(), help->geometry);
    WritePng(top, (sandbox->Root() / "help-window-top.png").string());
    // The first screenful opens with the blue headings.
    EXPECT_GT(CountNear(top, 0x0000ff), 50) << "no blue headings";

    // Further down, the steps of the area selection carry the red warnings.
    input->ClickAt(help->geometry.x + 100, help->geometry.y + 100);  // the text area takes the focus
    // Page down until they show (how far depends on the font's metrics). A
    // page has moved once far more of the text (its scroll bar left aside,
    // which is drawn on its own) has changed than the flashing cursor.
    const int bar = help->geometry.height - 348;
    auto textOf = [&](const RgbImage& window) { return window.Crop(22, bar + 22, 285, 300); };
    int red = 0;
    RgbImage shown = textOf(top);
    for (int page = 0; page < 6 && red <= 50; ++page) {
        input->Tap({XK_Next});
        RgbImage lower;
        const bool moved = PollUntil([&] {
            lower = ReadScreen(x->display(), help->geometry);
            return CountDifferent(textOf(lower), shown) > 500;
        });
        WritePng(lower, (sandbox->Root() / ("help-window-page" + std::to_string(page + 1) + ".png")).string());
        red = CountNear(textOf(lower), 0xff0000);
        if (!moved) break;  // the end of the text
        shown = textOf(lower);
    }
    EXPECT_GT(red, 50) << "no red warnings";
}

// The captions carry "&" before a letter ("&File", "&Edit", "Cu&t"): the
// mark of the menu's access key, which is not shown.
void HelpWindow::CheckTheAccessKeysOpenTheMenus() {
    auto help = ShowHelp();
    ASSERT_TRUE(help) << "no Help window appeared";

    for (KeySym key : {XK_e, XK_f}) {
        x->Focus(help->id);
        Pause(100ms);
        auto known = x->Mapped();
        input->Tap({XK_Alt_L, key});
        auto menu = x->WaitForNew(known, /*popup=*/true, 5s);
        EXPECT_TRUE(menu) << "Alt+" << XKeysymToString(key) << " opened no menu";
        if (!menu) continue;
        Pause(150ms);
        WritePng(ReadScreen(x->display()),
                 (sandbox->Root() / (std::string("menu-") + XKeysymToString(key) + ".png")).string());
        input->Tap({XK_Escape});
        EXPECT_TRUE(x->WaitUntilGone(menu->id, 5s));
        input->Tap({XK_Escape});  // out of the menu bar
    }
}

TEST_F(HelpWindow, AnAmpersandMarksTheAccessKeyOfTheHelpWindowsMenus) { CheckTheAccessKeysOpenTheMenus(); }
TEST_F(HelpWindowUnderXfwm4, AnAmpersandMarksTheAccessKeyOfTheHelpWindowsMenus) { CheckTheAccessKeysOpenTheMenus(); }

// The capture chord while the Help window has the keyboard: whichever key
// goes down first and whichever comes up first, the chord captures and
// leaves the keyboard with the text, so every key typed around it lands
// there and no menu opens.
void HelpWindow::CheckTheChordLeavesTheKeyboardWithTheHelpText(bool superTaken) {
    auto help = ShowHelp();
    ASSERT_TRUE(help) << "no Help window appeared";
    if (superTaken) {
        XGrabKey(x->display(),
                 XKeysymToKeycode(x->display(), XK_Super_L),
                 AnyModifier,
                 x->root(),
                 False,
                 GrabModeAsync,
                 GrabModeAsync);
        XSync(x->display(), False);
    }
    input->ClickAt(help->geometry.x + 100, help->geometry.y + 100);  // the text area takes the focus
    Pause(100ms);
    input->Tap({XK_Control_L, XK_Home});

    struct Chord {
        const char* what;
        KeySym first, second, firstUp, secondUp;
    };
    const Chord chords[] = {
        {"Alt down first, Super up first", XK_Alt_L, XK_Super_L, XK_Super_L, XK_Alt_L},
        {"Alt down first, Alt up first", XK_Alt_L, XK_Super_L, XK_Alt_L, XK_Super_L},
        {"Super down first, Alt up first", XK_Super_L, XK_Alt_L, XK_Alt_L, XK_Super_L},
        {"Super down first, Super up first", XK_Super_L, XK_Alt_L, XK_Super_L, XK_Alt_L},
    };
    const KeySym typed[] = {XK_q, XK_z, XK_x, XK_j, XK_w};
    const auto known = x->Mapped();
    std::string expected;
    for (size_t i = 0; i < std::size(chords); ++i) {
        input->Tap({typed[i]});
        expected += XKeysymToString(typed[i]);
        // A capture in the same second keeps the same name: start from an
        // empty folder to see this chord's own.
        for (const fs::path& file : ScreenshotFiles()) fs::remove(file);
        input->Press(chords[i].first);
        input->Press(chords[i].second);
        const bool captured = PollUntil([&] { return !ScreenshotFiles().empty(); }, 5s, 5ms);
        input->Release(chords[i].firstUp);
        input->Release(chords[i].secondUp);
        EXPECT_TRUE(captured) << chords[i].what << ": no capture";
    }
    input->Tap({typed[std::size(chords)]});
    expected += XKeysymToString(typed[std::size(chords)]);

    // A menu that opened shows as a new popup.
    auto popup = x->WaitForNew(known, /*popup=*/true, 300ms);
    EXPECT_FALSE(popup) << "a menu opened";
    if (popup) {
        WritePng(ReadScreen(x->display()), (sandbox->Root() / "menu-after-chord.png").string());
        for (int i = 0; i < 3; ++i) input->Tap({XK_Escape});
    }
    ASSERT_TRUE(x->FindByTitle("Help")) << "the Help window closed";
    input->Tap({XK_Control_L, XK_a});
    input->Tap({XK_Control_L, XK_c});
    std::optional<std::string> text;
    PollUntil([&] { return (text = ReadClipboard(x->display(), 1s)).has_value(); }, 5s, 100ms);
    ASSERT_TRUE(text) << "nothing copied from the help text";
    EXPECT_EQ(text->substr(0, expected.size() + 13), expected + "Introduction:");

    // Alt alone, after all those chords, still takes the keyboard to the
    // menu bar: Down then opens the File menu.
    input->Tap({XK_Alt_L});
    input->Tap({XK_Down});
    const auto menu = x->WaitForNew(known, /*popup=*/true, 5s);
    EXPECT_TRUE(menu) << "Alt alone did not take the keyboard to the menu bar";
    if (menu) {
        input->Tap({XK_Escape});
        EXPECT_TRUE(x->WaitUntilGone(menu->id, 5s));
    }
}

TEST_F(HelpWindow, TheChordLeavesTheKeyboardWithTheHelpText) { CheckTheChordLeavesTheKeyboardWithTheHelpText(); }
TEST_F(HelpWindow, TheChordLeavesTheKeyboardWithTheHelpTextWhenSuperIsTaken) {
    CheckTheChordLeavesTheKeyboardWithTheHelpText(/*superTaken=*/true);
}
TEST_F(HelpWindowOnABareServer, TheChordLeavesTheKeyboardWithTheHelpText) {
    CheckTheChordLeavesTheKeyboardWithTheHelpText();
}
TEST_F(HelpWindowUnderXfwm4, TheChordLeavesTheKeyboardWithTheHelpText) {
    CheckTheChordLeavesTheKeyboardWithTheHelpText();
}

}  // namespace
}  // namespace e2e
