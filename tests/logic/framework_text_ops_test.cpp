// Text operations: character positions from 1, out-of-range positions, numbers.
#include "platform/framework.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

namespace {

using namespace fw;

TEST(TextOps, InStrCountsCharactersAndIgnoresAsciiCase) {
    struct Case {
        int32_t start;
        std::string s, find;
        int32_t want;
    };
    const std::vector<Case> cases = {
        {1, "#MyPeriod", "#", 1},
        {1, "<CurrentVersion>1</currentversion>", "</CURRENTVERSION>", 18},
        {2, "abcabc", "abc", 4},
        {0, "abc", "c", 3},  // a start below 1 counts from 1
        {1, "abc", "x", 0},
        {4, "abc", "c", 0},  // past the end
        {2, "abc", "", 2},   // empty find within the text
        {5, "abc", "", 0},
        {1, "\xc3\xa9t\xc3\xa9", "t", 2},  // positions in characters, not bytes
    };
    for (const auto& c : cases) EXPECT_EQ(StringInStr(c.start, c.s, c.find), c.want) << c.s << " / " << c.find;
}

TEST(TextOps, SlicesNeverReadOutsideTheText) {
    const std::string s = "h\xc3\xa9llo";  // 5 characters, 6 bytes
    EXPECT_EQ(StringDBCSLen(s), 5);
    EXPECT_EQ(StringDBCSMid3(s, 2, 3), "\xc3\xa9ll");
    EXPECT_EQ(StringDBCSMid3(s, 0, 2), "h\xc3\xa9");  // start 0 taken as 1
    EXPECT_EQ(StringDBCSMid3(s, -5, 1), "h");
    EXPECT_EQ(StringDBCSMid3(s, 2, -1), "");  // negative length: nothing
    EXPECT_EQ(StringDBCSMid3(s, 4, 100), "lo");
    EXPECT_EQ(StringDBCSMid3(s, 9, 1), "");
    EXPECT_EQ(StringDBCSMid2(s, 3), "llo");
    EXPECT_EQ(StringDBCSLeft(s, 2), "h\xc3\xa9");
    EXPECT_EQ(StringDBCSLeft(s, 0), "");
    EXPECT_EQ(StringDBCSLeft(s, -1), "");
    EXPECT_EQ(StringDBCSRight(s, 2), "lo");
    EXPECT_EQ(StringDBCSRight(s, 9), s);
    EXPECT_EQ(StringDBCSRight(s, -3), "");
    EXPECT_EQ(StringDBCSMid3("a\xff"
                             "b",
                             2,
                             1),
              "\xff");  // a stray byte is one character
}

TEST(TextOps, NthField) {
    EXPECT_EQ(StringNthField("150,200", ",", 1), "150");
    EXPECT_EQ(StringNthField("150,200", ",", 2), "200");
    EXPECT_EQ(StringNthField("150,200", ",", 3), "");
    EXPECT_EQ(StringNthField("150,200", ",", 0), "");
    EXPECT_EQ(StringNthField(",x,", ",", 1), "");
    EXPECT_EQ(StringNthField(",x,", ",", 3), "");
    EXPECT_EQ(StringNthField("aXbxc", "x", 3), "c");  // separator matched without case
    EXPECT_EQ(StringNthField("whole", "", 1), "whole");
    EXPECT_EQ(StringNthField("whole", "", 2), "");
}

TEST(TextOps, TrimTakesWhiteSpaceFromBothEndsOnly) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"\r\n1.3.0\r\n", "1.3.0"},
        {" \t\n1 3\v\f ", "1 3"},  // inside stays
        {"\xc2\xa0"
         "caf\xc3\xa9\xe3\x80\x80",
         "caf\xc3\xa9"},  // no-break and ideographic spaces
        {"\xef\xbb\xbf"
         "2",
         "2"},  // a byte-order mark
        {"", ""},
        {" \n ", ""},
        {"\xc3 x \xff", "\xc3 x \xff"},  // invalid bytes are characters, not white space
    };
    for (const auto& [in, want] : cases) EXPECT_EQ(StringTrim(in), want) << '"' << in << '"';
}

TEST(TextOps, ValReadsALeadingNumber) {
    struct Case {
        std::string s;
        double want;
    };
    const std::vector<Case> cases = {
        {"42", 42},
        {"  -7", -7},
        {"+3.5x", 3.5},
        {"1e3", 1000},
        {"2e", 2},
        {".5", 0.5},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {"-", 0},
        {"1.2.3", 1.2},
        {"\t8", 8},
        {"+-5", 0},
        {"-.5e1", -5},
        {"1E2", 100},
        {"1e+2", 100},
        {"5e-1", 0.5},
        {"2e+", 2},
        {"0e999999", 0},
        {"1.7976931348623157e308", DBL_MAX},
        {"4.9e-324", 4.9406564584124654e-324},  // the smallest subnormal still reads
        // Too large gives an infinity, too small a zero, each with its sign.
        {"1e400", HUGE_VAL},
        {"-1e400", -HUGE_VAL},
        {"1.8e308", HUGE_VAL},
        {"123456e304", HUGE_VAL},
        {"1e99999999999999999999", HUGE_VAL},
        {"1e-400", 0},
        {"-1e-400", -0.0},
        {"2e-324", 0},
        {"0.0001e-320", 0},
        {"100000e-330", 0},
        {"1e-99999999999999999999", 0},
        {"0.000000000000000000001e330", HUGE_VAL},
    };
    for (const auto& c : cases) {
        double got = StringVal(c.s);
        EXPECT_DOUBLE_EQ(got, c.want) << '"' << c.s << '"';
        EXPECT_EQ(std::signbit(got), std::signbit(c.want)) << '"' << c.s << '"';
    }
}

TEST(TextOps, NumbersToText) {
    EXPECT_EQ(StringStrInt32(-2147483647 - 1), "-2147483648");
    EXPECT_EQ(StringStrInt32(600), "600");
    EXPECT_EQ(StringStrDouble(5.0), "5");
    EXPECT_EQ(StringStrDouble(-0.0), "0");
    EXPECT_EQ(StringStrDouble(1.5), "1.5");
    EXPECT_EQ(StringStrDouble(0.1), "0.1");
    EXPECT_EQ(StringStrDouble(1e15 + 0.5 - 0.5), "1e+15");
    EXPECT_EQ(StringStrDouble(123456789012.0), "123456789012");
}

TEST(TextOps, RealToIntegerTruncatesAndSaturates) {
    EXPECT_EQ(RuntimeCvtReal64ToSInt32(2.9), 2);
    EXPECT_EQ(RuntimeCvtReal64ToSInt32(-2.9), -2);
    EXPECT_EQ(RuntimeCvtReal64ToSInt32(1e20), INT32_MAX);
    EXPECT_EQ(RuntimeCvtReal64ToSInt32(-1e20), INT32_MIN);
    EXPECT_EQ(RuntimeCvtReal64ToSInt32(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(TextOps, CompareIgnoresAsciiCase) {
    EXPECT_EQ(RuntimeStringCompare("#Sound", "#SOUND"), 0);
    EXPECT_LT(RuntimeStringCompare("abc", "abd"), 0);
    EXPECT_GT(RuntimeStringCompare("abcd", "ABC"), 0);
    EXPECT_EQ(StringLCase("MyPeriod"), "myperiod");
}

}  // namespace
