// Capture and save through the key chord: what is captured, the file, the
// sound, and the failure message.
#include "program_fixture.h"

#include "capture/capture_state.h"
#include "capture/window1.h"
#include "settings/settings.h"
#include "tests/support/address_space.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quorrel::test {
namespace {

using fw::headless::Headless;
using fw::headless::ModalAnswer;
using fw::headless::ModalRequest;

class CaptureTest : public ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        hl().SetScreen(SolidScreen(40, 30, 0x336699));
        hl().SetWallClock(WallClock(2014, 3, 7, 15, 4, 5));
    }
    // Holds the chord for one 10 ms tick.
    static void Chord(Headless& h) {
        h.SetKeys(true, true);
        h.Advance(10);
        h.SetKeys(false, false);
    }
    // Chooses the corners: ticks "Set Screenshot Area", then presses at the
    // two points with the one-second pauses.
    static void ChooseCorners(Headless& h, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
        h.Click(ControlPanel(), "CheckBox2");
        h.Advance(1000);
        h.SetMouse(x1, y1, true);
        h.Advance(10);
        h.SetMouse(x1, y1, false);
        h.Advance(1000);
        h.SetMouse(x2, y2, true);
        h.Advance(10);
        h.SetMouse(x2, y2, false);
    }
};

TEST_F(CaptureTest, TheChordCapturesTheDisplayIntoAFileNamedByTheMoment) {
    Run([&](Headless& h) { Chord(h); });
    ASSERT_EQ(hl().Log().capturesDisplay.size(), 1u);
    EXPECT_EQ(hl().Log().capturesDisplay[0].first, 0);
    EXPECT_TRUE(hl().Log().capturesRect.empty());
    ASSERT_EQ(ListScreenshots(), std::vector<std::string>{"2014 03 07   15 04 05.png"});
    auto bytes = ReadFile(ScreenshotsDir() / "2014 03 07   15 04 05.png");
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_TRUE(hl().Log().messageBoxes.empty());
    EXPECT_FALSE(TakingPicture);
}

TEST_F(CaptureTest, OneKeyAloneCapturesNothingAndCommandIsReadOnlyWithOption) {
    Run([&](Headless& h) {
        h.SetKeys(true, false);
        h.Advance(100);
        h.SetKeys(false, true);
        int osReadsBefore = h.osReads;
        h.Advance(100);
        EXPECT_EQ(h.osReads, osReadsBefore);
        EXPECT_EQ(h.mouseReads, 0);  // no corner awaited: the button is not read
        h.SetKeys(false, false);
    });
    EXPECT_TRUE(hl().Log().capturesDisplay.empty());
    EXPECT_TRUE(ListScreenshots().empty());
}

TEST_F(CaptureTest, HoldingTheChordCapturesOnEveryTickAndTheSameSecondGivesOneName) {
    Run([&](Headless& h) {
        h.SetKeys(true, true);
        h.Advance(50);
        h.SetKeys(false, false);
    });
    EXPECT_EQ(hl().Log().capturesDisplay.size(), 5u);
    EXPECT_EQ(ListScreenshots().size(), 1u);
}

TEST_F(CaptureTest, AreaModeDoublesTheSizeAtScaleTwoExactlyAndNeverTheCorner) {
    struct ScaleCase {
        double scale;
        int32_t width, height;
    };
    for (auto c : {ScaleCase{2.0, 600, 300},
                   ScaleCase{1.0, 300, 150},
                   ScaleCase{1.5, 300, 150},
                   ScaleCase{3.0, 300, 150},
                   ScaleCase{1.9999999, 300, 150}}) {
        NewBackend().SetScreen(SolidScreen(1000, 800, 0x123456), c.scale);
        Run([&](Headless& h) {
            ChooseCorners(h, 100, 200, 400, 350);
            EXPECT_EQ(TopPointX, 100);
            EXPECT_EQ(BottomPointY, 350);
            Chord(h);
        });
        ASSERT_EQ(hl().Log().capturesRect.size(), 1u) << c.scale;
        const auto& r = hl().Log().capturesRect[0];
        EXPECT_EQ(r.left, 100) << c.scale;
        EXPECT_EQ(r.top, 200) << c.scale;
        EXPECT_EQ(r.width, c.width) << c.scale;
        EXPECT_EQ(r.height, c.height) << c.scale;
        EXPECT_TRUE(hl().Log().capturesDisplay.empty());
    }
}

