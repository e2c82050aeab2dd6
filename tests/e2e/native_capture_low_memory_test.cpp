// The native capture with too little memory for the picture: it gives an
// empty image, never the end of the process, with shared memory and without.
// gtest before Xlib, whose macros (None, Bool) would break its templates.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/desktop/native/x11_capture.h"
#include "tests/e2e/rgb_image.h"
#include "tests/e2e/x_screen.h"
#include "tests/e2e/xvfb_server.h"
#include "tests/support/address_space.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
constexpr int kWidth = 1280, kHeight = 800;  // 4 MB a picture

// Runs in a child: opens the capture, limits the address space to what is
// mapped plus `headroom`, captures, lifts the limit and captures again. Exits
// 0 when the first capture gave the screen or nothing and the second the
// screen; Xlib's end of the process on a failed reply is exit status 1, an
// exception 4.
void CaptureUnderLimit(const std::string& display, const RgbImage& screen, size_t headroom, bool warm) {
    auto capture = native::X11Capture::Open(display.c_str());
    if (!capture) std::_Exit(2);
    // Warm: the shared segment is already there, the picture's memory is not.
    if (warm && capture->CaptureDisplay(0).width == 0) std::_Exit(2);
    rlimit saved{};
    if (getrlimit(RLIMIT_AS, &saved) != 0) std::_Exit(2);
    rlimit limited = saved;
    limited.rlim_cur = quorrel::test::AddressSpace() + headroom;
    if (setrlimit(RLIMIT_AS, &limited) != 0) std::_Exit(2);
    const native::Image first = capture->CaptureDisplay(0);
    setrlimit(RLIMIT_AS, &saved);
    const bool firstRight =
        first.width == 0 || FirstDifference(RgbImage{first.width, first.height, first.pixels}, screen) == std::nullopt;
    const native::Image second = capture->CaptureDisplay(0);
    const bool secondRight =
        FirstDifference(RgbImage{second.width, second.height, second.pixels}, screen) == std::nullopt;
    std::_Exit(firstRight && secondRight ? 0 : 3);
}

TEST(NativeCaptureLowMemory, GivesNothingAndTheNextCaptureWorks) {
    if (quorrel::test::AddressSpaceReservedInBulk()) GTEST_SKIP() << "a sanitizer's address space";
    char pattern[] = "/tmp/quorrel-native-lowmem-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const fs::path logs = pattern;
    for (const bool shm : {true, false}) {
        SCOPED_TRACE(shm ? "shared memory" : "plain requests");
        const std::vector<std::string> arguments =
            shm ? std::vector<std::string>{} : std::vector<std::string>{"-extension", "MIT-SHM"};
        XvfbServer xvfb(kWidth, kHeight, logs.string(), 24, arguments);
        const RgbImage screen = TestPattern(kWidth, kHeight);
        {
            Display* display = XOpenDisplay(xvfb.DisplayName().c_str());
            ASSERT_NE(display, nullptr);
            PaintRootBackground(display, screen);
            XCloseDisplay(display);
        }
        for (const bool warm : {false, true})
            for (size_t headroomKiB : {512, 3072, 6144}) {
                SCOPED_TRACE(std::to_string(headroomKiB) + " KiB" + (warm ? ", after a capture" : ""));
                const pid_t child = fork();
                ASSERT_GE(child, 0);
                if (child == 0) {
                    // Nothing may go back into the test's own loop from here.
                    try {
                        CaptureUnderLimit(xvfb.DisplayName(), screen, headroomKiB << 10, warm);
                    } catch (...) {
                    }
                    std::_Exit(4);
                }
                int status = 0;
                ASSERT_EQ(waitpid(child, &status, 0), child);
                ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
                EXPECT_EQ(WEXITSTATUS(status), 0);
            }
    }
    fs::remove_all(logs);
}

}  // namespace
}  // namespace e2e
