// The update check through the whole program: "Check Now", then "Check for
// Updates", against an update server of the test's own on loopback.
#include "program_fixture.h"
#include "tests/support/bundle_file.h"
#include "tests/support/control_lookup.h"
#include "tests/support/http_server.h"
#include "update/self_test.h"
#include "update/update_window.h"

#include <gtest/gtest.h>

namespace {

using fw::headless::Headless;
using fw::headless::ModalAnswer;
using fw::headless::ModalRequest;
using quorrel::test::ControlNamed;
using quorrel::test::HttpServer;
using quorrel::test::SetBundleKeys;

const char* const kHome = "http://home.quorrel.test/";
const char* const kCurrentMessage = "You are using the current version. No update is available.";

std::string UpdateFile(const std::string& version, const std::string& free,
                       const std::string& description = "Faster captures.") {
    return "<?xml version=\"1.0\"?>\n<update><CurrentVersion>" + version + "</CurrentVersion><Description>" +
           description + "</Description><Free>" + free + "</Free></update>\n";
}

// What a modal showed, as the program had set it up.
struct SeenDialog {
    std::string title, message, explanation, alternateCaption;
    int32_t icon = 0;
    bool cancelVisible = false, alternateVisible = false;
};

class UpdateWindowTest : public quorrel::test::ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        WriteBundle(server.Port());
        hl().SetModalScript([this](Headless&, const ModalRequest& request) {
            ModalAnswer answer;
            if (request.kind == ModalRequest::Kind::MessageDialog) {
                auto& d = *request.dialog;
                dialogs.push_back({d.Title(),
                                   d.Message(),
                                   d.Explanation(),
                                   d.AlternateActionButton()->Caption(),
                                   d.Icon(),
                                   d.CancelButton()->Visible(),
                                   d.AlternateActionButton()->Visible()});
                answer.button = dialogButton;
            } else if (request.kind == ModalRequest::Kind::MessageBox) {
                messages.push_back(request.text);
                beepsAtMessage = hl().Log().beeps;
                windowsOpenAtMessage = Update() != nullptr && SelfTest() != nullptr;
                if (auto w = Update()) {
                    labelAtMessage = ControlNamed<fw::Label>(w, "StaticText1")->Text();
                    barVisibleAtMessage = ControlNamed<fw::ProgressBar>(w, "ProgressBar1")->Visible();
                }
                if (auto panel = ControlPanel()) focusesAtMessage = fw::headless::PeerOf(panel)->focuses;
            }
            return answer;
        });
    }

    void WriteBundle(int port) {
        SetBundleKeys(ResourcesDir() / "bundle.ini",
                      {{"MajorVersion", "1"},
                       {"MinorVersion", "3"},
                       {"BugVersion", "0"},
                       {"ShortVersion", "1.3.0"},
                       {"LongVersion", "1.3.0 Linux"},
                       {"UpdateScheme", "http"},
                       {"UpdateHost", "127.0.0.1"},
                       {"UpdatePort", std::to_string(port)},
                       {"HomePage", kHome},
                       {"MailAddress", "author@quorrel.test"}});
    }

    static std::shared_ptr<fw::Window> SelfTest() { return fw::RuntimeGetImplicitWindow("selfTest.selfTest"); }
    static std::shared_ptr<fw::Window> Update() { return fw::RuntimeGetImplicitWindow("updateWindow.updateWindow"); }

    // "Check Now", then "Check for Updates".
    void StartCheck(Headless& h) {
        ASSERT_TRUE(h.ChooseMenu("CheckforUpdateCheckNow"));
        ASSERT_TRUE(SelfTest());
        h.Click(SelfTest(), "PushButton1");
        ASSERT_TRUE(Update());
    }
    // Waits (real time) until the Update window has closed.
    bool UpdateCloses(Headless& h) {
        return h.RunUntil([] { return !Update(); }, 5000);
    }
    bool RequestArrives(Headless& h) {
        return h.RunUntil([&] { return server.RequestCount() == 1; }, 5000);
    }
    // A while of real time in which nothing more should happen.
    static void Settle(Headless& h) {
        h.RunUntil([] { return false; }, 150);
    }

    HttpServer server;
    std::vector<SeenDialog> dialogs;
    std::vector<std::string> messages;
    int dialogButton = 1;  // cancel
    std::string labelAtMessage;
    bool barVisibleAtMessage = true;
    int focusesAtMessage = -1;
    int beepsAtMessage = -1;
    bool windowsOpenAtMessage = false;
};

