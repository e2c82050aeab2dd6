// The preferences file read at start-up: one table of file texts and the
// settings they give.
#include "program_fixture.h"

#include "capture/window1.h"
#include "settings/settings.h"
#include "tests/support/address_space.h"

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <set>

namespace quorrel::test {
namespace {

using fw::headless::Headless;

struct PrefsCase {
    const char* label;
    std::optional<std::string> file;  // nothing: no file at all
    int32_t top, left, period;
    bool sound;
};
void PrintTo(const PrefsCase& c, std::ostream* os) { *os << c.label; }

const std::string kLongValue(100000, '7');

const PrefsCase kPrefsCases[] = {
    {"NoFile", std::nullopt, 150, 150, 300, true},
    {"AsWritten", "#Window1Position 150,150\n#MyPeriod 300\n#Sound True\n", 150, 150, 300, true},
    {"Negative", "#Window1Position -40,-7\n#MyPeriod 12\n#Sound False\n", -40, -7, 12, false},
    {"EmptyFile", "", 0, 0, 0, false},
    {"OnlyComments", "'one\n'two\n", 0, 0, 0, false},
    {"FirstLineEmpty", "\n#MyPeriod 60\n#Sound True\n", 0, 0, 0, false},
    {"FirstLineOther", "x\n#MyPeriod 60\n", 0, 0, 0, false},
    {"OtherCase", "#window1position 1,2\n#myperiod 30\n#SOUND true\n", 1, 2, 30, true},
    {"SecondBlankBeforeSound", "#Sound  True\n", 0, 0, 0, false},
    {"TrailingBlankAfterSound", "#Sound True \n", 0, 0, 0, false},
    {"OtherSoundWord", "#Sound yes\n", 0, 0, 0, false},
    {"StopsAtEmptyLine", "#MyPeriod 20\n\n#Sound True\n", 0, 0, 20, false},
    {"LastWins", "#MyPeriod 20\n#MyPeriod 40\n", 0, 0, 40, false},
    {"PeriodZero", "#MyPeriod 0\n#Sound True\n", 0, 0, 0, true},
    {"PeriodAboveGrid", "#MyPeriod 9000\n", 0, 0, 9000, false},
    {"HashWithoutBlankSkipped", "#MyPeriod\n#Sound True\n", 0, 0, 0, true},
    {"OneNumberPosition", "#Window1Position 33\n", 33, 0, 0, false},
    {"NoNumber", "#MyPeriod abc\n#Window1Position x,y\n", 0, 0, 0, false},
    {"OtherNamesAndComments", "'c\n#Colour red\n'c\n#MyPeriod 5\n", 0, 0, 5, false},
    {"CrLfLineEnds", "#Window1Position 5,6\r\n#MyPeriod 7\r\n#Sound True\r\n", 5, 6, 7, true},
    {"NoFinalLineEnd", "#MyPeriod 8\n#Sound True", 0, 0, 8, true},
    {"BinaryBytes", std::string("#MyPeriod 9\n\x00\xff\xfe#Sound True\n", 27), 0, 0, 9, false},
    {"BinaryInValue", std::string("#Sound \x01\x80True\n#MyPeriod 3\n", 26), 0, 0, 3, false},
    {"VeryLongLine", "#Colour " + kLongValue + "\n#MyPeriod 11\n", 0, 0, 11, false},
    {"VeryLongNumber", "#MyPeriod " + kLongValue + "\n", 0, 0, INT32_MAX, false},
    // Too small a number is a zero, not an infinity.
    {"UnderflowingNumbers", "#MyPeriod 1e-400\n#Window1Position -1e-400,7\n", 0, 7, 0, false},
};

class PrefsTest : public ProgramFixture, public ::testing::WithParamInterface<PrefsCase> {};

TEST_P(PrefsTest, GivesTheSettings) {
    const PrefsCase& c = GetParam();
    if (c.file) WritePrefs(*c.file);
    Run([&](Headless&) {
        EXPECT_EQ(Window1Top, c.top);
        EXPECT_EQ(Window1Left, c.left);
        EXPECT_EQ(MyPeriod, c.period);
        EXPECT_EQ(SoundOn, c.sound);
        auto panel = Window1Instance();
        EXPECT_EQ(panel->Top(), c.top);
        EXPECT_EQ(panel->Left(), c.left);
    });
}

INSTANTIATE_TEST_SUITE_P(Files, PrefsTest, ::testing::ValuesIn(kPrefsCases),
                         [](const auto& info) { return std::string(info.param.label); });

using PrefsFileTest = ProgramFixture;

TEST_F(PrefsFileTest, AnUnreadableFileGivesTheDefaults) {
    fs::create_directories(PrefsPath());  // a folder where the file should be
    Run([&](Headless& h) {
        EXPECT_EQ(MyPeriod, 300);
        EXPECT_TRUE(SoundOn);
        EXPECT_TRUE(h.Log().messageBoxes.empty());
    });
}

TEST_F(PrefsFileTest, DirectivesHoldTheRecordsInFileOrderAfterTheEmptySlot) {
    WritePrefs("#MyPeriod 5\n'x\n#Colour  two words \n#A\n# lead\n");
    Run([&](Headless&) {
        ASSERT_NE(Directives, nullptr);
        ASSERT_EQ(Directives->size(), 4u);
        EXPECT_EQ((*Directives)[0], nullptr);
        EXPECT_EQ((*Directives)[1]->name, "myperiod");
        EXPECT_EQ((*Directives)[1]->text, "5");
        EXPECT_EQ((*Directives)[2]->name, "colour");
        EXPECT_EQ((*Directives)[2]->text, " two words ");
        EXPECT_EQ((*Directives)[3]->name, "");
        EXPECT_EQ((*Directives)[3]->text, "lead");
    });
}

// A long line costs the reader a few times its length, not a table per
// character: the program starts in a child whose address space is limited to
// what it holds plus six times the file's size, and reads the line after it.
TEST_F(PrefsFileTest, ALongLineIsReadInLittleMoreThanItsOwnSize) {
    const size_t kLine = size_t{32} << 20;
    WritePrefs("#Colour " + std::string(kLine, 'x') + "\n#MyPeriod 11\n");
    if (AddressSpaceReservedInBulk()) GTEST_SKIP() << "address space reserved in bulk (a sanitizer): no limit fits";
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        size_t limit = AddressSpace() + 6 * kLine;
        rlimit rl{limit, limit};
        if (::setrlimit(RLIMIT_AS, &rl) != 0) std::_Exit(3);
        bool read = false;
        int status = Run([&](Headless&) { read = MyPeriod == 11; });
        std::_Exit(status == 0 && read ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(PrefsFileTest, SavingWhenTheFileCannotBeMadeStillQuits) {
    Run([&](Headless& h) {
        fs::create_directories(PrefsPath());  // the file cannot be created now
        h.CloseWindow(ControlPanel());
        EXPECT_TRUE(h.Quitting());
        EXPECT_TRUE(h.Log().messageBoxes.empty());
    });
    EXPECT_TRUE(fs::is_directory(PrefsPath()));
}

TEST_F(PrefsFileTest, ThePeriodAndSoundSavedAreTheLastChosen) {
    Run([&](Headless& h) {
        auto panel = ControlPanel();
        h.PressUp(panel, "UpDownArrows1");  // 300 -> 360, never applied to the timer
        h.ChooseMenu("SoundStayQuiet");
        h.CloseWindow(panel);
    });
    EXPECT_EQ(ReadPrefs(), "#Window1Position 150,150\n#MyPeriod 360\n#Sound False\n");
    NewBackend();
    Run([&](Headless&) {
        EXPECT_EQ(MyPeriod, 360);
        EXPECT_FALSE(SoundOn);
        EXPECT_TRUE(Window1Instance()->SoundStayQuiet()->Checked());
    });
}

TEST_F(PrefsFileTest, SavingKeepsThePermissionsAndClearsStaleTemporaryFiles) {
    WritePrefs("#MyPeriod 5\n");
    fs::permissions(PrefsPath(), fs::perms::owner_read | fs::perms::owner_write);
    const auto twoMinutesAgo = fs::file_time_type::clock::now() - std::chrono::minutes(2);
    // What an interrupted save left, long ago and just now, and a stranger's file.
    for (const char* name : {".quorrel.txt.3a9f01", ".quorrel.txt.3a9f02", ".other.txt.3a9f03"})
        WriteFile(PrefsDir() / name, "#MyPeriod");
    fs::last_write_time(PrefsDir() / ".quorrel.txt.3a9f01", twoMinutesAgo);
    fs::last_write_time(PrefsDir() / ".other.txt.3a9f03", twoMinutesAgo);
    Run([&](Headless& h) { h.CloseWindow(ControlPanel()); });
    EXPECT_NE(ReadPrefs().value_or("").find("#MyPeriod 5\n#Sound False\n"), std::string::npos) << "not saved";
    EXPECT_EQ(fs::status(PrefsPath()).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_FALSE(fs::exists(PrefsDir() / ".quorrel.txt.3a9f01"));
    EXPECT_TRUE(fs::exists(PrefsDir() / ".quorrel.txt.3a9f02"));
    EXPECT_TRUE(fs::exists(PrefsDir() / ".other.txt.3a9f03"));
}

// --- a save that fails ----------------------------------------------------------

// What stands in the way of a save: set up just before the Control Panel
// closes, undone right after; nothing when it cannot be set up.
using Undo = std::function<void()>;

// The kernel refuses writes past a few bytes, as a full disk would; the
// signal that would end the process is ignored, as the real program does.
std::optional<Undo> FileSizeLimit(const fs::path&) {
    rlimit saved{};
    if (getrlimit(RLIMIT_FSIZE, &saved) != 0) return std::nullopt;
    auto handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 8;
    if (setrlimit(RLIMIT_FSIZE, &limited) != 0) return std::nullopt;
    return [saved, handler] {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, handler);
    };
}

// The preferences folder without write permission, the file in it still the
// user's own. Root writes anyway, so root acts as an ordinary user meanwhile,
// owner of the file (HOME opened for it to pass).
std::optional<Undo> UnwritableFolder(const fs::path& home) {
    const fs::path folder = home / ".config";
    if (chmod(folder.c_str(), 0555) != 0) return std::nullopt;
    const bool root = geteuid() == 0;
    if (root && (chmod(home.c_str(), 0755) != 0 || chown((folder / "quorrel.txt").c_str(), 65534, 65534) != 0 ||
                 seteuid(65534) != 0))
        return std::nullopt;
    return [folder, root] {
        if (root && seteuid(0) != 0) std::abort();  // every later test would run as nobody
        chmod(folder.c_str(), 0755);
    };
}

const std::string kOldPrefs = "#Window1Position 70,80\n#MyPeriod 45\n#Sound False\n'kept byte for byte\n";

class FailedSaveTest : public ProgramFixture {
protected:
    std::set<std::string> PrefsEntries() const {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(PrefsDir())) names.insert(e.path().filename().string());
        return names;
    }
    // Changes every setting, closes the Control Panel with the obstacle in
    // place, and expects the old file untouched and nothing beside it.
    void ExpectSaveKeepsTheOldFile(const std::function<std::optional<Undo>()>& obstruct) {
        if (ReadPrefs() != kOldPrefs) WritePrefs(kOldPrefs);
        const std::set<std::string> before = PrefsEntries();
        const int status = Run([&](Headless& h) {
            auto panel = ControlPanel();
            h.PressUp(panel, "UpDownArrows1");
            h.ChooseMenu("SoundUseShutterClick");
            std::optional<Undo> undo = obstruct();
            ASSERT_TRUE(undo) << "could not set up the obstacle";
            h.CloseWindow(panel);
            (*undo)();
            EXPECT_TRUE(h.Quitting());
            EXPECT_TRUE(h.Log().messageBoxes.empty());
        });
        EXPECT_EQ(status, 0);
        EXPECT_EQ(ReadPrefs(), kOldPrefs);
        EXPECT_EQ(PrefsEntries(), before) << "a temporary file was left";
    }
};

TEST_F(FailedSaveTest, AFileSizeLimitKeepsTheOldFile) {
    ExpectSaveKeepsTheOldFile([&] { return FileSizeLimit(Home()); });
}

TEST_F(FailedSaveTest, AnUnwritableFolderKeepsTheOldFile) {
    ExpectSaveKeepsTheOldFile([&] { return UnwritableFolder(Home()); });
}

TEST_F(FailedSaveTest, AFullFilesystemKeepsTheOldFile) {
    // A tiny filesystem of its own for the preferences folder, filled up
    // after the old file.
    if (mount("tmpfs", PrefsDir().c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "mounting a small filesystem needs root";
    struct Unmount {
        fs::path at;
        ~Unmount() { umount2(at.c_str(), MNT_DETACH); }
    } unmount{PrefsDir()};
    WritePrefs(kOldPrefs);
    {
        std::ofstream filler(PrefsDir() / "filler", std::ios::binary);
        const std::string block(4096, 'f');
        for (int i = 0; i < 64 && filler; ++i) filler.write(block.data(), block.size()).flush();
    }
    ASSERT_LT(fs::file_size(PrefsDir() / "filler"), 64u * 1024) << "the filesystem did not fill up";
    ExpectSaveKeepsTheOldFile([] { return std::optional<Undo>(Undo([] {})); });
}

}  // namespace
}  // namespace quorrel::test
