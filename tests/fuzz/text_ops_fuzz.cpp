// The text operations on any bytes (invalid UTF-8 too) with any positions,
// lengths and field numbers: each keeps inside the text and keeps its promise.
#include "platform/framework.h"
#include "tests/fuzz/fuzz_support.h"

#include <algorithm>
#include <bit>
#include <cmath>

using namespace fw;
using fuzz::Require;

namespace {

bool StartsWithIgnoringCase(const std::string& s, const std::string& prefix) {
    return StringLCase(s).rfind(StringLCase(prefix), 0) == 0;
}

bool EndsWith(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

int64_t Clip(int64_t v, int64_t low, int64_t high) { return std::min(std::max(v, low), high); }

void Positions(const std::string& s, int32_t start, int32_t length, int32_t n) {
    const int64_t len = StringDBCSLen(s);
    Require(len >= 0 && static_cast<size_t>(len) <= s.size() && (len == 0) == s.empty(),
            "a text has no more characters than bytes");

    const std::string mid = StringDBCSMid3(s, start, length);
    const int64_t from = std::max<int64_t>(start, 1);
    Require(s.find(mid) != std::string::npos, "Mid3 gives a piece of the text");
    Require(StringDBCSLen(mid) == (length <= 0 ? 0 : Clip(len - from + 1, 0, length)),
            "Mid3 gives the characters asked for, clipped to the text");

    const std::string head = StringDBCSLeft(s, static_cast<int32_t>(from - 1));
    Require(head + StringDBCSMid2(s, static_cast<int32_t>(from)) == s, "Left and Mid2 cut the text in two");

    const std::string left = StringDBCSLeft(s, n), right = StringDBCSRight(s, n);
    Require(s.rfind(left, 0) == 0 && StringDBCSLen(left) == Clip(n, 0, len), "Left gives the text's start");
    Require(EndsWith(s, right) && StringDBCSLen(right) == Clip(n, 0, len), "Right gives the text's end");
}

void Search(const std::string& s, const std::string& find, const std::string& sep, int32_t start, int32_t n) {
    const int32_t at = StringInStr(start, s, find);
    Require(at == 0 || (at >= std::max(start, 1) && at <= StringDBCSLen(s)), "InStr gives 0 or a position in range");
    if (at > 0) Require(StartsWithIgnoringCase(StringDBCSMid2(s, at), find), "InStr gives where the text is found");

    const std::string field = StringNthField(s, sep, n);
    Require(s.find(field) != std::string::npos, "NthField gives a piece of the text");
    if (!sep.empty())
        Require(StringLCase(field).find(StringLCase(sep)) == std::string::npos, "a field holds no separator");

    const std::string trimmed = StringTrim(s);
    Require(s.find(trimmed) != std::string::npos, "Trim gives a piece of the text");
    Require(StringTrim(trimmed) == trimmed, "Trim leaves nothing more to trim");
    Require(StringLCase(s).size() == s.size(), "LCase keeps the length");
    Require(RuntimeStringCompare(s, StringLCase(s)) == 0, "comparison ignores letter case");
    Require(RuntimeStringCompare(s, find) == -RuntimeStringCompare(find, s), "comparison is symmetric");
}

void Numbers(const std::string& s, int32_t a, int32_t b) {
    for (double v :
         {StringVal(s),
          std::bit_cast<double>(static_cast<uint64_t>(static_cast<uint32_t>(a)) << 32 | static_cast<uint32_t>(b))}) {
        (void)RuntimeCvtReal64ToSInt32(v);  // any value, NaN and infinities too: no overflow
        const std::string text = StringStrDouble(v);
        if (std::isnormal(v) || v == 0) Require(StringVal(text) == v, "StrDouble reads back as the same value");
    }
    Require(StringVal(StringStrInt32(a)) == a, "StrInt32 reads back as the same number");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    const int32_t start = in.Int();
    const int32_t length = in.Int();
    const int32_t n = in.Int();
    const std::string find = in.Text();
    const std::string sep = in.Text();
    const std::string s = in.Rest();
    Positions(s, start, length, n);
    Search(s, find, sep, start, n);
    Numbers(s, start, length);
    return 0;
}