TEST(SelfTestClass, GetterDefinesTheClassOnceWithItsMembersInOrder) {
    fw::headless::InstallNew();
    ASSERT_EQ(fw::RuntimeGetClass("selfTest.selfTest"), nullptr);
    const fw::ClassRecord* record = quorrel::selfTestClassGetter();
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->name, "selfTest.selfTest");
    EXPECT_EQ(record->superclass, "Window");
    EXPECT_EQ(record->members,
              (std::vector<std::string>{"Layout",
                                        "CreateControls",
                                        "_CreateControls0",
                                        "StaticText1",
                                        "StaticText2",
                                        "PushButton1",
                                        "StaticText2_Open",
                                        "PushButton1_Action"}));
    EXPECT_EQ(quorrel::selfTestClassGetter(), record);
    EXPECT_EQ(fw::RuntimeGetClass("selfTest.selfTest"), record);
}

TEST_F(UpdateWindowTest, SelfTestShowsTheLongVersionAndStaysSingle) {
    Run([&](Headless& h) {
        ASSERT_TRUE(h.ChooseMenu("CheckforUpdateCheckNow"));
        auto first = SelfTest();
        ASSERT_TRUE(first);
        EXPECT_EQ(first->Title(), "Self Test");
        EXPECT_EQ(ControlNamed<fw::Label>(first, "StaticText2")->Text(), "1.3.0 Linux");
        EXPECT_TRUE(ControlNamed<fw::PushButton>(first, "PushButton1")->Default());
        ASSERT_TRUE(h.ChooseMenu("CheckforUpdateCheckNow"));
        EXPECT_EQ(SelfTest(), first);
        EXPECT_EQ(server.RequestCount(), 0);  // no check before the button
    });
}

class CurrentVersionTest : public UpdateWindowTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(CurrentVersionTest, ShowsTheMessageThenClosesBothWindows) {
    server.SetReply(HttpServer::Reply::Ok(UpdateFile(GetParam(), "Yes")));
    Run([&](Headless& h) {
        StartCheck(h);
        EXPECT_EQ(Update()->Title(), "Update");
        EXPECT_EQ(ControlNamed<fw::ProgressBar>(Update(), "ProgressBar1")->Maximum(), 0);  // indeterminate
        ASSERT_TRUE(UpdateCloses(h));
        EXPECT_FALSE(SelfTest());
        EXPECT_TRUE(ControlPanel());
    });
    EXPECT_EQ(messages, std::vector<std::string>{kCurrentMessage});
    EXPECT_TRUE(windowsOpenAtMessage) << "both windows close only after the message";
    EXPECT_EQ(beepsAtMessage, 0);
    EXPECT_EQ(labelAtMessage, "This version is current.");
    EXPECT_FALSE(barVisibleAtMessage);
    EXPECT_TRUE(dialogs.empty());
    EXPECT_EQ(server.RequestCount(), 1);
}

// The fourth piece is never read; white space around the numbers is not a
// difference (a version on a line of its own).
INSTANTIATE_TEST_SUITE_P(Offers, CurrentVersionTest,
                         ::testing::Values("1.3.0", "1.3.0.4", "\n1.3.0\n", "\r\n1.3.0\r\n", "\t1.3.0 "));

struct UpgradeCase {
    const char* name;
    std::string version, free;
    std::string message;
};
void PrintTo(const UpgradeCase& c, std::ostream* os) { *os << c.name; }

class UpgradeTest : public UpdateWindowTest, public ::testing::WithParamInterface<UpgradeCase> {};

const std::string kFreeWording =
    "This is a free upgrade. Would you like to automatically download this update (using your web browser)?";
const std::string kPaidWording =
    "This is a paid upgrade. Would you like to automatically download the trial version (using your web browser)?";

