// Captures into a screenshots folder that already holds something under the
// next name: a picture of another moment is never replaced, a link is never
// written through, and the held chord's repeats still replace their own.
#include "program_fixture.h"

#include "tests/support/rgb_image.h"

#include <unistd.h>

namespace quorrel::test {
namespace {

using fw::headless::Headless;
using namespace std::chrono;

class ScreenshotFolderTest : public ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        fs::create_directories(ScreenshotsDir());
        FreshBackend();
    }
    // A backend for the next run, its screen of the first colour, its clock
    // at 3:04:05 PM on 3/7/14.
    void FreshBackend() {
        NewBackend();
        hl().SetScreen(SolidScreen(8, 6, kFirst));
        hl().SetWallClock(WallClock(2014, 3, 7, 15, 4, 5));
    }
    // The wall clock shows `moment` now (virtual time keeps running from here).
    static void SetNow(Headless& h, system_clock::time_point moment) {
        h.SetWallClock(moment - milliseconds(h.Elapsed()));
    }
    static void Chord(Headless& h) {
        h.SetKeys(true, true);
        h.Advance(10);
        h.SetKeys(false, false);
    }
    // The colour of a picture in the folder; 0 when it is no readable PNG.
    uint32_t ColourOf(const std::string& name) const {
        auto png = ReadPng((ScreenshotsDir() / name).string());
        return png ? png->At(0, 0) : 0;
    }

    static constexpr uint32_t kFirst = 0x336699, kSecond = 0x993366, kThird = 0x669933;
};

system_clock::time_point Utc(int year, unsigned month, unsigned day, int hour, int minute, int second, int ms) {
    return sys_days{std::chrono::year(year) / month / day} + hours(hour) + minutes(minute) + seconds(second) +
           milliseconds(ms);
}

