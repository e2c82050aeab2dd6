// "Check Now" and "Check for Updates" against an update server of the test's
// own on loopback, named in the bundle metadata.
#include <X11/keysym.h>

#include "tests/e2e/xvfb_fixture.h"
#include "tests/support/http_server.h"

namespace e2e {
namespace {

class UpdateCheck : public XvfbFixture {
protected:
    const std::string home = "http://home.quorrel.test/";

    // Runs 1.3.0, offers `version`, and presses "Check for Updates".
    void StartCheck(const std::string& version) {
        server.SetReply(quorrel::test::HttpServer::Reply::Ok(
            "<CurrentVersion>" + version + "</CurrentVersion><Description>Faster captures.</Description>"
            "<Free>Yes</Free>"));
        sandbox->InstallWithBundle({{"UpdateHost", "127.0.0.1"}, {"UpdatePort", std::to_string(server.Port())},
                                    {"HomePage", home}, {"MajorVersion", "1"}, {"MinorVersion", "3"},
                                    {"BugVersion", "0"}, {"ShortVersion", "1.3.0"}});
        StartProgram();
        ASSERT_TRUE(panel);
        ASSERT_TRUE(OpenPanelMenu(15));
        input->Tap({XK_Right});
        Pause(150ms);
        input->Tap({XK_Right});  // "Check for Update", its first item active
        Pause(150ms);
        input->Tap({XK_Return});  // "Check Now"
        selfTest = x->WaitForTitle("Self Test");
        ASSERT_TRUE(selfTest) << "no Self Test window appeared";
        Pause(300ms);
        input->ClickAt(selfTest->geometry.x + 28 + 78, selfTest->geometry.y + 61 + 10);  // "Check for Updates"
        ASSERT_TRUE(server.WaitFor([](const auto& s) { return s.RequestCount() > 0; }, 10000))
            << "no request reached the update server";
        EXPECT_EQ(server.Requests()[0].rfind("GET /Updates/quorrel.xml HTTP/1.0\r\n", 0), 0u) << server.Requests()[0];
    }

    // The first window that is neither of the check's own two.
    std::optional<TopLevel> WaitForMessage() {
        std::optional<TopLevel> found;
        PollUntil([&] {
            for (const auto& w : x->Mapped())
                if (!w.overrideRedirect && w.id != panel->id && w.id != selfTest->id && w.title != "Update") {
                    found = w;
                    return true;
                }
            return false;
        });
        if (found) Pause(200ms);
        return found;
    }

    quorrel::test::HttpServer server;
    std::optional<TopLevel> selfTest;
};

TEST_F(UpdateCheck, CurrentVersionShowsTheMessageThenClosesBothWindows) {
    StartCheck("1.3.0");
    auto message = WaitForMessage();
    ASSERT_TRUE(message) << "no current-version message appeared";
    PressReturnIn(*message);
    EXPECT_TRUE(x->WaitUntilGone(message->id));
    EXPECT_TRUE(x->WaitUntilGone(selfTest->id)) << "the Self Test window stayed open";
    EXPECT_TRUE(PollUntil([&] { return !x->FindByTitle("Update"); }, 5s)) << "the Update window stayed open";
    EXPECT_TRUE(x->IsMapped(panel->id));
    EXPECT_EQ(server.RequestCount(), 1);
}

TEST_F(UpdateCheck, NewerVersionOffersTheUpgradeAndItsDownloadOpensTheSite) {
    StartCheck("2.0.0");
    auto dialog = x->WaitForTitle("New version available!");
    ASSERT_TRUE(dialog) << "no upgrade dialog appeared";
    Pause(300ms);
    WritePng(ReadScreen(x->display(), dialog->geometry), (sandbox->Root() / "upgrade-dialog.png").string());
    EXPECT_TRUE(x->IsMapped(selfTest->id));

    PressReturnIn(*dialog);  // the default button: download through the browser
    EXPECT_TRUE(x->WaitUntilGone(dialog->id));
    ASSERT_TRUE(PollUntil([&] { return !sandbox->OpenedUrls().empty(); }, 10s)) << "no URL was opened";
    EXPECT_EQ(sandbox->OpenedUrls(), std::vector<std::string>{home});
    EXPECT_TRUE(PollUntil([&] { return !x->FindByTitle("Update"); }, 5s)) << "the Update window stayed open";
    EXPECT_TRUE(x->IsMapped(selfTest->id)) << "the Self Test window closed on the upgrade road";
}

}  // namespace
}  // namespace e2e
