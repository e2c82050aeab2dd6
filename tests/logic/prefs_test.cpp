// The preferences file read at start-up: one table of file texts and the
// settings they give.
#include "program_fixture.h"

#include "capture/window1.h"
#include "settings/settings.h"
#include "tests/support/address_space.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <future>
#include <set>
#include <thread>

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
    // Values too long to keep whole read as the whole would.
    {"LongZeroPaddedNumber", "#MyPeriod " + std::string(100000, '0') + "42\n", 0, 0, 42, false},
    {"LongFractionThenExponent",
     "#MyPeriod 0." + std::string(100000, '0') + "5e100002 " + kLongValue + "\n",
     0,
     0,
     50,
     false},
    {"LongPosition",
     "#Window1Position " + std::string(5000, ' ') + "-12.9," + std::string(5000, '\t') + "+34e0x," + kLongValue + "\n",
     -12,
     34,
     0,
     false},
    {"LongPositionWithoutComma", "#Window1Position 9" + std::string(5000, '0') + "x\n", INT32_MAX, 0, 0, false},
    {"LongSoundValue", "#Sound True" + std::string(5000, ' ') + "\n", 0, 0, 0, false},
    {"LongOtherName", "#" + kLongValue + " 1\n#MyPeriod 9\n", 0, 0, 9, false},
    {"LongNameWithoutBlank", "#MyPeriod" + kLongValue + "\n#Sound True\n", 0, 0, 0, true},
    {"LongComment", "'" + kLongValue + "\n#MyPeriod 9\n", 0, 0, 9, false},
    {"KnownNameWithMore", "#MyPeriodX 5\n#SoundX True\n", 0, 0, 0, false},
    // A byte-order mark is skipped at the start only.
    {"ByteOrderMark", "\xEF\xBB\xBF#Window1Position 5,6\n#MyPeriod 7\n#Sound True\n", 5, 6, 7, true},
    {"OnlyAByteOrderMark", "\xEF\xBB\xBF", 0, 0, 0, false},
    {"ByteOrderMarkLater", "#MyPeriod 7\n\xEF\xBB\xBF#Sound True\n", 0, 0, 7, false},
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

// What may stand under the file's name instead of a file: each gives the
// defaults at once, and stays as it was after the close.
struct NotAFile {
    const char* label;
    fs::file_type type;
};
void PrintTo(const NotAFile& c, std::ostream* os) { *os << c.label; }

const NotAFile kNotFiles[] = {
    {"Fifo", fs::file_type::fifo},
    {"Socket", fs::file_type::socket},
    {"Device", fs::file_type::character},
    {"Folder", fs::file_type::directory},
};

class NotAFileTest : public ProgramFixture, public ::testing::WithParamInterface<NotAFile> {
protected:
    void Make(const fs::path& path) const {
        switch (GetParam().type) {
            case fs::file_type::fifo: ASSERT_EQ(mkfifo(path.c_str(), 0644), 0); break;
            case fs::file_type::socket: {
                sockaddr_un address{};
                address.sun_family = AF_UNIX;
                ASSERT_LT(path.string().size(), sizeof address.sun_path);
                std::strcpy(address.sun_path, path.c_str());
                const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
                ASSERT_GE(fd, 0);
                EXPECT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
                close(fd);
                break;
            }
            case fs::file_type::character:
                // The null device's own node, here: nothing outside the test is at stake.
                if (mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) GTEST_SKIP() << "mknod needs root";
                break;
            default: fs::create_directory(path);
        }
    }
};

TEST_P(NotAFileTest, GivesTheDefaultsAtOnceAndIsLeftAlone) {
    Make(PrefsPath());
    if (IsSkipped() || HasFatalFailure()) return;
    // Should the start block on the FIFO, a writer comes by after a while and
    // lets it go on: the test then fails instead of hanging.
    std::promise<void> ran;
    std::thread unblock([&, done = ran.get_future()] {
        if (done.wait_for(std::chrono::seconds(20)) == std::future_status::ready) return;
        const int fd = open(PrefsPath().c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) close(fd);
        ADD_FAILURE() << "the start blocked on the file";
    });
    const int status = Run([&](Headless& h) {
        ran.set_value();
        EXPECT_EQ(Window1Top, 150);
        EXPECT_EQ(Window1Left, 150);
        EXPECT_EQ(MyPeriod, 300);
        EXPECT_TRUE(SoundOn);
        h.CloseWindow(ControlPanel());
        EXPECT_TRUE(h.Quitting());
        EXPECT_TRUE(h.Log().messageBoxes.empty());
    });
    unblock.join();
    EXPECT_EQ(status, 0);
    EXPECT_EQ(fs::status(PrefsPath()).type(), GetParam().type) << "replaced at the close";
}

