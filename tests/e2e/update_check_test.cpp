// "Check Now" and "Check for Updates": the current-version message and the
// upgrade offer.
#include "tests/e2e/update_check_fixture.h"

namespace e2e {
namespace {

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
    EXPECT_EQ(sandbox->OpenedUrlsWhenHandled(), std::vector<std::string>{home});
    EXPECT_TRUE(PollUntil([&] { return !x->FindByTitle("Update"); }, 5s)) << "the Update window stayed open";
    EXPECT_TRUE(x->IsMapped(selfTest->id)) << "the Self Test window closed on the upgrade road";
}

}  // namespace
}  // namespace e2e
