// Reading the update file's tags: the value between the first opening tag of
// a name and the next closing tag, and the version fields.
#include "platform/headless/headless.h"
#include "update/update_window.h"

#include <gtest/gtest.h>

namespace {

struct ReaderCase {
    const char* name;
    std::string text;
    std::string tag;
    std::string value;
};
void PrintTo(const ReaderCase& c, std::ostream* os) { *os << c.name; }

class UpdateReaderTest : public ::testing::TestWithParam<ReaderCase> {
protected:
    void SetUp() override {
        fw::headless::InstallNew();
        window = std::make_shared<quorrel::updateWindow>();  // the readers use no field of the window
    }
    std::shared_ptr<quorrel::updateWindow> window;
};

TEST_P(UpdateReaderTest, ReadsTheValue) {
    EXPECT_EQ(window->returnValue(GetParam().text, GetParam().tag), GetParam().value);
}

const std::string kWrapped =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<update>\n  <Free>Yes</Free>\n"
    "  <Description>Faster captures.</Description>\n  <CurrentVersion>1.4.0</CurrentVersion>\n</update>\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, UpdateReaderTest,
    ::testing::Values(ReaderCase{"Exact", "<CurrentVersion>2.1.0</CurrentVersion>", "CurrentVersion", "2.1.0"},
                      ReaderCase{"Empty", "<Free></Free>", "Free", ""},
                      ReaderCase{"LineBreaksKept", "<Free>\nYes\n</Free>", "Free", "\nYes\n"},
                      ReaderCase{"FirstOfTwo", "<Free>Yes</Free><Free>No</Free>", "Free", "Yes"},
                      ReaderCase{"NestedRunsToFirstClosing", "<Free><Free>Yes</Free></Free>", "Free", "<Free>Yes"},
                      ReaderCase{"ClosingBeforeOpeningSkipped", "</Free>No<Free>Yes</Free>", "Free", "Yes"},
                      ReaderCase{"AttributeIsNotTheTag", "<Free a=\"1\">No</Free><Free>Yes</Free>", "Free", "Yes"},
                      // No opening tag: the value starts at the position equal to the tag's
                      // length (6 for "<Free>") and runs to the next closing tag.
                      ReaderCase{"BlankInTagIsNotTheTag", "<Free >Yes</Free>", "Free", " >Yes"},
                      ReaderCase{"MissingOpening", "0123456789</Free>", "Free", "56789"},
                      ReaderCase{"MissingClosing", "<Free>Yes", "Free", ""},
                      ReaderCase{"MissingBoth", "no tags at all", "Free", ""},
                      ReaderCase{"WrappedVersion", kWrapped, "CurrentVersion", "1.4.0"},
                      ReaderCase{"WrappedDescription", kWrapped, "Description", "Faster captures."},
                      ReaderCase{"WrappedFree", kWrapped, "Free", "Yes"},
                      // Positions count characters, not bytes.
                      ReaderCase{"MultiByteCharacters",
                                 "é<Description>Größer — schneller</Description>",
                                 "Description",
                                 "Größer — schneller"},
                      ReaderCase{"BinaryBytesAround", std::string("\0\xff\xfe<Free>Yes</Free>\x80", 20), "Free", "Yes"},
                      ReaderCase{"BinaryWithoutTags", std::string("\0\xff\xfe\x80\x01", 5), "Free", ""}),
    [](const ::testing::TestParamInfo<ReaderCase>& info) { return std::string(info.param.name); });

TEST_F(UpdateReaderTest, TagsAreJoinedFromTheName) {
    EXPECT_EQ(window->startTag("Free"), "<Free>");
    EXPECT_EQ(window->endTag("Free"), "</Free>");
}

struct FieldsCase {
    std::string version;
    double major, minor, bug;
};
void PrintTo(const FieldsCase& c, std::ostream* os) { *os << '"' << c.version << '"'; }

class VersionFieldsTest : public ::testing::TestWithParam<FieldsCase> {};

TEST_P(VersionFieldsTest, ReadsThreeNumbers) {
    const auto& c = GetParam();
    EXPECT_EQ(quorrel::VersionField(c.version, 1), c.major);
    EXPECT_EQ(quorrel::VersionField(c.version, 2), c.minor);
    EXPECT_EQ(quorrel::VersionField(c.version, 3), c.bug);
}

INSTANTIATE_TEST_SUITE_P(Versions, VersionFieldsTest,
                         ::testing::Values(FieldsCase{"2.1.0", 2, 1, 0}, FieldsCase{"1.4.2.7", 1, 4, 2},
                                           FieldsCase{"1.3", 1, 3, 0}, FieldsCase{"", 0, 0, 0}));

}  // namespace
