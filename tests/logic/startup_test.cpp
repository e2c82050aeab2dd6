// Start-up and shut-down of the whole program on the headless backend.
#include "program_fixture.h"

#include "app/app.h"
#include "app/menu_bars.h"
#include "app/startup.h"
#include "capture/picture_file_name.h"
#include "capture/take_picture.h"
#include "capture/window1.h"
#include "settings/settings.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdio>

namespace quorrel::test {
namespace {

using fw::headless::Headless;

class StartupTest : public ProgramFixture {
protected:
    std::shared_ptr<Window1> Panel() { return std::dynamic_pointer_cast<Window1>(ControlPanel()); }
};

TEST_F(StartupTest, FirstRunCreatesTheFolderOpensThePanelAndWritesThePreferencesOnClose) {
    int status = Run([&](Headless& h) {
        EXPECT_TRUE(fs::is_directory(ScreenshotsDir()));
        EXPECT_TRUE(SoundUseShutterClickItem()->Checked());
        EXPECT_FALSE(SoundStayQuietItem()->Checked());

        auto panel = Panel();
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(panel->Title(), "Quorrel Control Panel");
        EXPECT_EQ(panel->Width(), 288);
        EXPECT_EQ(panel->Height(), 137);
        EXPECT_EQ(panel->Top(), 150);
        EXPECT_EQ(panel->Left(), 150);
        EXPECT_FALSE(panel->GetProperty("Resizeable") == fw::PropertyValue(true));
        EXPECT_TRUE(panel->GetProperty("MinimizeButton") == fw::PropertyValue(true));
        EXPECT_TRUE(panel->GetProperty("MaximizeButton") == fw::PropertyValue(false));
        EXPECT_EQ(panel->StaticText3()->Text(), "5");
        EXPECT_EQ(panel->StaticText2()->Text(), "Minute(s)");
        EXPECT_EQ(panel->Timer1()->Mode(), 2);
        EXPECT_EQ(panel->Timer1()->Period(), 10);
        for (auto timer : {panel->Timer2(), panel->Timer3(), panel->Timer4()}) {
            EXPECT_EQ(timer->Mode(), 0);
            EXPECT_EQ(timer->Period(), 1000);
        }
        EXPECT_FALSE(panel->Checkbox1()->Value());
        EXPECT_FALSE(panel->CheckBox2()->Value());
        EXPECT_EQ(panel->TopPoint()->FillColor(), fw::RuntimeRGBA(255, 255, 255, 0));
        EXPECT_EQ(panel->BottomPoint()->FillColor(), fw::RuntimeRGBA(255, 255, 255, 0));
        EXPECT_EQ(panel->MenuBar(), AppInstance()->MenuBar());
        EXPECT_TRUE(h.Log().messageBoxes.empty());

        h.MoveWindow(panel, -20, 333);
        h.CloseWindow(panel);
        EXPECT_TRUE(h.Quitting());
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadPrefs(), "#Window1Position -20,333\n#MyPeriod 300\n#Sound True\n");

    // The next start reads the same values back.
    NewBackend();
    Run([&](Headless& h) {
        EXPECT_EQ(Window1Top, -20);
        EXPECT_EQ(Window1Left, 333);
        EXPECT_EQ(MyPeriod, 300);
        EXPECT_TRUE(SoundOn);
        EXPECT_EQ(Panel()->Top(), -20);
        EXPECT_EQ(Panel()->Left(), 333);
        h.CloseWindow(Panel());
    });
    EXPECT_EQ(ReadPrefs(), "#Window1Position -20,333\n#MyPeriod 300\n#Sound True\n");
}

TEST_F(StartupTest, SoundOffInThePreferencesChecksStayQuiet) {
    WritePrefs("#Window1Position 10,20\n#MyPeriod 45\n#Sound False\n");
    Run([&](Headless&) {
        EXPECT_FALSE(SoundUseShutterClickItem()->Checked());
        EXPECT_TRUE(SoundStayQuietItem()->Checked());
        EXPECT_EQ(Panel()->StaticText3()->Text(), "45");
        EXPECT_EQ(Panel()->StaticText2()->Text(), "Second(s)");
    });
}

TEST_F(StartupTest, AnExistingFolderOrFileNamedLikeTheScreenshotsFolderIsLeftAlone) {
    fs::create_directories(ScreenshotsDir());
    WriteFile(ScreenshotsDir() / "keep.png", "x");
    Run([&](Headless& h) { EXPECT_TRUE(h.Log().messageBoxes.empty()); });
    EXPECT_EQ(ListScreenshots(), std::vector<std::string>{"keep.png"});

    fs::remove_all(ScreenshotsDir());
    WriteFile(ScreenshotsDir(), "a file");
    NewBackend();
    Run([&](Headless& h) { EXPECT_TRUE(h.Log().messageBoxes.empty()); });
    EXPECT_TRUE(fs::is_regular_file(ScreenshotsDir()));
    EXPECT_EQ(ReadFile(ScreenshotsDir()), "a file");
}

// A temporary name as the writer makes it: the target's name, the writer's
// mark, then its process id, a count and a random part in hex.
std::string OurTemporary(const std::string& target, unsigned count) {
    char hex[32];
    std::snprintf(hex, sizeof hex, "%08x%08x%08x", 4242u, count, 2u);
    return "." + target + ".writing-" + hex;
}

TEST_F(StartupTest, AStartRemovesOnlyTheWritersOwnLeftoversAndOnlyInTheTwoFoldersItWrites) {
    fs::create_directories(ScreenshotsDir());
    const auto twoMinutesAgo = fs::file_time_type::clock::now() - std::chrono::minutes(2);
    auto plant = [&](const fs::path& path) {
        WriteFile(path, "partial");
        fs::last_write_time(path, twoMinutesAgo);
    };
    // Left by killed writes, held by no one: they go, whatever their age.
    const std::vector<fs::path> gone = {ScreenshotsDir() / OurTemporary("2026 01 02   03 04 05.png", 1),
                                        ScreenshotsDir() / OurTemporary("x.png", 2),
                                        PrefsDir() / OurTemporary("quorrel.txt", 3)};
    for (const auto& path : gone) plant(path);
    WriteFile(ScreenshotsDir() / OurTemporary("2026 01 02   03 04 06.png", 4), "fresh");
    // Held: a running copy is writing it (here the test holds its lock).
    const fs::path live = ScreenshotsDir() / OurTemporary("2026 01 02   03 04 09.png", 5);
    plant(live);
    const int held = open(live.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    // The user's own files, however old and however like a temporary name;
    // and the writer's form in a folder the program does not write.
    std::vector<fs::path> kept = {live};
    for (const char* name : {".backup.png.2024",
                             ".notes.png.123",
                             ".old.png.deadbeef",
                             ".x.png.0000000100000002000000ab",
                             ".x.png.writing-0000000100000002",
                             "x.png.writing-000000010000000200000003",
                             ".writing-000000010000000200000003",
                             "2026 01 02   03 04 07.png"})
        kept.push_back(ScreenshotsDir() / name);
    kept.push_back(PrefsDir() / ".quorrel.txt.2024");
    kept.push_back(DocumentsDir() / OurTemporary("y.png", 6));
    for (const auto& path : kept)
        if (path != live) plant(path);
    // Not a regular file: a folder and a link of the writer's form.
    const fs::path folder = ScreenshotsDir() / OurTemporary("z.png", 7);
    const fs::path link = ScreenshotsDir() / OurTemporary("l.png", 8);
    fs::create_directory(folder);
    fs::create_symlink(ScreenshotsDir() / "2026 01 02   03 04 07.png", link);

    Run([&](Headless& h) {
        for (const auto& path : gone) EXPECT_FALSE(fs::exists(path)) << path;
        EXPECT_FALSE(fs::exists(ScreenshotsDir() / OurTemporary("2026 01 02   03 04 06.png", 4)));
        for (const auto& path : kept) EXPECT_EQ(ReadFile(path), "partial") << path;
        EXPECT_TRUE(fs::is_directory(folder));
        EXPECT_TRUE(fs::is_symlink(link));
        h.CloseWindow(ControlPanel());
    });
    close(held);
    // A save of the preferences removes nothing either.
    for (const auto& path : kept) EXPECT_EQ(ReadFile(path), "partial") << path;
}

TEST_F(StartupTest, OneControlPanelAlsoFromItsOwnOpenAndCloseEvents) {
    Run([&](Headless& h) {
        auto panel = Panel();
        EXPECT_EQ(Window1Instance(), panel);
        EXPECT_EQ(Window1Instance(), panel);
        EXPECT_EQ(fw::OpenWindows().size(), 1u);
        // The Open event placed the panel through the accessor; the Close
        // event's save reads it through the accessor too: no second panel.
        h.MoveWindow(panel, 77, 88);
        h.CloseWindow(panel);
        EXPECT_TRUE(fw::OpenWindows().empty());
    });
    EXPECT_EQ(ReadPrefs(), "#Window1Position 77,88\n#MyPeriod 300\n#Sound True\n");
}

TEST_F(StartupTest, AccessorsFindTheSameObjectsEachTime) {
    Run([&](Headless&) {
        auto panel = Panel();
        EXPECT_EQ(panel->Timer1(), panel->Timer1());
        EXPECT_EQ(panel->Timer1()->ClassName(), "Window1._wrapper_Timer1");
        EXPECT_EQ(panel->Timer4()->ClassName(), "Window1._wrapper_Timer4");
        EXPECT_NE(std::dynamic_pointer_cast<fw::AppleMenuItem>(panel->SoundAbout()), nullptr);
        for (auto item : {panel->HelpMenu(),
                          panel->HelpShowHelp(),
                          panel->CheckforUpdateMenu(),
                          panel->CheckforUpdateCheckNow(),
                          panel->SoundMenu(),
                          panel->SoundStayQuiet(),
                          panel->SoundUseShutterClick(),
                          panel->FileMenu(),
                          panel->FilePrintHelp()}) {
            ASSERT_NE(item, nullptr);
            EXPECT_EQ(std::dynamic_pointer_cast<fw::AppleMenuItem>(item), nullptr) << item->Name();
        }
        EXPECT_FALSE(panel->UpDownArrows1()->AcceptFocus());
        EXPECT_EQ(panel->StaticText6()->Text(), "every");
    });
}

TEST_F(StartupTest, TheMenuHandlersExistBeforeTheLoopRuns) {
    Run([&](Headless& h) {
        // The Open event ran first, then the script: a choice is handled at once.
        EXPECT_TRUE(h.ChooseMenu("SoundStayQuiet"));
        EXPECT_FALSE(SoundOn);
    });
}

TEST_F(StartupTest, ShutDownReleasesTheGlobalsAndExitsWithTheRuntimeStatus) {
    std::weak_ptr<MenuBar1> bar1;
    std::weak_ptr<fw::Sound> sound;
    int status = Run([&](Headless& h) {
        bar1 = MenuBar1Instance();
        h.SetKeys(true, true);
        h.Advance(10);  // one capture: sound loaded, file name set
        h.SetKeys(false, false);
        sound = ShutterSoundCache;
        EXPECT_FALSE(PictureFileName.empty());
        h.CloseWindow(ControlPanel());
    });
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(bar1.expired());
    EXPECT_TRUE(sound.expired());
    EXPECT_EQ(ShutterSoundCache, nullptr);
    EXPECT_EQ(Directives, nullptr);
    EXPECT_TRUE(PictureFileName.empty());
    EXPECT_TRUE(PictureDate.empty());
    EXPECT_TRUE(PictureTime.empty());
    EXPECT_EQ(MenuBar1Cache, nullptr);
    EXPECT_EQ(MenuBar2Cache, nullptr);
}

TEST_F(StartupTest, NoPreferencesFolderEndsInTheDefaultHandlingNotACrash) {
    hl().SetPreferencesPath("");
    int status = Run([&](Headless&) {});
    EXPECT_EQ(status, 1);
    ASSERT_EQ(hl().Log().messageBoxes.size(), 1u);
    EXPECT_NE(hl().Log().messageBoxes[0].find("NilObjectException"), std::string::npos);
}

TEST_F(StartupTest, NoDocumentsFolderEndsInTheDefaultHandlingNotACrash) {
    hl().SetDocumentsPath("");
    int status = Run([&](Headless&) {});
    EXPECT_EQ(status, 1);
    ASSERT_EQ(hl().Log().messageBoxes.size(), 1u);
    EXPECT_NE(hl().Log().messageBoxes[0].find("NilObjectException"), std::string::npos);
}

// The framework runs every handler through this routine (the two tests above
// reach their message by it): nil on completion, the framework exception as an
// object, any other exception passed on.
TEST_F(StartupTest, ExceptionHelperGivesNilTheFrameworkExceptionOrPassesOthersOn) {
    auto call = [](void (*routine)(void*)) {
        return ExceptionHelperRoutine(reinterpret_cast<void*>(routine), nullptr);
    };
    EXPECT_EQ(call([](void*) {}), nullptr);
    auto caught = std::dynamic_pointer_cast<RuntimeExceptionObject>(call([](void*) { throw NilObjectException(); }));
    ASSERT_NE(caught, nullptr);
    EXPECT_EQ(caught->exceptionName, "NilObjectException");
    EXPECT_THROW(call([](void*) { throw std::runtime_error("other"); }), std::runtime_error);
}

}  // namespace
}  // namespace quorrel::test
