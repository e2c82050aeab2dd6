// A capture that cannot be written: the user is told, nothing is left, and
// the program goes on.
#include <sys/resource.h>

#include <fstream>

#include "tests/e2e/xvfb_fixture.h"

namespace e2e {
namespace {

class SaveFailure : public XvfbFixture {};

TEST_F(SaveFailure, AFileInPlaceOfTheFolderShowsTheMessageEachTime) {
    // A regular file where the screenshots folder belongs; permissions would
    // not stop root, who runs the tests in CI.
    std::ofstream(sandbox->Screenshots()) << "in the way";
    StartProgram();
    ASSERT_TRUE(panel);

    for (int attempt = 0; attempt < 2; ++attempt) {
        SCOPED_TRACE(attempt);
        auto known = x->Mapped();
        std::optional<TopLevel> message;
        ASSERT_TRUE(HoldChordUntil([&] { return (message = x->WaitForNew(known, false, 0ms)).has_value(); }))
            << "no message after a failed save";
        Pause(200ms);
        ASSERT_TRUE(program->Running());
        PressReturnIn(*message);
        ASSERT_TRUE(x->WaitUntilGone(message->id)) << "the message did not go away";
    }

    std::vector<fs::path> left;
    for (const auto& e : fs::directory_iterator(sandbox->Documents())) left.push_back(e.path());
    EXPECT_EQ(left, std::vector<fs::path>{sandbox->Screenshots()}) << "a partial file was left";
    EXPECT_EQ(ReadFile(sandbox->Screenshots().string()), "in the way");

    auto status = CloseProgram();
    ASSERT_TRUE(status) << "the program stopped answering after the message";
    EXPECT_EQ(*status, 0);
}

// Names in a folder that start with a dot: temporary files left behind.
std::vector<std::string> HiddenEntries(const fs::path& folder) {
    std::vector<std::string> hidden;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.path().filename().string().front() == '.') hidden.push_back(e.path().filename().string());
    return hidden;
}

TEST_F(SaveFailure, AFileSizeLimitShowsTheMessageAndKeepsThePreferences) {
    const std::string prefs = "#Window1Position 120,90\n#MyPeriod 45\n#Sound False\n'kept byte for byte\n";
    std::ofstream(sandbox->PreferencesFile()) << prefs;
    StartProgram();
    ASSERT_TRUE(panel);
    // As a full disk does: every write past a few bytes fails from now on.
    rlimit limit{};
    ASSERT_EQ(prlimit(program->Pid(), RLIMIT_FSIZE, nullptr, &limit), 0);
    limit.rlim_cur = 16;
    ASSERT_EQ(prlimit(program->Pid(), RLIMIT_FSIZE, &limit, nullptr), 0);

    auto known = x->Mapped();
    std::optional<TopLevel> message;
    ASSERT_TRUE(HoldChordUntil([&] { return (message = x->WaitForNew(known, false, 0ms)) || !program->Running(); }));
    ASSERT_TRUE(program->Running()) << "the program ended in the middle of the capture";
    ASSERT_TRUE(message) << "no message after a failed save";
    Pause(200ms);
    PressReturnIn(*message);
    ASSERT_TRUE(x->WaitUntilGone(message->id)) << "the message did not go away";
    Pause(200ms);
    ASSERT_TRUE(program->Running());

    auto status = CloseProgram();
    ASSERT_TRUE(status) << "the program stopped answering after the message";
    EXPECT_EQ(*status, 0);
    EXPECT_EQ(ReadFile(sandbox->PreferencesFile().string()), prefs);
    EXPECT_TRUE(HiddenEntries(sandbox->PreferencesFile().parent_path()).empty());
    EXPECT_TRUE(ScreenshotFiles().empty()) << "a file was left by the failed capture";
}

}  // namespace
}  // namespace e2e
