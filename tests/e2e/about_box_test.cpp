// "About..." from the Sound menu: the box shows the bundle's version and
// opens the home page named in the bundle metadata.
#include <X11/keysym.h>

#include "tests/e2e/xvfb_fixture.h"

namespace e2e {
namespace {

class AboutBox : public XvfbFixture {};

TEST_F(AboutBox, VisitWebSiteOpensTheBundlesHomePage) {
    const std::string home = "http://home.quorrel.test/start.html";
    sandbox->InstallWithBundle({{"HomePage", home}, {"LongVersion", "7.8.9 Test"}});
    StartProgram();
    ASSERT_TRUE(panel);
    ASSERT_TRUE(OpenPanelMenu(15));
    input->Tap({XK_Right});  // the Sound menu, its first item active
    Pause(150ms);
    input->Tap({XK_Down});
    input->Tap({XK_Down});
    input->Tap({XK_Return});  // "About..."
    auto about = x->WaitForTitle("About...");
    ASSERT_TRUE(about) << "no About box appeared";
    Pause(300ms);
    WritePng(ReadScreen(x->display(), about->geometry), (sandbox->Root() / "about-box.png").string());

    input->ClickAt(about->geometry.x + 72 + 60, about->geometry.y + 217 + 10);  // "Visit Web Site"
    ASSERT_TRUE(PollUntil([&] { return !sandbox->OpenedUrls().empty(); }, 10s)) << "no URL was opened";
    EXPECT_EQ(sandbox->OpenedUrlsWhenHandled(), std::vector<std::string>{home});
    EXPECT_TRUE(x->IsMapped(about->id)) << "the About box closed";
}

}  // namespace
}  // namespace e2e