// Three passes of automatic captures, one a second, through the same three
// names: the local clock shows the same seconds again each time.
TEST_F(ScreenshotFolderTest, TheSameNamesAtAnotherMomentKeepEveryEarlierPicture) {
    struct Case {
        const char* what;
        const char* zone;
        system_clock::time_point passes[3];  // the moment at which each pass starts
        const char* names;                   // the names the three captures of a pass show
    };
    const Case cases[] = {
        // 02:30 summer time, 02:30 winter time an hour later (then the clock set back too).
        {"the hour repeated when summer time ends",
         "Europe/Berlin",
         {Utc(2026, 10, 25, 0, 30, 0, 500), Utc(2026, 10, 25, 1, 30, 0, 500), Utc(2026, 10, 25, 1, 30, 0, 500)},
         "2026 10 25   02 30 0"},
        {"the clock set back",
         "UTC",
         {Utc(2026, 12, 10, 15, 4, 0, 500), Utc(2026, 12, 10, 15, 4, 0, 500), Utc(2026, 12, 10, 15, 4, 0, 500)},
         "2026 12 10   15 04 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(ScreenshotsDir());
        setenv("TZ", c.zone, 1);
        tzset();
        WritePrefs("#MyPeriod 1\n");
        FreshBackend();
        const uint32_t colours[3] = {kFirst, kSecond, kThird};
        Run([&](Headless& h) {
            h.Click(ControlPanel(), "Checkbox1");  // automatic, every second
            for (int pass = 0; pass < 3; ++pass) {
                SetNow(h, c.passes[pass]);
                h.SetScreen(SolidScreen(8, 6, colours[pass]));
                h.Advance(3000);
            }
            h.CloseWindow(ControlPanel());
        });
        std::vector<std::string> expected;
        for (const char* suffix : {"", " (2)", " (3)"})
            for (char second : {'1', '2', '3'}) expected.push_back(c.names + std::string(1, second) + suffix + ".png");
        std::sort(expected.begin(), expected.end());
        ASSERT_EQ(ListScreenshots(), expected);
        for (char second : {'1', '2', '3'}) {
            const std::string name = c.names + std::string(1, second);
            EXPECT_EQ(ColourOf(name + ".png"), kFirst) << name;
            EXPECT_EQ(ColourOf(name + " (2).png"), kSecond) << name;
            EXPECT_EQ(ColourOf(name + " (3).png"), kThird) << name;
        }
    }
}

TEST_F(ScreenshotFolderTest, TheHeldChordReplacesItsOwnPictureWithinTheSecondAndNothingElse) {
    const std::string name = "2014 03 07   15 04 05.png";
    // Alone in the folder: each repeat replaces the last, the last one stays.
    Run([&](Headless& h) {
        h.SetKeys(true, true);
        for (uint32_t colour : {kFirst, kSecond, kThird}) {
            h.SetScreen(SolidScreen(8, 6, colour));
            h.Advance(10);
        }
        h.SetKeys(false, false);
    });
    EXPECT_EQ(hl().Log().capturesDisplay.size(), 3u);
    EXPECT_EQ(ListScreenshots(), std::vector<std::string>{name});
    EXPECT_EQ(ColourOf(name), kThird);

    // Changed by someone else within the second, or gone and a new file in
    // its place: no longer the program's own, so it stays.
    for (bool replacedByAnother : {false, true}) {
        SCOPED_TRACE(replacedByAnother ? "a new file in its place" : "changed");
        fs::remove_all(ScreenshotsDir());
        fs::create_directories(ScreenshotsDir());
        FreshBackend();
        Run([&](Headless& h) {
            Chord(h);
            if (replacedByAnother) {
                fs::remove(ScreenshotsDir() / name);
                WriteFile(ScreenshotsDir() / name, "someone else's");
            } else {
                std::ofstream(ScreenshotsDir() / name, std::ios::app) << "someone else's";
            }
            h.SetScreen(SolidScreen(8, 6, kSecond));
            Chord(h);
        });
        EXPECT_EQ(ListScreenshots(), (std::vector<std::string>{"2014 03 07   15 04 05 (2).png", name}));
        EXPECT_NE(ReadFile(ScreenshotsDir() / name).value_or("").find("someone else's"), std::string::npos);
        EXPECT_EQ(ColourOf("2014 03 07   15 04 05 (2).png"), kSecond);
    }

    // Something of another moment or of someone else under the name (a
    // picture another copy of the program wrote, a folder): it stays as it
    // was, and the repeats replace their own picture beside it.
    for (bool folder : {false, true}) {
        SCOPED_TRACE(folder ? "a folder" : "a file");
        fs::remove_all(ScreenshotsDir());
        fs::create_directories(ScreenshotsDir());
        if (folder) fs::create_directory(ScreenshotsDir() / name);
        else WriteFile(ScreenshotsDir() / name, "another moment");
        FreshBackend();
        Run([&](Headless& h) {
            h.SetKeys(true, true);
            for (uint32_t colour : {kFirst, kSecond}) {
                h.SetScreen(SolidScreen(8, 6, colour));
                h.Advance(10);
            }
            h.SetKeys(false, false);
        });
        EXPECT_EQ(ListScreenshots(), (std::vector<std::string>{"2014 03 07   15 04 05 (2).png", name}));
        if (folder) EXPECT_TRUE(fs::is_empty(ScreenshotsDir() / name));
        else EXPECT_EQ(ReadFile(ScreenshotsDir() / name), "another moment");
        EXPECT_EQ(ColourOf("2014 03 07   15 04 05 (2).png"), kSecond);
        EXPECT_TRUE(hl().Log().messageBoxes.empty());
    }
}

TEST_F(ScreenshotFolderTest, ALinkUnderTheNextNameIsReplacedAndWhatItLedToStays) {
    const fs::path elsewhere = Home() / "elsewhere";
    fs::create_directories(elsewhere / "folder");
    WriteFile(elsewhere / "file.png", "the user's own");
    struct Case {
        const char* what;
        fs::path target;
    };
    const Case cases[] = {{"to a file outside", elsewhere / "file.png"},
                          {"to a folder outside", elsewhere / "folder"},
                          {"to nothing", elsewhere / "missing.png"}};
    const std::string name = "2014 03 07   15 04 05.png";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(ScreenshotsDir() / name);
        fs::create_symlink(c.target, ScreenshotsDir() / name);
        FreshBackend();
        Run([&](Headless& h) { Chord(h); });
        EXPECT_EQ(hl().Log().capturesDisplay.size(), 1u);
        EXPECT_TRUE(hl().Log().messageBoxes.empty());
        EXPECT_EQ(ListScreenshots(), std::vector<std::string>{name});
        EXPECT_FALSE(fs::is_symlink(ScreenshotsDir() / name));
        EXPECT_EQ(ColourOf(name), kFirst);
        EXPECT_EQ(ReadFile(elsewhere / "file.png"), "the user's own");
        EXPECT_TRUE(fs::is_empty(elsewhere / "folder"));
        EXPECT_FALSE(fs::exists(elsewhere / "missing.png"));
    }
}

}  // namespace
}  // namespace quorrel::test
