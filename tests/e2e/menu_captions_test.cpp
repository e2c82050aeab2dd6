// The Help window's menu captions carry "&" before a letter ("&File",
// "&Edit", "Cu&t"): the mark of the menu's access key, which is not shown.
#include <X11/keysym.h>

#include "tests/e2e/xvfb_fixture.h"

namespace e2e {
namespace {

class MenuCaptions : public XvfbFixture {};

TEST_F(MenuCaptions, AnAmpersandMarksTheAccessKeyOfTheHelpWindowsMenus) {
    StartProgram();
    ASSERT_TRUE(panel);
    ASSERT_TRUE(OpenPanelMenu(15));
    for (int i = 0; i < 3; ++i) input->Tap({XK_Right});  // File, Sound, Check for Update, Help
    Pause(150ms);
    input->Tap({XK_Return});  // "Show Help"
    auto help = x->WaitForTitle("Help");
    ASSERT_TRUE(help) << "no Help window appeared";
    Pause(300ms);

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

}  // namespace
}  // namespace e2e
