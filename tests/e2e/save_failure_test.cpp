// A capture that cannot be written: the user is told, nothing is left, and
// the program goes on.
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

}  // namespace
}  // namespace e2e