TEST_F(CaptureTest, AreaModeBeforeAnyCornerCapturesTheEmptyRectangleAndWritesNothing) {
    Run([&](Headless& h) {
        h.Click(ControlPanel(), "CheckBox2");
        Chord(h);
    });
    ASSERT_EQ(hl().Log().capturesRect.size(), 1u);
    const auto& r = hl().Log().capturesRect[0];
    EXPECT_EQ(std::vector<int32_t>({r.left, r.top, r.width, r.height}), std::vector<int32_t>({0, 0, 0, 0}));
    // No picture came back: no file, and no message beyond the area's own.
    EXPECT_TRUE(ListScreenshots().empty());
    ASSERT_EQ(hl().Log().messageBoxes.size(), 1u);
    EXPECT_EQ(hl().Log().messageBoxes[0].substr(0, 16), "Select the recta");
}

TEST_F(CaptureTest, CornersChosenEarlierStillApplyAfterTheAreaIsTickedAgain) {
    hl().SetScreen(SolidScreen(500, 400, 0x00ff00));
    Run([&](Headless& h) {
        ChooseCorners(h, 10, 20, 110, 70);
        auto panel = ControlPanel();
        h.Click(panel, "CheckBox2");  // off
        h.Click(panel, "CheckBox2");  // on again, no new corners yet
        Chord(h);
    });
    ASSERT_EQ(hl().Log().capturesRect.size(), 1u);
    EXPECT_EQ(hl().Log().capturesRect[0].width, 100);
    EXPECT_EQ(hl().Log().capturesRect[0].height, 50);
    EXPECT_EQ(ListScreenshots().size(), 1u);
}

TEST_F(CaptureTest, NoPictureMeansNoFileNoMessageAndTheNextCaptureRuns) {
    Run([&](Headless& h) {
        h.SetCaptureFails(true);
        Chord(h);
        EXPECT_FALSE(TakingPicture);
        h.SetCaptureFails(false);
        Chord(h);
    });
    EXPECT_EQ(hl().Log().capturesDisplay.size(), 2u);
    EXPECT_TRUE(hl().Log().messageBoxes.empty());
    EXPECT_EQ(ListScreenshots().size(), 1u);
}

