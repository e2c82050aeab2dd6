// The screenshot's file name from the capture moment's date and time texts.
#include "program_fixture.h"

#include "capture/picture_file_name.h"

namespace quorrel::test {
namespace {

struct NameCase {
    const char* date;
    const char* time;
    const char* name;
};
// Tests print their parameter: the moment, not the struct's raw bytes.
void PrintTo(const NameCase& c, std::ostream* os) { *os << c.date << ' ' << c.time; }

const NameCase kNameCases[] = {
    // The worked examples.
    {"3/7/14", "3:04:05 PM", "2014 03 07   15 04 05.png"},
    {"12/25/14", "12:00:00 AM", "2014 12 25   00 00 00.png"},
    {"10/5/14", "12:30:15 PM", "2014 10 05   12 30 15.png"},
    {"12/5/14", "12:00:01 AM", "2014 12 05   00 00 01.png"},
    {"1/31/15", "9:41:07 AM", "2015 01 31   09 41 07.png"},
    {"11/11/11", "11:59:59 PM", "2011 11 11   23 59 59.png"},
    // The hour on the 24-hour clock.
    {"1/1/14", "1:00:00 PM", "2014 01 01   13 00 00.png"},
    {"1/1/14", "11:00:00 PM", "2014 01 01   23 00 00.png"},
    {"1/1/14", "10:00:00 AM", "2014 01 01   10 00 00.png"},
    // The year is "20" and the last two characters.
    {"1/1/00", "9:00:00 AM", "2000 01 01   09 00 00.png"},
    {"12/31/99", "9:00:00 AM", "2099 12 31   09 00 00.png"},
    // One-digit minute and second, which the US long time never has.
    {"3/7/14", "3:4:05 PM", "2014 03 07   15 04 05.png"},
    {"3/7/14", "3:04:5 PM", "2014 03 07   15 04 05.png"},
    {"3/7/14", "3:4:5 PM", "2014 03 07   15 04 05.png"},
    // A 24-hour time is read by the same positions.
    {"3/7/14", "15:04:05", "2014 03 07   15 04 04.png"},
};

class FileNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(FileNameTest, BuildsTheName) {
    const NameCase& c = GetParam();
    PictureDate = c.date;
    PictureTime = c.time;
    MakePictureFileName();
    EXPECT_EQ(PictureFileName, c.name);
    EXPECT_EQ(PictureDate, c.date);  // the inputs are not changed
    EXPECT_EQ(PictureTime, c.time);
}

INSTANTIATE_TEST_SUITE_P(Moments, FileNameTest, ::testing::ValuesIn(kNameCases));

TEST(FileNameShortTextTest, AShortTextGivesANameWithoutReadingOutsideIt) {
    for (const char* text : {"", "1", "1/", "AM"}) {
        PictureDate = text;
        PictureTime = text;
        MakePictureFileName();
        EXPECT_EQ(PictureFileName.substr(0, 2), "20") << text;
        EXPECT_EQ(PictureFileName.substr(PictureFileName.size() - 4), ".png") << text;
    }
}

}  // namespace
}  // namespace quorrel::test
