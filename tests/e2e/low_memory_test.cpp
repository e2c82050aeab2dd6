// Low memory during a capture: the capture gets nothing or its write fails
// with the message, and the program goes on and keeps what the user chose.
#include <sys/resource.h>

#include <string>

#include "tests/e2e/xvfb_fixture.h"
#include "tests/support/address_space.h"

namespace e2e {
namespace {

class LowMemory : public XvfbFixture {};

bool SetAddressSpaceLimit(pid_t pid, rlim_t bytes) {
    rlimit limit{};
    if (prlimit(pid, RLIMIT_AS, nullptr, &limit) != 0) return false;
    limit.rlim_cur = bytes;
    return prlimit(pid, RLIMIT_AS, &limit, nullptr) == 0;
}

// Each headroom a fresh program whose address space is limited, once its
// Control Panel shows, to what it maps plus the headroom. The smallest leave
// no room for the picture (the capture gets nothing: no file, no message),
// the middle ones none for its write (the message, with little room left for
// it), the largest let some captures through.
TEST_F(LowMemory, AChordWithoutMemoryForThePictureNeverEndsTheProgram) {
    if (quorrel::test::AddressSpaceReservedInBulk()) GTEST_SKIP() << "a sanitizer's address space";
    for (int headroomMiB : {1, 5, 12, 21, 40}) {
        SCOPED_TRACE(std::to_string(headroomMiB) + " MiB");
        fs::remove(sandbox->PreferencesFile());
        StartProgram();
        ASSERT_TRUE(panel);
        const std::string pid = std::to_string(program->Pid());
        const size_t mapped = quorrel::test::AddressSpace(pid);
        ASSERT_GT(mapped, 0u);
        ASSERT_TRUE(SetAddressSpaceLimit(program->Pid(), mapped + (size_t(headroomMiB) << 20)));

        // The chord repeats the capture on every tick while it is held. A
        // capture that gets nothing shows nothing, so the hold ends on the
        // first sign (a message, a file, the end of the program) or after a
        // second: some hundred captures.
        const size_t filesBefore = ScreenshotFiles().size();
        auto known = x->Mapped();
        std::optional<TopLevel> message;
        HoldChordUntil(
            [&] {
                message = x->WaitForNew(known, false, 0ms);
                return message || ScreenshotFiles().size() > filesBefore || !program->Running();
            },
            1s);
        ASSERT_TRUE(program->Running()) << "the program ended in the capture; stderr: " << ProgramStderr();
        if (message) {
            Pause(200ms);
            PressReturnIn(*message);
            ASSERT_TRUE(x->WaitUntilGone(message->id)) << "the message did not go away";
        }

        // With the memory back, the next chord writes its file.
        ASSERT_TRUE(SetAddressSpaceLimit(program->Pid(), RLIM_INFINITY));
        const size_t filesNow = ScreenshotFiles().size();
        EXPECT_TRUE(HoldChordUntil([&] { return ScreenshotFiles().size() > filesNow || !program->Running(); }));
        ASSERT_TRUE(program->Running());

        auto status = CloseProgram();
        ASSERT_TRUE(status) << "the program stopped answering";
        EXPECT_EQ(*status, 0);
        EXPECT_TRUE(fs::exists(sandbox->PreferencesFile())) << "the preferences were not saved";
        program.reset();
    }
}

}  // namespace
}  // namespace e2e
