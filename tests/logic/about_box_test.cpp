// The About box through "About...": one box, the running version, and the two
// links handed to the system.
#include "help/about_box.h"
#include "program_fixture.h"
#include "tests/support/bundle_file.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using fw::headless::Headless;
using quorrel::test::SetBundleKeys;

class AboutBoxTest : public quorrel::test::ProgramFixture {
protected:
    void WriteBundle(const std::string& longVersion) {
        SetBundleKeys(ResourcesDir() / "bundle.ini",
                      {{"MajorVersion", "2"},
                       {"MinorVersion", "4"},
                       {"BugVersion", "1"},
                       {"ShortVersion", "2.4.1"},
                       {"LongVersion", longVersion},
                       {"UpdateScheme", "http"},
                       {"UpdateHost", "127.0.0.1"},
                       {"UpdatePort", "0"},
                       {"HomePage", "http://home.quorrel.test/"},
                       {"MailAddress", "author@quorrel.test"}});
    }
    static std::shared_ptr<quorrel::AboutBox> OpenBox() {
        return std::dynamic_pointer_cast<quorrel::AboutBox>(fw::RuntimeGetImplicitWindow("AboutBox.AboutBox"));
    }
    static int OpenBoxes() {
        int n = 0;
        for (const auto& w : fw::OpenWindows()) n += w->ClassName() == "AboutBox.AboutBox" ? 1 : 0;
        return n;
    }
};

TEST_F(AboutBoxTest, AboutTwiceGivesOneBoxWhoseVersionIsSetOnlyWhenItOpens) {
    WriteBundle("2.4.1 Linux test");
    Run([&](Headless& h) {
        EXPECT_TRUE(h.ChooseMenu("SoundAbout"));
        auto box = OpenBox();
        ASSERT_TRUE(box);
        EXPECT_EQ(box->Title(), "About...");
        EXPECT_EQ(box->StaticText4()->Text(), "2.4.1 Linux test");
        EXPECT_EQ(box->StaticText1()->Text(), "Quorrel");
        EXPECT_EQ(box->StaticText1()->TextSize(), 30);
        EXPECT_EQ(box->StaticText3()->TextSize(), 12);
        EXPECT_EQ(box->PushButton1()->Caption(), "Email Author");
        EXPECT_EQ(box->PushButton2()->Caption(), "Visit Web Site");
        const std::string credits = box->StaticText2()->Text();
        EXPECT_EQ(std::count(credits.begin(), credits.end(), '\r'), 4) << "five credit lines";

        box->StaticText4()->Text("changed");
        EXPECT_TRUE(h.ChooseMenu("SoundAbout"));
        EXPECT_EQ(OpenBox(), box);
        EXPECT_EQ(OpenBoxes(), 1);
        EXPECT_EQ(box->StaticText4()->Text(), "changed") << "the version was set again";

        h.CloseWindow(box);
        EXPECT_FALSE(OpenBox());
        h.ChooseMenu("SoundAbout");
        ASSERT_TRUE(OpenBox());
        EXPECT_NE(OpenBox(), box);
        EXPECT_EQ(OpenBox()->StaticText4()->Text(), "2.4.1 Linux test");
        h.CloseWindow(ControlPanel());
    });
}

TEST_F(AboutBoxTest, EmptyLongVersionLeavesTheLabelEmpty) {
    WriteBundle("");
    Run([&](Headless& h) {
        h.ChooseMenu("SoundAbout");
        ASSERT_TRUE(OpenBox());
        EXPECT_EQ(OpenBox()->StaticText4()->Text(), "");
        h.CloseWindow(ControlPanel());
    });
}

TEST_F(AboutBoxTest, EachButtonHandsOneUrlAndTheBoxStaysOpen) {
    WriteBundle("2.4.1 Linux");
    std::vector<std::string> afterMail, afterWeb;
    Run([&](Headless& h) {
        h.ChooseMenu("SoundAbout");
        auto box = OpenBox();
        ASSERT_TRUE(box);
        h.Click(box, "PushButton1");
        afterMail = h.Log().urls;
        EXPECT_EQ(OpenBox(), box);
        h.Click(box, "PushButton2");
        afterWeb = h.Log().urls;
        EXPECT_EQ(OpenBox(), box);
        EXPECT_TRUE(box->IsOpen());
        h.CloseWindow(ControlPanel());
    });
    EXPECT_EQ(afterMail, std::vector<std::string>{"mailto:author@quorrel.test"});
    EXPECT_EQ(afterWeb, (std::vector<std::string>{"mailto:author@quorrel.test", "http://home.quorrel.test/"}));
    EXPECT_TRUE(hl().Log().messageBoxes.empty()) << "the About box reports nothing";
}

}  // namespace