// Low memory: a capture that cannot have the memory for its picture got
// nothing. The program goes on, and the next capture, with the memory back,
// writes its file. Each headroom in a child of its own, whose address space
// is limited to what it maps plus the headroom; the screen is larger than
// any of them.
TEST_F(CaptureTest, ACaptureWithoutMemoryGivesNoPictureAndTheProgramGoesOn) {
    if (AddressSpaceReservedInBulk()) GTEST_SKIP() << "address space reserved in bulk (a sanitizer): no limit fits";
    hl().SetScreen(SolidScreen(4096, 2048, 0x336699));
    for (size_t headroomMiB : {1, 8, 24}) {
        SCOPED_TRACE(std::to_string(headroomMiB) + " MiB");
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            rlimit saved{};
            if (::getrlimit(RLIMIT_AS, &saved) != 0) std::_Exit(2);
            bool nothingTaken = false;
            int status = Run([&](Headless& h) {
                rlimit limited = saved;
                limited.rlim_cur = AddressSpace() + (headroomMiB << 20);
                if (::setrlimit(RLIMIT_AS, &limited) != 0) std::_Exit(2);
                Chord(h);
                ::setrlimit(RLIMIT_AS, &saved);
                nothingTaken = !TakingPicture && ListScreenshots().empty() && h.Log().messageBoxes.empty();
                Chord(h);
            });
            bool next = hl().Log().capturesDisplay.size() == 2 && ListScreenshots().size() == 1 &&
                        hl().Log().messageBoxes.empty();
            std::_Exit(status == 0 && nothingTaken && next ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
        EXPECT_EQ(WEXITSTATUS(status), 0);
        fs::remove_all(ScreenshotsDir());
        fs::create_directories(ScreenshotsDir());
    }
}

TEST_F(CaptureTest, AFailedSaveShowsTheMessageOnceBlocksTicksMeanwhileAndTheNextCaptureRuns) {
    WriteFile(ScreenshotsDir(), "not a folder");
    size_t capturesWhileOpen = 0;
    hl().SetModalScript([&](Headless& h, const ModalRequest& request) {
        EXPECT_EQ(request.text, "Picture was not taken!");
        EXPECT_TRUE(TakingPicture);
        // Ticks come while the message is open; with the chord still held
        // none starts a capture.
        h.Advance(100);
        capturesWhileOpen = h.Log().capturesDisplay.size();
        h.SetKeys(false, false);
        fs::remove(ScreenshotsDir());
        fs::create_directories(ScreenshotsDir());
        return ModalAnswer{};
    });
    Run([&](Headless& h) {
        h.SetKeys(true, true);
        h.Advance(10);
        EXPECT_FALSE(TakingPicture);
        EXPECT_EQ(h.Log().messageBoxes.size(), 1u);
        Chord(h);
    });
    EXPECT_EQ(capturesWhileOpen, 1u);
    EXPECT_EQ(hl().Log().capturesDisplay.size(), 2u);
    EXPECT_EQ(hl().Log().messageBoxes, std::vector<std::string>{"Picture was not taken!"});
    EXPECT_EQ(ListScreenshots().size(), 1u);
}

TEST_F(CaptureTest, TheSoundFileIsOpenedOncePerRunAndNeverWhenTheSoundIsOff) {
    Run([&](Headless& h) {
        Chord(h);
        h.Advance(1000);
        Chord(h);
    });
    EXPECT_EQ(hl().Log().soundsOpened.size(), 1u);
    EXPECT_EQ(hl().Log().soundsPlayed, 2);
    EXPECT_EQ(fs::path(hl().Log().soundsOpened[0]).filename(), "Shutter.wav");

    WritePrefs("#Sound False\n");
    NewBackend();
    Run([&](Headless& h) { Chord(h); });
    EXPECT_TRUE(hl().Log().soundsOpened.empty());
    EXPECT_EQ(hl().Log().soundsPlayed, 0);
    EXPECT_EQ(hl().Log().capturesDisplay.size(), 1u);

    // Off at start, then on from the menu: opened at the first capture after.
    NewBackend();
    Run([&](Headless& h) {
        Chord(h);
        h.ChooseMenu("SoundUseShutterClick");
        Chord(h);
        Chord(h);
    });
    EXPECT_EQ(hl().Log().soundsOpened.size(), 1u);
    EXPECT_EQ(hl().Log().soundsPlayed, 2);
}

TEST_F(CaptureTest, ASoundFileThatFailsIsTriedOnceAndTheCapturesGoOnSilently) {
    WriteFile(ResourcesDir() / "Shutter.wav", "not a sound");
    Run([&](Headless& h) {
        Chord(h);
        h.Advance(1000);
        Chord(h);
    });
    EXPECT_EQ(hl().Log().soundsOpened.size(), 1u);
    EXPECT_EQ(hl().Log().soundsPlayed, 0);
    EXPECT_EQ(ListScreenshots().size(), 2u);
    EXPECT_TRUE(hl().Log().messageBoxes.empty());
}

}  // namespace
}  // namespace quorrel::test
