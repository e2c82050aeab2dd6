// The preferences file read at start-up: one table of file texts and the
// settings they give.
#include "program_fixture.h"

#include "capture/window1.h"
#include "settings/settings.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quorrel::test {
namespace {

using fw::headless::Headless;

struct PrefsCase {
    const char* label;
    std::optional<std::string> file;  // nothing: no file at all
    int32_t top, left, period;
    bool sound;
};

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

// The process's address space in bytes (VmSize).
size_t AddressSpace() {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmSize:", 0) == 0) return std::stoul(line.substr(7)) * 1024;
    return 0;
}

// A long line costs the reader a few times its length, not a table per
// character: the program starts in a child whose address space is limited to
// what it holds plus six times the file's size, and reads the line after it.
TEST_F(PrefsFileTest, ALongLineIsReadInLittleMoreThanItsOwnSize) {
    const size_t kLine = size_t{32} << 20;
    WritePrefs("#Colour " + std::string(kLine, 'x') + "\n#MyPeriod 11\n");
    if (AddressSpace() > (size_t{64} << 30)) GTEST_SKIP() << "address space reserved in bulk (a sanitizer): no limit fits";
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

}  // namespace
}  // namespace quorrel::test