TEST_P(UpgradeTest, OffersTheUpgradeAndCancelLeavesTheSelfTestOpen) {
    server.SetReply(HttpServer::Reply::Ok(UpdateFile(GetParam().version, GetParam().free)));
    Run([&](Headless& h) {
        StartCheck(h);
        ASSERT_TRUE(UpdateCloses(h));
        EXPECT_TRUE(SelfTest());
    });
    ASSERT_EQ(dialogs.size(), 1u);
    const SeenDialog& d = dialogs[0];
    EXPECT_EQ(d.title, "New version available!");
    EXPECT_EQ(d.message, GetParam().message);
    EXPECT_EQ(d.explanation, "Faster captures.");
    EXPECT_EQ(d.icon, 3);
    EXPECT_TRUE(d.cancelVisible);
    EXPECT_TRUE(d.alternateVisible);
    EXPECT_EQ(d.alternateCaption, "Go to Website");
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(hl().Log().urls.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Offers, UpgradeTest,
    ::testing::Values(
        // Only equality counts: a lower version is offered too.
        UpgradeCase{"LowerFree",
                    "1.2.9",
                    "Yes",
                    "Version 1.2.9 is now available. (You are using version 1.3.0.) " + kFreeWording},
        UpgradeCase{"MajorPaid",
                    "2.0.0",
                    "No",
                    "Version 2.0.0 is now available. (You are using version 1.3.0.) " + kPaidWording},
        UpgradeCase{"EmptyFreeIsPaid",
                    "2.0.0",
                    "",
                    "Version 2.0.0 is now available. (You are using version 1.3.0.) " + kPaidWording},
        // The version text shows as written, line breaks and all; a Free
        // value on its own line is not "Yes".
        UpgradeCase{"UntrimmedValues",
                    "\n2.0.0 ",
                    "\nYes\n",
                    "Version \n2.0.0  is now available. (You are using version 1.3.0.) " + kPaidWording}),
    [](const ::testing::TestParamInfo<UpgradeCase>& info) { return std::string(info.param.name); });

// A reply in another encoding reads as the same update file: its tags are
// found and its words shown as written.
struct EncodedReplyCase {
    const char* name;
    std::string contentType, body;
};
void PrintTo(const EncodedReplyCase& c, std::ostream* os) { *os << c.name; }

std::string WithContentType(const std::string& contentType, const std::string& body) {
    return "HTTP/1.0 200 OK\r\nContent-Type: " + contentType + "\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\n\r\n" + body;
}

// A text of characters below U+0800 (written in UTF-8) in UTF-16 with its mark.
std::string Utf16(const std::string& utf8, bool bigEndian) {
    std::string s = bigEndian ? "\xfe\xff" : "\xff\xfe";
    for (size_t i = 0; i < utf8.size(); ++i) {
        unsigned unit = static_cast<unsigned char>(utf8[i]);
        if (unit >= 0xc0) unit = (unit & 0x1f) << 6 | (static_cast<unsigned char>(utf8[++i]) & 0x3f);
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xff);
        s += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return s;
}

class EncodedReplyTest : public UpdateWindowTest, public ::testing::WithParamInterface<EncodedReplyCase> {};

TEST_P(EncodedReplyTest, OffersTheUpgradeWithItsWords) {
    server.SetReply(HttpServer::Reply::Raw(WithContentType(GetParam().contentType, GetParam().body)));
    Run([&](Headless& h) {
        StartCheck(h);
        ASSERT_TRUE(UpdateCloses(h));
    });
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].message, "Version 2.0.0 is now available. (You are using version 1.3.0.) " + kFreeWording);
    EXPECT_EQ(dialogs[0].explanation, "Caf\xc3\xa9 cr\xc3\xa8me");
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, EncodedReplyTest,
    ::testing::Values(
        EncodedReplyCase{
            "Latin1Declared", "text/xml; charset=ISO-8859-1", UpdateFile("2.0.0", "Yes", "Caf\xe9 cr\xe8me")},
        EncodedReplyCase{"Latin1Undeclared", "text/xml", UpdateFile("2.0.0", "Yes", "Caf\xe9 cr\xe8me")},
        EncodedReplyCase{"Utf8", "text/xml; charset=utf-8", UpdateFile("2.0.0", "Yes", "Caf\xc3\xa9 cr\xc3\xa8me")},
        // UTF-16 by its mark, whatever the header says.
        EncodedReplyCase{"Utf16LittleEndian",
                         "text/xml; charset=ISO-8859-1",
                         Utf16(UpdateFile("2.0.0", "Yes", "Caf\xc3\xa9 cr\xc3\xa8me"), false)},
        EncodedReplyCase{
            "Utf16BigEndian", "text/xml", Utf16(UpdateFile("2.0.0", "Yes", "Caf\xc3\xa9 cr\xc3\xa8me"), true)}),
    [](const ::testing::TestParamInfo<EncodedReplyCase>& info) { return std::string(info.param.name); });

