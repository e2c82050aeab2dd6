// The design-time property list: its binary form, decoding and applying.
#include "platform/framework.h"
#include "platform/headless/headless.h"

#include <gtest/gtest.h>

namespace {

using namespace fw;

class Sample : public PropertyObject {
public:
    std::vector<std::string> changes;

protected:
    static constexpr Property<int32_t> CountProperty{"Count", 7};
    static constexpr Property<bool> ReadyProperty{"Ready", false};
    static constexpr Property<std::string> TitleProperty{"Title", "none"};
    static constexpr Property<Color> FillProperty{"Fill", Color{}};
    static constexpr Property<double> SizeProperty{"Size", 0.0};
    void DeclareProperties(PropertyTable& table) const override {
        table.Add(CountProperty, ReadyProperty, TitleProperty, FillProperty, SizeProperty);
    }
    void PropertyChanged(const std::string& name) override { changes.push_back(name); }
};

class PropertyListTest : public ::testing::Test {
protected:
    void SetUp() override { headless::InstallNew(); }
    std::shared_ptr<Sample> sample = std::make_shared<Sample>();
};

TEST_F(PropertyListTest, EveryValueTypeRoundTripsInStoredOrder) {
    std::string text = "caf\xc3\xa9 \"quoted\"";
    auto list = DesignList()
                    .Str("Title", text)
                    .Int("Count", -2147483647 - 1)
                    .Bool("Ready", true)
                    .Col("Fill", 255, 0, 128)
                    .Dbl("Size", 12.5)
                    .Bytes();
    RuntimeMassPropertySetter(sample, list);
    EXPECT_EQ(std::get<std::string>(sample->GetProperty("Title")), text);
    EXPECT_EQ(std::get<int32_t>(sample->GetProperty("Count")), INT32_MIN);
    EXPECT_TRUE(std::get<bool>(sample->GetProperty("Ready")));
    EXPECT_EQ(std::get<Color>(sample->GetProperty("Fill")), (Color{255, 0, 128, 0}));
    EXPECT_EQ(std::get<double>(sample->GetProperty("Size")), 12.5);
    EXPECT_EQ(sample->changes, (std::vector<std::string>{"Title", "Count", "Ready", "Fill", "Size"}));
}

TEST_F(PropertyListTest, BinaryFormIsBigEndianWithLengthPrefixedStrings) {
    auto bytes = DesignList().Int("Width", 288).Bool("Visible", true).Str("T", "ab").Col("C", 1, 2, 3).Bytes();
    EXPECT_EQ(bytes,
              std::string("Width \x00\x00\x01\x20", 10) + std::string("Visible \x01", 9) +
                  std::string("T \x00\x00\x00\x02"
                              "ab",
                              8) +
                  std::string("C \x01\x02\x03", 5));
}

TEST_F(PropertyListTest, NamesMatchWithoutRegardToCase) {
    RuntimeMassPropertySetter(sample, DesignList().Int("cOUNT", 3).Str("TITLE", "x").Bytes());
    EXPECT_EQ(std::get<int32_t>(sample->GetProperty("count")), 3);
    EXPECT_EQ(sample->changes, (std::vector<std::string>{"Count", "Title"}));  // reported as declared
}

TEST_F(PropertyListTest, MalformedListsRaiseAndSetNothing) {
    const std::string good = DesignList().Int("Count", 1).Bytes();
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"name without blank", good + "Ready"},
        {"short integer", good + std::string("Count \x00\x01", 8)},
        {"string length beyond the end",
         good + std::string("Title \x00\x00\x00\x09"
                            "abc",
                            13)},
        {"short colour", good + std::string("Fill \x01\x02", 7)},
        {"boolean byte 2", good + std::string("Ready \x02", 7)},
        {"empty name", good + std::string(" \x01", 2)},
    };
    for (const auto& [what, list] : cases) {
        auto fresh = std::make_shared<Sample>();
        EXPECT_THROW(RuntimeMassPropertySetter(fresh, list), UnsupportedFormatException) << what;
        EXPECT_EQ(std::get<int32_t>(fresh->GetProperty("Count")), 7) << what;
    }
}

TEST_F(PropertyListTest, UnknownNameRaisesKeyNotFound) {
    auto list = DesignList().Int("Count", 1).Int("Colour", 2).Bytes();
    EXPECT_THROW(RuntimeMassPropertySetter(sample, list), KeyNotFoundException);
    EXPECT_THROW(sample->GetProperty("Missing"), KeyNotFoundException);
    EXPECT_EQ(sample->FindProperty("Missing"), nullptr);
}

TEST_F(PropertyListTest, WrongValueTypeIsATypeMismatch) {
    EXPECT_THROW(sample->SetProperty("Count", std::string("3")), TypeMismatchException);
    sample->SetProperty("Size", int32_t{12});  // an Integer is taken for a Double
    EXPECT_EQ(std::get<double>(sample->GetProperty("Size")), 12.0);
}

TEST_F(PropertyListTest, ControlListCarriesNameAndNoIndex) {
    auto label = std::make_shared<Label>();
    RuntimeMassPropertySetter(label,
                              DesignList()
                                  .Str("Name", "StaticText3")
                                  .Int("Index", kNoIndex)
                                  .Int("Left", 112)
                                  .Str("Text", "10")
                                  .Col("TextColor", 0, 0, 0)
                                  .Bytes());
    EXPECT_EQ(label->Name(), "StaticText3");
    EXPECT_EQ(std::get<int32_t>(label->GetProperty("Index")), INT32_MIN);
    EXPECT_EQ(label->Left(), 112);
    EXPECT_EQ(label->Text(), "10");
}

}  // namespace
