// The road to an update check: the program runs 1.3.0 against an update
// server of the test's own on loopback, named in the bundle metadata, and
// "Check Now" and "Check for Updates" are pressed.
#pragma once
#include <X11/keysym.h>

#include "tests/e2e/xvfb_fixture.h"
#include "tests/support/http_server.h"

namespace e2e {

class UpdateCheck : public XvfbFixture {
protected:
    const std::string home = "http://home.quorrel.test/";

    // Offers `version` with a short description.
    void StartCheck(const std::string& version) {
        StartCheckWithBody("<CurrentVersion>" + version +
                           "</CurrentVersion><Description>Faster captures.</Description><Free>Yes</Free>");
    }

    // Serves `body` as the update file and starts the check.
    void StartCheckWithBody(const std::string& body) {
        server.SetReply(quorrel::test::HttpServer::Reply::Ok(body));
        sandbox->InstallWithBundle({{"UpdateHost", "127.0.0.1"},
                                    {"UpdatePort", std::to_string(server.Port())},
                                    {"HomePage", home},
                                    {"MajorVersion", "1"},
                                    {"MinorVersion", "3"},
                                    {"BugVersion", "0"},
                                    {"ShortVersion", "1.3.0"}});
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

    // The first titled window that is neither of the check's own two (a
    // window manager's frames have no title).
    std::optional<TopLevel> WaitForMessage() {
        std::optional<TopLevel> found;
        PollUntil([&] {
            for (const auto& w : x->Mapped())
                if (!w.overrideRedirect && !w.title.empty() && w.id != panel->id && w.id != selfTest->id &&
                    w.title != "Update") {
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

}  // namespace e2e