class Utf16CurrentTest : public UpdateWindowTest, public ::testing::WithParamInterface<bool> {};

TEST_P(Utf16CurrentTest, ReplyOfTheRunningVersionIsCurrent) {
    server.SetReply(HttpServer::Reply::Ok(Utf16(UpdateFile("1.3.0", "Yes"), GetParam())));
    Run([&](Headless& h) {
        StartCheck(h);
        ASSERT_TRUE(UpdateCloses(h));
        EXPECT_FALSE(SelfTest());
    });
    EXPECT_EQ(messages, std::vector<std::string>{kCurrentMessage});
    EXPECT_TRUE(dialogs.empty());
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, Utf16CurrentTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "BigEndian" : "LittleEndian");
                         });

TEST_F(UpdateWindowTest, DownloadOpensTheDownloadAddressAndClosesTheUpdateWindow) {
    server.SetReply(HttpServer::Reply::Ok(UpdateFile("2.0.0", "Yes")));
    dialogButton = 0;
    Run([&](Headless& h) {
        StartCheck(h);
        ASSERT_TRUE(UpdateCloses(h));
        EXPECT_TRUE(SelfTest());
    });
    EXPECT_EQ(hl().Log().urls, std::vector<std::string>{kHome});
}

TEST_F(UpdateWindowTest, GoToWebsiteKeepsTheWindowAndStartsNoSecondRequest) {
    server.SetReply(HttpServer::Reply::Ok(UpdateFile("2.0.0", "Yes")));
    dialogButton = 2;
    Run([&](Headless& h) {
        StartCheck(h);
        auto update = Update();
        ASSERT_TRUE(h.RunUntil([&] { return !dialogs.empty(); }, 5000));
        Settle(h);
        ASSERT_EQ(Update(), update);
        EXPECT_FALSE(ControlNamed<fw::ProgressBar>(update, "ProgressBar1")->Visible());
        EXPECT_EQ(ControlNamed<fw::Label>(update, "StaticText1")->Text(), "Checking for update...");
        EXPECT_TRUE(SelfTest());

        h.Click(SelfTest(), "PushButton1");
        Settle(h);
        EXPECT_EQ(Update(), update);
    });
    EXPECT_EQ(hl().Log().urls, std::vector<std::string>{kHome});
    EXPECT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(server.RequestCount(), 1);
}

// Once connected, what came is the page, never the error road; an empty one
// closes the Update window alone. Past a header that the client will not
// hold, the body is not read.
struct EmptyPageCase {
    const char* name;
    HttpServer::Reply reply;
};

class EmptyPageTest : public UpdateWindowTest, public ::testing::WithParamInterface<EmptyPageCase> {};

