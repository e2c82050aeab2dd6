// Reply bodies in any encoding turned into UTF-8 text: the byte-order mark
// first, then the declared charset, then UTF-8, then Windows-1252.
#include "platform/core/text_decoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using fw::CharsetOf;
using fw::DecodeText;

std::string Bytes(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes) s += static_cast<char>(b);
    return s;
}

// An ASCII text in UTF-16, with or without its mark.
std::string Utf16(const std::string& ascii, bool bigEndian, bool mark) {
    std::string s = mark ? (bigEndian ? Bytes({0xFE, 0xFF}) : Bytes({0xFF, 0xFE})) : "";
    for (char c : ascii) s += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    return s;
}

const std::string kCafe = "Caf\xc3\xa9";
const std::string kFFFD = "\xef\xbf\xbd";

struct Case {
    const char* name;
    std::string bytes, charset, text;
};
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class DecodeTextTest : public ::testing::TestWithParam<Case> {};

TEST_P(DecodeTextTest, GivesUtf8Text) { EXPECT_EQ(DecodeText(GetParam().bytes, GetParam().charset), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(
    Encodings, DecodeTextTest,
    ::testing::Values(
        Case{"PlainUtf8", kCafe + " cr\xc3\xa8me", "", kCafe + " cr\xc3\xa8me"},
        Case{"Utf8MarkIsDropped", "\xef\xbb\xbf" + kCafe, "", kCafe},
        Case{"Utf16LittleEndianMark", Utf16("<Free>Yes</Free>", false, true), "", "<Free>Yes</Free>"},
        Case{"Utf16BigEndianMark", Utf16("<Free>Yes</Free>", true, true), "", "<Free>Yes</Free>"},
        // The mark wins over what the header says.
        Case{"MarkBeforeCharset", Utf16("1.3.0", true, true), "iso-8859-1", "1.3.0"},
        Case{"Utf16SurrogatePair", Bytes({0xFF, 0xFE, 0x3D, 0xD8, 0x00, 0xDE}), "", "\xf0\x9f\x98\x80"},
        Case{
            "Utf16LoneSurrogateAndOddByte", Bytes({0xFF, 0xFE, 0x00, 0xD8, 0x41, 0x00, 0x42}), "", kFFFD + "A" + kFFFD},
        Case{"DeclaredUtf16WithoutMark", Utf16("abc", false, false), "utf-16", "abc"},
        Case{"DeclaredUtf16BigEndian", Utf16("abc", true, false), "utf-16be", "abc"},
        Case{"DeclaredLatin1", "Caf\xe9 cr\xe8me", "iso-8859-1", kCafe + " cr\xc3\xa8me"},
        Case{"UndeclaredLatin1", "Caf\xe9 cr\xe8me", "", kCafe + " cr\xc3\xa8me"},
        // Windows-1252 for the bytes that ISO-8859-1 leaves to control codes.
        Case{"UndeclaredWindows1252", "\x80 \x93quoted\x94", "", "\xe2\x82\xac \xe2\x80\x9cquoted\xe2\x80\x9d"},
        Case{"DeclaredUtf8KeepsItsWordInvalidBytesMarked", "Caf\xe9", "utf-8", "Caf" + kFFFD},
        Case{"OtherCharsetThroughIconv", "\xc3\xcf\xc4", "koi8-r", "\xd1\x86\xd0\xbe\xd0\xb4"},
        Case{"Iso8859_15Euro", "\xa4", "iso-8859-15", "\xe2\x82\xac"},
        Case{"UnknownCharsetFallsBack", "Caf\xe9", "x-no-such-charset", kCafe}, Case{"Empty", "", "utf-16", ""}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(CharsetOf, ReadsTheParameterWhateverItsSpelling) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"text/xml; charset=ISO-8859-1", "iso-8859-1"},
        {"text/xml;charset=\"UTF-16\"", "utf-16"},
        {"text/plain; format=flowed; Charset = utf-8 ", "utf-8"},
        {"text/xml", ""},
        {"", ""},
        {"text/xml; boundary=x", ""},
    };
    for (const auto& [header, want] : cases) EXPECT_EQ(CharsetOf(header), want) << header;
}

}  // namespace
