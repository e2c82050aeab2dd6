// The preferences file read at start-up: one table of file texts and the
// settings they give.
#include "program_fixture.h"

#include "capture/window1.h"
#include "settings/settings.h"

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
