// The bounded form of a long number text: StringVal reads it as the same
// Double as the whole text, however the text arrives in pieces.
#include "platform/framework.h"
#include "settings/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <random>
#include <string>

namespace quorrel::test {
namespace {

std::string Reduced(const std::string& text, std::mt19937& random) {
    NumberText number;
    for (size_t at = 0; at < text.size();) {
        const size_t n = std::uniform_int_distribution<size_t>(1, 700)(random);
        number.Take(std::string_view(text).substr(at, n));
        at += n;
    }
    return number.Text();
}

void ExpectSameValue(const std::string& text, std::mt19937& random) {
    const std::string reduced = Reduced(text, random);
    EXPECT_LE(reduced.size(), 830u);
    EXPECT_EQ(std::bit_cast<uint64_t>(fw::StringVal(reduced)), std::bit_cast<uint64_t>(fw::StringVal(text)))
        << "text of " << text.size() << " bytes: " << text.substr(0, 120) << "\nreduced: " << reduced.substr(0, 120);
}

TEST(NumberText, ReadsAsTheWholeText) {
    std::mt19937 random(7);
    const std::string halfway = "1.00000000000000011102230246251565404236316680908203125";  // 1 + 2^-53
    const std::string cases[] = {
        "",
        "-",
        "+.",
        "  \t-0.000",
        "abc",
        "42",
        "-12.9,34",
        "+34e0x",
        "1e-",
        "1e+5",
        ".5e-3",
        "7e99999999999999999999",
        "-7e-99999999999999999999",
        std::string(5000, '0') + "42",
        "0." + std::string(100000, '0') + "5e100002",
        std::string(3000, '9') + "e-2990",
        "2147483646." + std::string(2000, '9'),
        // Exactly halfway rounds to even; anything more, however far out, up.
        halfway + std::string(900, '0'),
        halfway + std::string(900, '0') + "1",
        "0." + std::string(400, '0') + std::string(1200, '3') + "e410",
    };
    for (const std::string& text : cases) ExpectSameValue(text, random);
    EXPECT_EQ(fw::StringVal(Reduced(halfway + std::string(900, '0') + "1", random)), std::nextafter(1.0, 2.0));
}

// Texts made of the number's parts in random lengths, long runs of zeros among them.
TEST(NumberText, ReadsAsTheWholeTextForRandomTexts) {
    std::mt19937 random(11);
    auto count = [&](size_t most) { return std::uniform_int_distribution<size_t>(0, most)(random); };
    auto digits = [&](size_t most) {
        std::string s;
        for (size_t n = count(most); n > 0; --n) s += static_cast<char>('0' + count(9));
        return s;
    };
    auto zeros = [&](size_t most) { return std::string(count(1) ? count(most) : 0, '0'); };
    for (int i = 0; i < 400; ++i) {
        std::string text = std::string(count(3), ' ');
        if (count(1)) text += count(1) ? "-" : "+";
        text += zeros(1500) + digits(count(1) ? 20 : 1200) + zeros(900);
        if (count(3)) text += "." + zeros(1500) + digits(count(1) ? 20 : 1200) + zeros(30);
        if (count(1)) text += std::string(count(1) ? "e" : "E") + (count(1) ? "-" : "") + digits(count(1) ? 4 : 25);
        if (count(1)) text += ",9x";
        ExpectSameValue(text, random);
    }
}

}  // namespace
}  // namespace quorrel::test