TEST_P(EmptyPageTest, ClosesOnlyTheUpdateWindow) {
    server.SetReply(GetParam().reply);
    Run([&](Headless& h) {
        StartCheck(h);
        ASSERT_TRUE(UpdateCloses(h));
        Settle(h);
        EXPECT_TRUE(SelfTest());
    });
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(dialogs.empty());
    EXPECT_EQ(hl().Log().beeps, 0);
    EXPECT_EQ(server.RequestCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, EmptyPageTest,
    ::testing::Values(EmptyPageCase{"ClosedAtOnce", HttpServer::Reply::CloseAtOnce()},
                      EmptyPageCase{"HeaderLineOf300KB",
                                    HttpServer::Reply::HugeHeaders(1, 300 * 1024, UpdateFile("1.3.0", "Yes"))},
                      EmptyPageCase{"TenMegabytesOfHeaderLines",
                                    HttpServer::Reply::HugeHeaders(100 * 1024, 90, UpdateFile("1.3.0", "Yes"))}),
    [](const ::testing::TestParamInfo<EmptyPageCase>& info) { return std::string(info.param.name); });

TEST_F(UpdateWindowTest, ReplyWithoutAStatusLineIsReadAsTheUpdateFile) {
    server.SetReply(HttpServer::Reply::Raw(UpdateFile("1.3.0", "Yes")));
    Run([&](Headless& h) {
        StartCheck(h);
        ASSERT_TRUE(UpdateCloses(h));
        EXPECT_FALSE(SelfTest());
    });
    EXPECT_EQ(messages, std::vector<std::string>{kCurrentMessage});
    EXPECT_EQ(hl().Log().beeps, 0);
}

TEST_F(UpdateWindowTest, RefusedConnectionBeepsReportsTheCodeAndClosesBoth) {
    WriteBundle(HttpServer::RefusingPort());
    int focusesBeforeError = -1;
    Run([&](Headless& h) {
        StartCheck(h);
        focusesBeforeError = fw::headless::PeerOf(ControlPanel())->focuses;  // Event_Open gave it the focus
        ASSERT_TRUE(UpdateCloses(h));
        EXPECT_FALSE(SelfTest());
        EXPECT_EQ(fw::headless::PeerOf(ControlPanel())->focuses, focusesBeforeError + 1);
    });
    EXPECT_GE(focusesBeforeError, 1);
    EXPECT_EQ(focusesAtMessage, focusesBeforeError);  // the focus goes back after the message
    EXPECT_EQ(beepsAtMessage, 1) << "the beep comes before the message";
    EXPECT_TRUE(windowsOpenAtMessage) << "both windows close only after the message";
    EXPECT_EQ(hl().Log().beeps, 1);
    EXPECT_EQ(messages,
              std::vector<std::string>{"There was a communication error with the website. "
                                       "Please try again later. (Code: 102)"});
}

TEST_F(UpdateWindowTest, CancelDuringTheRequestEndsIt) {
    server.SetReply(HttpServer::Reply::Silent());
    Run([&](Headless& h) {
        StartCheck(h);
        ASSERT_TRUE(RequestArrives(h));
        EXPECT_EQ(ControlNamed<fw::PushButton>(Update(), "PushButton1")->Caption(), "Cancel");
        h.Click(Update(), "PushButton1");
        EXPECT_FALSE(Update());
        EXPECT_TRUE(SelfTest());
        EXPECT_TRUE(server.WaitFor([](const HttpServer& s) { return s.ClientCloses() == 1; }, 5000));
        Settle(h);
    });
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(dialogs.empty());
}

TEST_F(UpdateWindowTest, ReplyAfterTheWindowClosedIsDropped) {
    server.SetReply(HttpServer::Reply::Ok(UpdateFile("1.3.0", "Yes")).After(100));
    Run([&](Headless& h) {
        StartCheck(h);
        ASSERT_TRUE(RequestArrives(h));
        h.CloseWindow(Update());  // the reply comes after
        h.RunUntil([] { return false; }, 300);
        EXPECT_TRUE(SelfTest());
    });
    EXPECT_TRUE(messages.empty());
}

TEST_F(UpdateWindowTest, SecondPressDuringACheckMakesNoSecondRequest) {
    server.SetReply(HttpServer::Reply::Silent());
    Run([&](Headless& h) {
        StartCheck(h);
        auto update = Update();
        ASSERT_TRUE(RequestArrives(h));
        h.Click(SelfTest(), "PushButton1");
        Settle(h);
        EXPECT_EQ(Update(), update);
    });
    EXPECT_EQ(server.RequestCount(), 1);
}

TEST_F(UpdateWindowTest, AutomaticCheckShowsNoMessage) {
    server.SetReply(HttpServer::Reply::Ok(UpdateFile("1.3.0", "Yes")));
    Run([&](Headless& h) {
        StartCheck(h);
        auto update = std::dynamic_pointer_cast<quorrel::updateWindow>(Update());
        ASSERT_TRUE(update);
        update->automaticCheck = true;  // before the loop could read the reply
        auto label = ControlNamed<fw::Label>(update, "StaticText1");
        ASSERT_TRUE(UpdateCloses(h));
        EXPECT_EQ(label->Text(), "This version is current.");
        EXPECT_FALSE(SelfTest());
    });
    EXPECT_TRUE(messages.empty());
}

}  // namespace