INSTANTIATE_TEST_SUITE_P(Kinds, NotAFileTest, ::testing::ValuesIn(kNotFiles),
                         [](const auto& info) { return std::string(info.param.label); });

// The records are what LoadPrefs applies: the last line of each name, in
// file order after the empty slot; other names are not kept.
TEST_F(PrefsFileTest, DirectivesHoldTheLastLineOfEachAppliedName) {
    WritePrefs("#MyPeriod 5\n'x\n#Colour  two words \n#A\n# lead\n#Sound  two words \n#myPERIOD 7\n");
    Run([&](Headless&) {
        ASSERT_NE(Directives, nullptr);
        ASSERT_EQ(Directives->size(), 3u);
        EXPECT_EQ((*Directives)[0], nullptr);
        EXPECT_EQ((*Directives)[1]->name, "sound");
        EXPECT_EQ((*Directives)[1]->text, " two words ");
        EXPECT_EQ((*Directives)[2]->name, "myperiod");
        EXPECT_EQ((*Directives)[2]->text, "7");
        EXPECT_EQ(MyPeriod, 7);
    });
}

// Reading takes memory of its own, not of the file's size: the program
// starts in a child whose address space is limited to what it holds plus
// far less than the file, a long number line and then a mass of directive
// lines, and gets the setting of each.
TEST_F(PrefsFileTest, AFileIsReadInMemoryThatDoesNotGrowWithIt) {
    const size_t kPart = size_t{48} << 20;
    {
        std::ofstream out(PrefsPath(), std::ios::binary);
        out << "#MyPeriod " << std::string(kPart, '7') << "\n";
        const std::string lines = [] {
            std::string block;
            while (block.size() < (1u << 20)) block += "#Colour red\n#Window1Position 3,4\n";
            return block;
        }();
        for (size_t written = 0; written < kPart; written += lines.size()) out << lines;
        out << "#Sound True\n";
        ASSERT_TRUE(out.good());
    }
    if (AddressSpaceReservedInBulk()) GTEST_SKIP() << "address space reserved in bulk (a sanitizer): no limit fits";
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        size_t limit = AddressSpace() + (size_t{32} << 20);
        rlimit rl{limit, limit};
        if (::setrlimit(RLIMIT_AS, &rl) != 0) std::_Exit(3);
        bool read = false;
        int status = Run([&](Headless&) {
            read = MyPeriod == INT32_MAX && Window1Top == 3 && Window1Left == 4 && SoundOn && Directives->size() == 4;
        });
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

TEST_F(PrefsFileTest, SavingKeepsThePermissionsAndTheUsersFilesBeside) {
    WritePrefs("#MyPeriod 5\n");
    fs::permissions(PrefsPath(), fs::perms::owner_read | fs::perms::owner_write);
    const auto twoMinutesAgo = fs::file_time_type::clock::now() - std::chrono::minutes(2);
    // The user's own files, named like the file and old: a save is no sweep.
    for (const char* name : {".quorrel.txt.2024", ".quorrel.txt.3a9f02", ".other.txt.3a9f03"}) {
        WriteFile(PrefsDir() / name, "#MyPeriod");
        fs::last_write_time(PrefsDir() / name, twoMinutesAgo);
    }
    Run([&](Headless& h) { h.CloseWindow(ControlPanel()); });
    EXPECT_NE(ReadPrefs().value_or("").find("#MyPeriod 5\n#Sound False\n"), std::string::npos) << "not saved";
    EXPECT_EQ(fs::status(PrefsPath()).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    for (const char* name : {".quorrel.txt.2024", ".quorrel.txt.3a9f02", ".other.txt.3a9f03"})
        EXPECT_TRUE(fs::exists(PrefsDir() / name)) << name;
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

// Root writes anyway: as root, the test acts as an ordinary user from here on
// (until the undo), owner of the preferences folder and file (HOME opened for
// it to pass).
bool AsOwnerOfThePrefs(const fs::path& home) {
    if (geteuid() != 0) return true;
    return chmod(home.c_str(), 0755) == 0 && chown((home / ".config").c_str(), 65534, 65534) == 0 &&
           chown((home / ".config/quorrel.txt").c_str(), 65534, 65534) == 0 && seteuid(65534) == 0;
}

void BackToRoot(bool root) {
    if (root && seteuid(0) != 0) std::abort();  // every later test would run as nobody
}

// The preferences folder without write permission, the file in it still the
// user's own and writable.
std::optional<Undo> UnwritableFolder(const fs::path& home) {
    const fs::path folder = home / ".config";
    const bool root = geteuid() == 0;
    if (chmod(folder.c_str(), 0555) != 0 || !AsOwnerOfThePrefs(home)) return std::nullopt;
    return [folder, root] {
        BackToRoot(root);
        chmod(folder.c_str(), 0755);
    };
}

// The file's own permission refuses writing (the folder allows it).
std::optional<Undo> FileMode(const fs::path& home, mode_t mode) {
    const fs::path file = home / ".config/quorrel.txt";
    const bool root = geteuid() == 0;
    if (chmod(file.c_str(), mode) != 0 || !AsOwnerOfThePrefs(home)) return std::nullopt;
    return [file, root] {
        BackToRoot(root);
        chmod(file.c_str(), 0644);
    };
}

// Unlike the new text from the first byte on.
const std::string kOldPrefs = "'kept byte for byte\n#Window1Position 70,80\n#MyPeriod 45\n#Sound False\n";

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

TEST_F(FailedSaveTest, AFileItsModeKeepsFromWritingIsKept) {
    for (mode_t mode : {0444, 0400, 0000}) {
        SCOPED_TRACE(mode);
        NewBackend();
        ExpectSaveKeepsTheOldFile([&] { return FileMode(Home(), mode); });
        EXPECT_EQ(fs::status(PrefsPath()).permissions() & fs::perms::all, fs::perms(0644));
    }
}

// Where no file can be made beside it, the file is rewritten in place; a
// write that fails there too puts the old bytes back.
TEST_F(FailedSaveTest, AFileSizeLimitInAnUnwritableFolderKeepsTheOldFile) {
    ExpectSaveKeepsTheOldFile([&]() -> std::optional<Undo> {
        auto folder = UnwritableFolder(Home());
        auto limit = folder ? FileSizeLimit(Home()) : std::nullopt;
        if (!limit) return std::nullopt;
        return [folder, limit] {
            (*limit)();
            (*folder)();
        };
    });
}

using InPlaceSaveTest = FailedSaveTest;

// A folder that takes no new file, with the user's own writable file in it:
// the file is saved in place, the same file, longer or shorter than before.
TEST_F(InPlaceSaveTest, AWritableFileInAnUnwritableFolderIsSaved) {
    const std::pair<std::string, std::string> cases[] = {
        {kOldPrefs, "#Window1Position 70,80\n#MyPeriod 45\n#Sound False\n"},
        {"#Window1Position 1,2\n", "#Window1Position 1,2\n#MyPeriod 0\n#Sound False\n"},
    };
    for (const auto& [old, saved] : cases) {
        SCOPED_TRACE(old);
        NewBackend();
        WritePrefs(old);
        const auto inode = [&] {
            struct stat st {};
            return ::stat(PrefsPath().c_str(), &st) == 0 ? st.st_ino : 0;
        };
        const ino_t before = inode();
        const std::set<std::string> entries = PrefsEntries();
        Run([&](Headless& h) {
            h.ChooseMenu("SoundStayQuiet");
            std::optional<Undo> undo = UnwritableFolder(Home());
            ASSERT_TRUE(undo) << "could not set up the folder";
            h.CloseWindow(ControlPanel());
            (*undo)();
        });
        EXPECT_EQ(ReadPrefs(), saved);
        EXPECT_EQ(inode(), before) << "not the same file";
        EXPECT_EQ(PrefsEntries(), entries);
    }
}

}  // namespace
}  // namespace quorrel::test
